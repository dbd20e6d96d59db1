#include "derby/CharacterSelectScreen.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/Format.h"
#include "common/GameState.h"
#include "common/Roster.h"
#include "common/SoundSwitches.h"
#include "derby/DerbyGenreDialog.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/SpokenParts.h"

namespace kd {

namespace {
const QColor kLightGrey(224, 224, 224);
constexpr int kDemoWidth = 472;
}  // namespace

CharaTile::CharaTile(QWidget* parent, const QString& name, int x, int y, std::function<void()> onClick)
    : DrawingArea(parent, name, x, y, 70, 70), m_onClick(std::move(onClick)) {
    SetFillColor(kLightGrey);
    SetSpokenParts(this, {});  // the character's name, once chosen
}

void CharaTile::SetChosen(bool chosen) {
    m_chosen = chosen;
    SetFillColor(chosen ? kYellow : kLightGrey);
}

void CharaTile::paintEvent(QPaintEvent* event) {
    DrawingArea::paintEvent(event);
    if (!m_chosen) return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CharaTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_onClick) m_onClick();
}

CharacterSelectScreen::CharacterSelectScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::SelectChara) {
    SetCaption(QCoreApplication::translate("CharacterSelectScreen", "キャラクター選択"));
    SetClientSize(441, 390);

    QLabel* info = MakeLabel(
        this, QStringLiteral("instructionText"),
        QCoreApplication::translate("CharacterSelectScreen", "キャラクターを選択してください。"), 9, 9);
    SetPixelFont(info, 15, true);
    info->adjustSize();

    MakeOutline(this, QStringLiteral("tilesOutline"), {3, 39, 433, 115}, kWhite);

    characterName =
        MakeLabel(this, QStringLiteral("characterName"), QStringLiteral("CrazyBallRed"), 9, 45, 200, 22);
    SetPixelFont(characterName, 15, true);
    const std::array<int, 5> tileX = {9, 96, 183, 270, 357};
    for (int i = 0; i < 5; ++i)
        characterTiles[i] = new CharaTile(this, QStringLiteral("characterTile%1").arg(i), tileX[i], 72,
                                          [this, i] { ChooseCharacter(i); });

    QLabel* powerCaption =
        MakeLabel(this, QStringLiteral("enduranceCaption"),
                  QCoreApplication::translate("CharacterSelectScreen", "忍耐力："), 15, 159);
    enduranceValue = MakeLabel(this, QStringLiteral("enduranceValue"), QString(), 87, 159, 60, -1);
    enduranceBar = new QProgressBar(this);
    enduranceBar->setObjectName(QStringLiteral("enduranceBar"));
    enduranceBar->setGeometry(12, 180, 421, 22);
    QLabel* stepCaption =
        MakeLabel(this, QStringLiteral("stepSizeCaption"),
                  QCoreApplication::translate("CharacterSelectScreen", "瞬発力："), 15, 216);
    stepSizeValue = MakeLabel(this, QStringLiteral("stepSizeValue"), QString(), 87, 216, 60, -1);
    // The background picture is dark.
    for (QLabel* l : {info, characterName, powerCaption, enduranceValue, stepCaption, stepSizeValue})
        SetForeColor(l, Qt::white);
    stepSizeBar = new QProgressBar(this);
    stepSizeBar->setObjectName(QStringLiteral("stepSizeBar"));
    stepSizeBar->setGeometry(12, 237, 421, 22);
    for (QProgressBar* bar : {enduranceBar, stepSizeBar}) {
        bar->setRange(0, 100);
        bar->setTextVisible(false);
    }

    auto* demoWindow = new QWidget(this);
    demoWindow->setObjectName(QStringLiteral("demoWindow"));
    demoWindow->setGeometry(9, 267, 352, 70);
    demoTrack = new DrawingArea(demoWindow, QStringLiteral("demoTrack"), -60, -3, kDemoWidth, 70);
    demoTrack->SetFillColor(kLightGrey);

    settingsButton =
        MakeButton(this, QStringLiteral("settingsButton"),
                   QCoreApplication::translate("CharacterSelectScreen", "ジャンル"), 9, 348, 91, 31);
    okButton = MakeButton(this, QStringLiteral("okButton"), QStringLiteral("OK"), 243, 348, 91, 31);
    backButton = MakeButton(this, QStringLiteral("backButton"),
                            QCoreApplication::translate("CharacterSelectScreen", "戻る"), 342, 348, 91, 31);
    connect(settingsButton, &QPushButton::clicked, this, [this] { ShowGenreDialog(); });
    connect(okButton, &QPushButton::clicked, this, [this] { ConfirmCharacter(); });
    connect(backButton, &QPushButton::clicked, this, [this] { LeaveTo(BackScreen()); });

    demoTimer = new Timer(this, QStringLiteral("demoTimer"), 100, [this] { MoveDemo(); });
    SetKeysFirst(true);
}

