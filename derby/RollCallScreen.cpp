#include "derby/RollCallScreen.h"

#include <QCoreApplication>

#include "common/GameState.h"
#include "common/Roster.h"
#include "common/SoundSwitches.h"
#include "platform/core/Audio.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/SpokenParts.h"

namespace kd {

RollCallScreen::RollCallScreen(AppContext& ctx_) : ScreenBase(ctx_, Screen::Introduction) {
    SetCaption(QCoreApplication::translate("RollCallScreen", "キャラクター紹介"));
    SetClientSize(321, 267);
    SetBackgroundColor(Qt::black);

    const QString title = QCoreApplication::translate("RollCallScreen", "キャラクター紹介");
    QLabel* shadow = MakeLabel(this, QStringLiteral("titleShadow"), title, 51, 27);
    QLabel* front = MakeLabel(this, QStringLiteral("titleText"), title, 48, 24);
    for (QLabel* l : {shadow, front}) {
        SetPixelFont(l, 28, true);
        l->adjustSize();
    }
    SetForeColor(shadow, kBlue);
    MarkDecorative(shadow);
    SetForeColor(front, QColor(128, 192, 255));

    characterPicture = new DrawingArea(this, QStringLiteral("characterPicture"), 123, 93, 68, 68);
    characterPicture->SetFillColor(kGrey);
    characterName = MakeLabel(this, QStringLiteral("characterName"), QString(), 87, 180, 139, 28);
    SetPixelFont(characterName, 16, true);
    SetForeColor(characterName, kGreen);
    pressEnterHint =
        MakeLabel(this, QStringLiteral("pressEnterHint"),
                  QCoreApplication::translate("RollCallScreen", "[ENTER/RETURN]を押してください。"), 18, 231);
    SetPixelFont(pressEnterHint, 16, true);
    pressEnterHint->adjustSize();
    SetForeColor(pressEnterHint, kYellow);
    pressEnterHint->setVisible(false);

    typeOutTimer = new Timer(this, QStringLiteral("typeOutTimer"), 150, [this] { TypeNextLetter(); });
    SetKeysFirst(true);
}

void RollCallScreen::OnLoad() {
    Init();
    typeOutTimer->Start();
}

void RollCallScreen::Init() {
    const auto& cast = RollCall();
    for (size_t i = 0; i < cast.size(); ++i) characterPictures[i] = CharaBitmap(cast[i].number);
    PutUp(1);
    ShownLen = 0;
    CharaIndex = 1;
    characterName->clear();
    PlayMusic(g, QStringLiteral("recovery1.mid"));
}

void RollCallScreen::PutUp(int item) {
    characterPicture->ClearToBackground();
    characterPicture->DrawPixmap(characterPictures[item - 1], 0, 0);
    ShownName = ShownRollCallName(RollCall()[item - 1].typedName);
}

void RollCallScreen::TypeNextLetter() {
    if (ShownName.size() < ShownLen) {
        // The whole padded name has been on show: the next character comes up, while the
        // label still holds the previous name for this tick.
        ShownLen = 0;
        ++CharaIndex;
        PutUp(CharaIndex);
        if (CharaIndex == int(RollCall().size())) {
            CharaIndex = 0;
            pressEnterHint->setVisible(true);
        }
        return;
    }
    characterName->setText(ShownName.left(ShownLen));
    ++ShownLen;
}

void RollCallScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Space && !IsEnterKey(key)) return;
    if (IsClosing()) return;
    typeOutTimer->Stop();
    g.audio.StopMidi();
    ctx.nav.Replace(this, Screen::Main);
}

bool RollCallScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) {
        g.audio.StopMidi();
        typeOutTimer->Stop();
        ShowBackTarget();
    }
    return true;
}

void RollCallScreen::OnClose() {
    typeOutTimer->Stop();
}

}  // namespace kd
