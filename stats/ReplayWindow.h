#pragma once
#include <QPixmap>
#include <QWidget>
#include <array>

#include "learning/Replay.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;

namespace kd {

class GameState;
class TickCounter;
class Timer;

namespace stats {

// The track, arena or lanes of a replayed game at one moment, drawn as the game drew them.
class ReplayTrack : public QWidget {
    Q_OBJECT
  public:
    ReplayTrack(QWidget* parent, const PlayedGame& game);
    void Show(const ReplayFrame& frame);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    GameMode m_mode;
    QPixmap m_background;
    std::array<QPixmap, 4> m_runners;  // time trial: ball, ghost; race: lanes 0-3; boss: player, boss
    QPixmap m_post;
    std::array<QPixmap, 2> m_balls;
    ReplayFrame m_frame;
};

// A recorded time trial, race or boss battle played again: the track, the question and the
// keys as they were typed (misses in red), at 1x, 2x or 4x, with pause and a position slider.
class ReplayWindow : public QWidget {
    Q_OBJECT
  public:
    ReplayWindow(TickCounter& clock, ReplayModel model, QWidget* parent = nullptr);
    ~ReplayWindow() override;

    const ReplayModel& Model() const { return m_model; }
    const ReplayFrame& Frame() const { return m_frame; }
    void Play();
    void Pause();
    void SetSpeed(int factor);
    void Seek(qint64 ms);
    // Shows the frame at the clock's position and sets the timer for the next change.
    void Refresh();

  private:
    QWidget* BuildQuestionPanel();
    QHBoxLayout* BuildControls();
    void ShowFrame(const ReplayFrame& f);

    ReplayModel m_model;
    ReplayClock m_clock;
    ReplayFrame m_frame;
    ReplayTrack* m_track;
    QLabel* m_questionLabel = nullptr;
    QLabel* m_readingLabel = nullptr;
    QLabel* m_keysLabel = nullptr;
    QLabel* m_countsLabel = nullptr;
    QLabel* m_positionLabel = nullptr;
    QPushButton* m_playButton = nullptr;
    std::array<QPushButton*, 3> m_speedButtons{};  // 1x, 2x, 4x
    QSlider* m_positionSlider = nullptr;
    Timer* m_replayTimer = nullptr;
    bool m_sliderMoving = false;
};

// Opens the replay of one game of the player's record; nullptr when it cannot be read.
// The statistics window can call this with a game it lists.
ReplayWindow* OpenReplay(const GameState& g, qint64 gameId, QWidget* parent = nullptr);
// The player's recorded games to choose a replay from.
QWidget* OpenReplayList(const GameState& g, QWidget* parent = nullptr);

// "タイムトライアル 英単語", "レース 第2戦 慣用句" ...
QString DescribeGame(GameMode mode, const QString& genre, int heat);
// The characters in lanes 1-3 of a recorded race, as the race showed them.
std::array<int, 3> ReplayOpponents(const PlayedGame& game);

}  // namespace stats
}  // namespace kd
