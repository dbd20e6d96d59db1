#pragma once
#include <QObject>
#include <QStringList>

#include "platform/widgets/Screen.h"

namespace kd {

struct AppContext;
class GameState;

namespace stats {

class StatsWindow;

// Opens the player's statistics window, or brings the open one to the front.
StatsWindow* OpenStatsWindow(const GameState& g);

// The screens that end a game; on them F2 opens the statistics window and a small hint says so.
inline const QStringList kResultScreens = {
    ScreenName(Screen::ResultPractice), ScreenName(Screen::ResultTimeTrial),
    ScreenName(Screen::RankingTimeTrial), ScreenName(Screen::RankingKeyDerby)};

// Watches the application's windows and gives every result screen its F2 key and hint as it
// appears, so the screens themselves need not know about the statistics.
class ResultScreenHotkey : public QObject {
    Q_OBJECT
  public:
    explicit ResultScreenHotkey(const GameState& g, QObject* parent = nullptr);
    ~ResultScreenHotkey() override;

    static constexpr const char* kHintName = "statsHint";

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Attach(QWidget* screen);
    const GameState& m_g;
};

}  // namespace stats
}  // namespace kd
