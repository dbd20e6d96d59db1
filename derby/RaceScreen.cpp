#include "derby/RaceScreen.h"

#include <QPainter>
#include <QPointer>
#include <cmath>

#include "common/GameState.h"
#include "common/HeatFile.h"
#include "common/HeatRules.h"
#include "common/RecordFile.h"
#include "derby/Cast.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "questions/StringTable.h"

namespace kd {

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
    SetUpHeat();
    for (int i = 0; i < 4; ++i) {
        characterPictures[i] = CharaBitmap(g.Chara[i].CharaNo);
        CharaX[i] = 0;
        g.FinishOrder[i] = 0;
        Finished[i] = false;
    }
    NextRank = 1;
    Redraw();
    ResetPlayControls(QStringLiteral("スペースでスタート"));
    LoadGenre();
    g.judge.Reset();
}

void RaceScreen::SetUpHeat() {
    const int heatNo = g.Heat.HeatNo;
    const HeatPlan plan = HeatPlanOf(heatNo);
    for (int j = 1; j <= 3; ++j) {
        if (plan.LaneChara[j - 1] != 0)
            g.Chara[j].CharaNo = plan.LaneChara[j - 1];
        else if (!IsPossibleCoQualifier(heatNo, g.Chara[j].CharaNo))
            // A damaged heat file: race someone who could have come through rather than a blank.
            g.Chara[j].CharaNo = FallbackCoQualifier(heatNo);
        g.Chara[j].StepSize = plan.StepSize;
    }
    RandRange = plan.RandRange;
    MidiName = plan.MidiName;
}

void RaceScreen::Redraw() {
    track->ClearToBackground();
    for (int i = 0; i < 4; ++i) track->DrawPixmap(characterPictures[i], CharaX[i], 65 * i);
}

void RaceScreen::MoveOpponents() {
    g.rnd.ReseedFromClock();
    for (int j = 1; j <= 3; ++j) {
        if (Finished[j]) continue;
        const float r = g.rnd.NextFloat();
        CharaX[j] = qint16(CharaX[j] + g.Chara[j].StepSize + int(std::floor(float(RandRange) * r)));
        // Opponents crossing on the same tick are ranked in lane order.
        if (CharaX[j] >= kFinishX) {
            g.FinishOrder[NextRank - 1] = g.Chara[j].CharaNo;
            Finished[j] = true;
            ++NextRank;
        }
    }
    Redraw();
    g.play.LanesMoved({CharaX[0], CharaX[1], CharaX[2], CharaX[3], 0});
}

bool RaceScreen::StepPlayer() {
    CharaX[0] = qint16(CharaX[0] + g.Chara[0].StepSize);
    if (CharaX[0] < kFinishX) return false;
    // The movement stops here, so no later tick or key can change the order before the
    // result is settled.
    EndWithVerdict(kGreen, QStringLiteral("Finish!!"), false);
    return true;
}

void RaceScreen::OnFinished() {
    const HeatSettlement s =
        SettleHeat(NextRank, g.FinishOrder, Finished,
                   {g.Chara[0].CharaNo, g.Chara[1].CharaNo, g.Chara[2].CharaNo, g.Chara[3].CharaNo});
    Finished = s.finished;
    NextRank = qint16(s.place == 4 ? 4 : 5);  // every lane is placed unless the player came last
    g.play.RaceSettled(s.place);
    const bool saved = KeepHeatSettlement(g, s);
    if (!saved) {
        QPointer<RaceScreen> self(this);
        ctx.msg.Show(this, AppTitle(),
                     SaveFailureMessage(QStringLiteral("レースの結果を保存できませんでした")),
                     MsgButtons::OK);
        if (!self) return;
    }
    LeaveTo(Screen::RankingKeyDerby);
}

}  // namespace kd
