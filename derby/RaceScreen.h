#pragma once
#include <QPixmap>
#include <array>

#include "common/DerbyRun.h"
#include "derby/DerbyPlayScreen.h"

namespace kd {

// One heat of the derby: the player's character against three opponents on four lanes, as the
// derby's run (GameState::derby) moves them.
class RaceScreen : public DerbyPlayScreen {
    Q_OBJECT
  public:
    explicit RaceScreen(AppContext& ctx);

    static constexpr std::array<int, 4> kLaneLineY = {66, 129, 195, 261};

  protected:
    void Init() override;
    QString MusicName() const override;
    bool StepPlayer() override;
    void MoveOpponents() override;
    void OnFinished() override;

  private:
    void Redraw();

    std::array<QPixmap, DerbyRun::kLanes> characterPictures;
};

}  // namespace kd
