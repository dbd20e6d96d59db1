#pragma once
#include <QPixmap>
#include <array>

#include "derby/DerbyPlayScreen.h"

namespace kd {

// Heat 6: the player and the boss run from opposite edges to the post in the middle; each
// arrival stacks a ball beside the post and the runner starts again. Five balls win.
class BossScreen : public DerbyPlayScreen {
    Q_OBJECT
  public:
    explicit BossScreen(AppContext& ctx);

    static constexpr int kBallsToWin = 5;

    // The arena as drawn: both runners, the post, the balls stacked (0 the player's).
    struct Arena {
        qint16 playerX, bossX, postX, playerStep;
        std::array<qint16, 2> balls;
    };
    Arena View() const { return {PlayerX, BossX, PostX, PlayerStep, Balls}; }

  protected:
    void Init() override;
    QString MusicName() const override { return QStringLiteral("coolguy.mid"); }
    bool StepPlayer() override;
    void MoveOpponents() override;
    void OnFinished() override;

  private:
    void Redraw();

    qint16 BossX = 0;
    qint16 PlayerX = 0;
    qint16 BossMaxStep = 17;
    qint16 PlayerStep = 0;
    qint16 PostX = 0;
    std::array<qint16, 2> Balls{};
    std::array<QPixmap, 2> characterPictures;
    QPixmap post;
    std::array<QPixmap, 2> ballPictures;
    bool m_won = false;  // the verdict on show
};

}  // namespace kd
