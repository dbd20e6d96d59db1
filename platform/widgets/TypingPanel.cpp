#include "platform/widgets/TypingPanel.h"

#include "platform/core/Language.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/OutlinedLabel.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Timer.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

const QColor kMonitorOutline(214, 228, 242);

QLabel* Box(QWidget* parent, const QString& name, const QRect& geometry, const QString& picture) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    SetNamedPicture(box, picture);
    box->setScaledContents(true);
    return box;
}

QLabel* Shadow(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* s = new QLabel(parent);
    s->setObjectName(name);
    s->setGeometry(geometry.translated(4, 4));
    s->setStyleSheet(QStringLiteral("background-color: rgb(64,64,64);"));
    MarkDecorative(s);
    return s;
}

// One of the panel's centred bold lines.
void SetUpLine(QLabel* label, const char* name, const QRect& geometry, int pixelSize) {
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    label->setFont(f);
}

void SetColor(QLabel* label, const QColor& color) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

}  // namespace

TypingPanel::TypingPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panel"));
    setFixedSize(405, 121);
    auto* back = Box(this, QStringLiteral("panelBackground"), rect(), QStringLiteral("BACKWALLPAPER"));
    back->lower();

    const QRect monitorRect(96, 12, 209, 33), displayRect(48, 52, 305, 53);
    Shadow(this, QStringLiteral("questionShadow"), monitorRect);
    Shadow(this, QStringLiteral("readingShadow"), displayRect);
    const QString typing = QStringLiteral("TYPINGWALLPAPER");
    QLabel* questionBox = Box(this, QStringLiteral("questionBox"), monitorRect, typing);
    QLabel* readingBox = Box(this, QStringLiteral("readingBox"), displayRect, typing);

    // Dark blue on the slate box needs a pale edge to read (the white question text does not).
    questionText = new OutlinedLabel(questionBox, kMonitorOutline);
    SetUpLine(questionText, "questionText", QRect(0, 0, monitorRect.width(), monitorRect.height()), 18);
    SetColor(questionText, kNavy);

    readingText = new QLabel(readingBox);
    SetUpLine(readingText, "readingText", QRect(0, 1, displayRect.width(), 30), 20);
    SetDisplayColor(Qt::white);

    romajiTyped = new QLabel(readingBox);
    SetUpLine(romajiTyped, "romajiTyped", QRect(0, 31, displayRect.width(), 21), 15);
    SetColor(romajiTyped, kRed);
    // Screen readers read each line's text under what it is; Ready/Go, the verdict and the
    // question's reading all appear in the reading line.
    questionText->setAccessibleDescription(QCoreApplication::translate("TypingPanel", "問題"));
    readingText->setAccessibleDescription(QCoreApplication::translate("TypingPanel", "読み"));
    romajiTyped->setAccessibleDescription(QCoreApplication::translate("TypingPanel", "入力したローマ字"));

    // Learners who read no kanji get the idiom's meaning in the strip below the reading box.
    if (CurrentInterfaceLanguage() == InterfaceLanguage::English) {
        meaningText = new QLabel(this);
        meaningText->setObjectName(QStringLiteral("meaningText"));
        // Just under the reading box: the race shows the panel's last pixels under its frame.
        meaningText->setGeometry(4, displayRect.bottom() + 2, width() - 8, 13);
        meaningText->setAlignment(Qt::AlignCenter);
        QFont f = meaningText->font();
        f.setPixelSize(11);
        f.setBold(true);
        meaningText->setFont(f);
        SetColor(meaningText, kNavy);  // dark on the light panel, as the question above it
    }
}

void TypingPanel::SetMonitor(const QString& text) {
    questionText->setText(text);
    if (meaningText) meaningText->setText(IdiomMeaning(text));
}

void TypingPanel::SetDisplayColor(const QColor& color) {
    m_displayColor = color;
    SetColor(readingText, color);
}

void BeginReadyGo(TypingPanel& panel, Timer& readyGoTimer) {
    panel.SetDisplayColor(kRed);
    panel.SetDisplay(QStringLiteral("Ready..."));
    readyGoTimer.Start();
}

void ShowGo(TypingPanel& panel, Timer& readyGoTimer) {
    panel.SetDisplayColor(kGreen);
    panel.SetDisplay(QStringLiteral("Go!!"));
    readyGoTimer.SetInterval(500);
}

}  // namespace kd
