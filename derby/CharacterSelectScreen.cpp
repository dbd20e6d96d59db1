#include "derby/CharacterSelectScreen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/Format.h"
#include "common/GameState.h"
#include "common/SoundSwitches.h"
#include "derby/Cast.h"
#include "derby/DerbyGenreDialog.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"

namespace kd {

namespace {
const QColor kLightGrey(224, 224, 224);
constexpr int kDemoWidth = 472;
}  // namespace

CharaTile::CharaTile(QWidget* parent, const QString& name, int x, int y, std::function<void()> onClick)
    : PictureBox(parent, name, x, y, 70, 70), m_onClick(std::move(onClick)) {
    SetFillColor(kLightGrey);
}

void CharaTile::SetChosen(bool chosen) {
    m_chosen = chosen;
    SetFillColor(chosen ? kYellow : kLightGrey);
}

void CharaTile::paintEvent(QPaintEvent* event) {
    PictureBox::paintEvent(event);
    if (!m_chosen) return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CharaTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_onClick) m_onClick();
}

CharacterSelectScreen::CharacterSelectScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::SelectChara) {
    SetCaption(QStringLiteral("キャラクター選択"));
    SetClientSize(441, 390);

    QLabel* info =
        MakeLabel(this, QStringLiteral("lblInfo"), QStringLiteral("キャラクターを選択してください。"), 9, 9);
    SetPixelFont(info, 15, true);
    info->adjustSize();

    MakeOutline(this, QStringLiteral("Shape1"), {3, 39, 433, 115}, kWhite);

    lblCharaName =
        MakeLabel(this, QStringLiteral("lblCharaName"), QStringLiteral("CrazyBallRed"), 9, 45, 200, 22);
    SetPixelFont(lblCharaName, 15, true);
    const std::array<int, 5> tileX = {9, 96, 183, 270, 357};
    for (int i = 0; i < 5; ++i)
        pctChara[i] = new CharaTile(this, QStringLiteral("pctChara(%1)").arg(i), tileX[i], 72,
                                    [this, i] { pctChara_Click(i); });

    QLabel* powerCaption =
        MakeLabel(this, QStringLiteral("lblPower(0)"), QStringLiteral("忍耐力："), 15, 159);
    lblPowerValue = MakeLabel(this, QStringLiteral("lblPower(1)"), QString(), 87, 159, 60, -1);
    pgbNinntaiRyoku = new QProgressBar(this);
    pgbNinntaiRyoku->setObjectName(QStringLiteral("pgbNinntaiRyoku"));
    pgbNinntaiRyoku->setGeometry(12, 180, 421, 22);
    QLabel* stepCaption =
        MakeLabel(this, QStringLiteral("lblStepSize(0)"), QStringLiteral("瞬発力："), 15, 216);
    lblStepSizeValue = MakeLabel(this, QStringLiteral("lblStepSize(1)"), QString(), 87, 216, 60, -1);
    // The background picture is dark.
    for (QLabel* l : {info, lblCharaName, powerCaption, lblPowerValue, stepCaption, lblStepSizeValue})
        SetForeColor(l, Qt::white);
    pgbStepSize = new QProgressBar(this);
    pgbStepSize->setObjectName(QStringLiteral("pgbStepSize"));
    pgbStepSize->setGeometry(12, 237, 421, 22);
    for (QProgressBar* bar : {pgbNinntaiRyoku, pgbStepSize}) {
        bar->setRange(0, 100);
        bar->setTextVisible(false);
    }

    auto* pctDisplay = new QWidget(this);
    pctDisplay->setObjectName(QStringLiteral("pctDisplay"));
    pctDisplay->setGeometry(9, 267, 352, 70);
    pctDemo = new PictureBox(pctDisplay, QStringLiteral("pctDemo"), -60, -3, kDemoWidth, 70);
    pctDemo->SetFillColor(kLightGrey);

    cmdSetting = MakeButton(this, QStringLiteral("cmdSetting"), QStringLiteral("ジャンル"), 9, 348, 91, 31);
    cmdOK = MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 243, 348, 91, 31);
    cmdBack = MakeButton(this, QStringLiteral("cmdBack"), QStringLiteral("戻る"), 342, 348, 91, 31);
    connect(cmdSetting, &QPushButton::clicked, this, [this] { cmdSetting_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { LeaveTo(BackScreen()); });

    tmrDemo = new Timer(this, QStringLiteral("tmrDemo"), 100, [this] { tmrDemo_Timer(); });
    SetKeysFirst(true);
}

void CharacterSelectScreen::OnLoad() {
    SetBackgroundPicture(Bitmap(QStringLiteral("BACK")));
    for (int i = 0; i < 5; ++i) {
        imlCharaList[i] = CharaBitmap(PlayableCast()[i].CharaNo);
        pctChara[i]->DrawPicture(imlCharaList[i], 0, 0);
    }
    // Every visit starts on CrazyBallRed; an earlier choice is not kept.
    pctChara_Click(0);
    tmrDemo->Start();
    cmdOK->setFocus();
    PlayMusic(g, QStringLiteral("back.mid"));
}

void CharacterSelectScreen::pctChara_Click(int index) {
    for (int i = 0; i < 5; ++i) {
        pctChara[i]->SetChosen(i == index);
        pctChara[i]->DrawPicture(imlCharaList[i], 0, 0);
    }
    const PlayableChara& c = PlayableCast()[index];
    CharaData& me = g.Chara[0];
    me.CharaNo = c.CharaNo;
    me.StepSize = c.StepSize;
    me.MissCost = c.MissCost;
    DemoX = 62;
    lblCharaName->setText(c.Name);
    ShowStats();
}

void CharacterSelectScreen::ShowStats() {
    const float endurance = EnduranceOf(g.Chara[0].MissCost);
    const int step = g.Chara[0].StepSize * 10;
    pgbNinntaiRyoku->setValue(qBound(0, int(RoundHalfEven(endurance)), 100));
    lblPowerValue->setText(ShortestSingle(endurance));
    pgbStepSize->setValue(qBound(0, step, 100));
    lblStepSizeValue->setText(QString::number(step));
}

void CharacterSelectScreen::tmrDemo_Timer() {
    pctDemo->Cls();
    pctDemo->DrawPicture(imlCharaList[PlayableByNo(g.Chara[0].CharaNo).CharaNo - 1], DemoX, 2);
    DemoX = qint16(DemoX + 3);
    if (DemoX + 65 >= kDemoWidth) DemoX = 0;
}

void CharacterSelectScreen::cmdOK_Click() {
    g.Chara[0].CharaName = lblCharaName->text();
    LeaveTo(Screen::HeatInfo);
}

void CharacterSelectScreen::cmdSetting_Click() {
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
    QPushButton* button = focused ? focused : orOK ? cmdOK : nullptr;
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
    tmrDemo->Stop();
}

}  // namespace kd
