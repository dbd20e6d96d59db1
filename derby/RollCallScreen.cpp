#include "derby/RollCallScreen.h"

#include "common/GameState.h"
#include "common/SoundSwitches.h"
#include "derby/Cast.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Navigator.h"

namespace kd {

RollCallScreen::RollCallScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::Introduction) {
    SetCaption(QStringLiteral("キャラクター紹介"));
    SetClientSize(321, 267);
    SetBackgroundColor(Qt::black);

    const QString title = QStringLiteral("キャラクター紹介");
    QLabel* shadow = MakeLabel(this, QStringLiteral("Label1(1)"), title, 51, 27);
    QLabel* front = MakeLabel(this, QStringLiteral("Label1(0)"), title, 48, 24);
    for (QLabel* l : {shadow, front}) {
        SetPixelFont(l, 28, true);
        l->adjustSize();
    }
    SetForeColor(shadow, kBlue);
    SetForeColor(front, QColor(128, 192, 255));

    pctChara = new PictureBox(this, QStringLiteral("pctChara"), 123, 93, 68, 68);
    pctChara->SetFillColor(kGrey);
    lblCharaName = MakeLabel(this, QStringLiteral("lblCharaName"), QString(), 87, 180, 139, 28);
    SetPixelFont(lblCharaName, 16, true);
    SetForeColor(lblCharaName, kGreen);
    Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("[ENTER/RETURN]を押してください。"), 18,
                       231);
    SetPixelFont(Label2, 16, true);
    Label2->adjustSize();
    SetForeColor(Label2, kYellow);
    Label2->setVisible(false);

    tmrMoji = new Timer(this, QStringLiteral("tmrMoji"), 150, [this] { tmrMoji_Timer(); });
    SetKeysFirst(true);
}

void RollCallScreen::OnLoad() {
    Init();
    tmrMoji->Start();
}

void RollCallScreen::Init() {
    const auto& cast = IntroductionCast();
    for (size_t i = 0; i < cast.size(); ++i) imlCharaList[i] = CharaBitmap(cast[i].CharaNo);
    PutUp(1);
    ShownLen = 0;
    CharaIndex = 1;
    lblCharaName->clear();
    PlayMusic(g, QStringLiteral("recovery1.mid"));
}

void RollCallScreen::PutUp(int item) {
    pctChara->Cls();
    pctChara->DrawPicture(imlCharaList[item - 1], 0, 0);
    ShownName = IntroductionCast()[item - 1].Key;
}

void RollCallScreen::tmrMoji_Timer() {
    if (ShownName.size() < ShownLen) {
        // The whole padded name has been on show: the next character comes up, while the
        // label still holds the previous name for this tick.
        ShownLen = 0;
        ++CharaIndex;
        PutUp(CharaIndex);
        if (CharaIndex == int(IntroductionCast().size())) {
            CharaIndex = 0;
            Label2->setVisible(true);
        }
        return;
    }
    lblCharaName->setText(ShownName.left(ShownLen));
    ++ShownLen;
}

void RollCallScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Space && !IsEnterKey(key)) return;
    if (IsClosing()) return;
    tmrMoji->Stop();
    g.audio.StopMidi();
    ctx.nav.Replace(this, Screen::Main);
}

bool RollCallScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) {
        g.audio.StopMidi();
        tmrMoji->Stop();
        ShowBackTarget();
    }
    return true;
}

void RollCallScreen::OnClose() {
    tmrMoji->Stop();
}

}  // namespace kd
