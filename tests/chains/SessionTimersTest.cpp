// Screens closed over a long session leave nothing ticking behind: a closed screen lingers until
// it is deleted, and its timers must not act on it in the meantime.
#include "ChainKit.h"
#include "common/GameState.h"
#include "common/Roster.h"
#include "platform/widgets/Timer.h"
#include "play/PlayScreen.h"

using namespace kd;
using namespace kd::test;

TEST(SessionTimers, ClosedScreensStopEveryTimerAndTakeThemAlong) {
    ChainApp app;
    app.UsePlayer();
    app.g.derby.ChoosePlayer(PlayableCharacterOf(1));
    const int alive = Timer::LiveCount();
    const int running = Timer::EnabledCount();
    for (Screen screen :
         {Screen::Practice, Screen::TimeTrial, Screen::KeyDerby, Screen::Boss, Screen::SelectChara,
          Screen::HeatInfo, Screen::Introduction, Screen::RankingTimeTrial, Screen::StartUp}) {
        const std::string name = ScreenName(screen).toStdString();
        app.g.derby.SetHeat(screen == Screen::Boss ? 6 : 1);
        app.g.player.TimeTrialRanking = 0;  // the ranking's name blinks
        ScreenBase* f = app.nav.Show(screen);
        ASSERT_NE(f, nullptr) << name;
        if (qobject_cast<PlayScreen*>(f)) StartPlay(f);
        EXPECT_GT(Timer::EnabledCount(), running) << name << " runs a timer while shown";
        f->CloseScreen();
        EXPECT_EQ(Timer::EnabledCount(), running) << name << " left a timer running when closed";
        TestApp::Flush();
        EXPECT_EQ(Timer::LiveCount(), alive) << name << " was not deleted with its timers";
    }
}