void CharacterSelectScreen::OnLoad() {
    SetBackgroundPicture(Bitmap(QStringLiteral("BACK")));
    for (int i = 0; i < 5; ++i) {
        characterPictures[i] = CharaBitmap(PlayableCast()[i].number);
        characterTiles[i]->DrawPixmap(characterPictures[i], 0, 0);
    }
    // Every visit starts on CrazyBallRed; an earlier choice is not kept.
    ChooseCharacter(0);
    demoTimer->Start();
    okButton->setFocus();
    PlayMusic(g, QStringLiteral("back.mid"));
}

void CharacterSelectScreen::ChooseCharacter(int index) {
    for (int i = 0; i < 5; ++i) {
        characterTiles[i]->SetChosen(i == index);
        characterTiles[i]->DrawPixmap(characterPictures[i], 0, 0);
    }
    const PlayableCharacter& c = PlayableCast()[index];
    g.derby.ChoosePlayer(c);
    DemoX = 62;
    characterName->setText(c.name);
    for (int i = 0; i < 5; ++i)
        SetSpokenParts(
            characterTiles[i],
            {PlayableCast()[i].name +
             (i == index ? QCoreApplication::translate("CharacterSelectScreen", "（選択中）") : QString())});
    ShowStats();
}

void CharacterSelectScreen::ShowStats() {
    const float endurance = EnduranceOf(g.derby.Player().missCost);
    const int step = g.derby.Player().step * 10;
    enduranceBar->setValue(qBound(0, int(RoundHalfEven(endurance)), 100));
    enduranceValue->setText(ShortestSingle(endurance));
    stepSizeBar->setValue(qBound(0, step, 100));
    stepSizeValue->setText(QString::number(step));
}

void CharacterSelectScreen::MoveDemo() {
    demoTrack->ClearToBackground();
    const int chosen = PlayableCharacterOf(g.derby.Player().number).number;
    demoTrack->DrawPixmap(characterPictures[chosen - 1], DemoX, 2);
    DemoX += 3;
    if (DemoX + 65 >= kDemoWidth) DemoX = 0;
}

void CharacterSelectScreen::ConfirmCharacter() {
    LeaveTo(Screen::HeatInfo);
}

void CharacterSelectScreen::ShowGenreDialog() {
    ctx.nav.ShowModal(new DerbyGenreDialog(ctx, this));
}

void CharacterSelectScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Backspace)
        LeaveTo(BackScreen());
    else if (IsEnterKey(key) || key == Qt::Key_Space)
        PressFocusedButton(IsEnterKey(key));
}

void CharacterSelectScreen::PressFocusedButton(bool orOK) {
    // The focus starts on OK, so Enter starts the derby unless the player tabbed elsewhere.
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* button = focused ? focused : orOK ? okButton : nullptr;
    if (button && button->isEnabled()) button->click();
}

bool CharacterSelectScreen::eventFilter(QObject* watched, QEvent* event) {
    // Tab and Shift+Tab move the focus among the buttons, as in any dialog.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
    }
    return ScreenBase::eventFilter(watched, event);
}

void CharacterSelectScreen::LeaveTo(Screen next) {
    if (IsClosing()) return;
    g.audio.StopMidi();
    ctx.nav.Replace(this, next);
}

bool CharacterSelectScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) {
        g.audio.StopMidi();
        ShowBackTarget();
    }
    return true;
}

void CharacterSelectScreen::OnClose() {
    demoTimer->Stop();
}

}  // namespace kd
