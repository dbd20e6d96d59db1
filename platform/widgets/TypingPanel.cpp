#include "platform/widgets/TypingPanel.h"

#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/OutlinedLabel.h"
#include "platform/widgets/Timer.h"

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
    setObjectName(QStringLiteral("Picture2"));
    setFixedSize(405, 121);
    auto* back = Box(this, QStringLiteral("Picture2Back"), rect(), QStringLiteral("BACKWALLPAPER"));
    back->lower();

    const QRect monitorRect(96, 12, 209, 33), displayRect(48, 52, 305, 53);
    Shadow(this, QStringLiteral("Picture6"), monitorRect);
    Shadow(this, QStringLiteral("Picture5"), displayRect);
    const QString typing = QStringLiteral("TYPINGWALLPAPER");
    QLabel* pic3 = Box(this, QStringLiteral("Picture3"), monitorRect, typing);
    QLabel* pic4 = Box(this, QStringLiteral("Picture4"), displayRect, typing);

    // Dark blue on the slate box needs a pale edge to read (the white question text does not).
    lblMonitor = new OutlinedLabel(pic3, kMonitorOutline);
    SetUpLine(lblMonitor, "lblMonitor", QRect(0, 0, monitorRect.width(), monitorRect.height()), 18);
    SetColor(lblMonitor, kNavy);

    lblDisplay = new QLabel(pic4);
    SetUpLine(lblDisplay, "lblDisplay", QRect(0, 1, displayRect.width(), 30), 20);
    SetDisplayColor(Qt::white);

    lblInput = new QLabel(pic4);
    SetUpLine(lblInput, "lblInput", QRect(0, 31, displayRect.width(), 21), 15);
    SetColor(lblInput, kRed);
}

void TypingPanel::SetDisplayColor(const QColor& color) {
    m_displayColor = color;
    SetColor(lblDisplay, color);
}

void BeginReadyGo(TypingPanel& panel, Timer& tmrReadyGo) {
    panel.SetDisplayColor(kRed);
    panel.SetDisplay(QStringLiteral("Ready..."));
    tmrReadyGo.Start();
}

void ShowGo(TypingPanel& panel, Timer& tmrReadyGo) {
    panel.SetDisplayColor(kGreen);
    panel.SetDisplay(QStringLiteral("Go!!"));
    tmrReadyGo.SetInterval(500);
}

}  // namespace kd
