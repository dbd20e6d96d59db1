#include "derby/frmIntroduction.h"

#include "common/GameState.h"
#include "common/SoundSwitches.h"
#include "derby/Cast.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Navigator.h"

namespace kd {

frmIntroduction::frmIntroduction(AppContext& ctx_) : FormBase(ctx_, Screen::Introduction) {
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
    SetKeyPreview(true);
}

void frmIntroduction::Form_Load() {
    Init();
    tmrMoji->Start();
}

void frmIntroduction::Init() {
    const auto& cast = IntroductionCast();
    for (size_t i = 0; i < cast.size(); ++i) imlCharaList[i] = CharaBitmap(cast[i].CharaNo);
    PutUp(1);
    ShownLen = 0;
    CharaIndex = 1;
    lblCharaName->clear();
    PlayMusic(g, QStringLiteral("recovery1.mid"));
}

void frmIntroduction::PutUp(int item) {
    pctChara->Cls();
    pctChara->DrawPicture(imlCharaList[item - 1], 0, 0);
    ShownName = IntroductionCast()[item - 1].Key;
}

void frmIntroduction::tmrMoji_Timer() {
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

void frmIntroduction::Form_KeyDown(int KeyCode, int) {
    if (KeyCode != 32 && KeyCode != 13) return;
    if (Unloading()) return;
    tmrMoji->Stop();
    g.audio.StopMidi();
    ctx.nav.Replace(this, Screen::Main);
}

bool frmIntroduction::Form_QueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClosed) {
        g.audio.StopMidi();
        tmrMoji->Stop();
        ShowBackTarget();
    }
    return true;
}

void frmIntroduction::Form_Unload() {
    tmrMoji->Stop();
}

}  // namespace kd
