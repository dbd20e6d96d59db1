#include "derby/RaceScreen.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>

#include "common/GameState.h"
#include "common/HeatFile.h"
#include "common/HeatRules.h"
#include "common/RecordFile.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "questions/StringTable.h"

namespace kd {

static_assert(DerbyRun::kTrackLength == DerbyPlayScreen::kRaceLayout.ground.width(),
              "the run's track is the one drawn");

RaceScreen::RaceScreen(AppContext& ctx_)
    : DerbyPlayScreen(ctx_, Screen::KeyDerby, QStringLiteral("KeyDerby"), kRaceLayout, GameMode::Race) {}

void RaceScreen::Init() {
    // The lane lines never move: drawn once into the background, they are not restored and
    // repainted across the whole track with every step of the balls.
    QPixmap ground = Bitmap(QStringLiteral("KEYDERBYBACK"));
    {
        QPainter p(&ground);
        p.setPen(Qt::white);
        for (int y : kLaneLineY) p.drawLine(6, y, 639, y);
    }
    track->SetBackground(ground);
    g.rnd.ReseedFromClock();
    g.audio.StopMidi();
    g.derby.SetUpHeat();
    for (int i = 0; i < DerbyRun::kLanes; ++i) characterPictures[i] = CharaBitmap(g.derby.Character(i));
    Redraw();
    ResetPlayControls(QCoreApplication::translate("RaceScreen", "スペースでスタート"), g.derby.Power());
    LoadGenre();
    g.judge.Reset();
}

QString RaceScreen::MusicName() const {
    return QString::fromLatin1(g.derby.Plan().musicFile);
}

void RaceScreen::Redraw() {
    track->ClearToBackground();
    for (int i = 0; i < DerbyRun::kLanes; ++i) track->DrawPixmap(characterPictures[i], g.derby.X(i), 65 * i);
    SetSpokenParts(track, LaneTexts(g.derby));
}

void RaceScreen::MoveOpponents() {
    g.derby.StepOpponents(g.rnd);
    Redraw();
    g.play.LanesMoved({g.derby.X(0), g.derby.X(1), g.derby.X(2), g.derby.X(3), 0});
}

bool RaceScreen::StepPlayer() {
    if (!g.derby.StepPlayer()) return false;
    // The movement stops here, so no later tick or key can change the order before the
    // result is settled.
    EndWithVerdict(kGreen, QStringLiteral("Finish!!"), false);
    return true;
}

void RaceScreen::OnFinished() {
    const HeatSettlement s = g.derby.Settle();
    g.play.RaceSettled(s.place);
    const bool saved = KeepHeatSettlement(g, s);
    if (!saved) {
        QPointer<RaceScreen> self(this);
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(
                         QCoreApplication::translate("RaceScreen", "レースの結果を保存できませんでした")),
                     MsgButtons::OK);
        if (!self) return;
    }
    LeaveTo(Screen::RankingKeyDerby);
}

}  // namespace kd
