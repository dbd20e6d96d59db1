#pragma once
#include <QPixmap>
#include <array>

#include "derby/DerbyPlayScreen.h"

namespace kd {

// One heat of the derby: the player's character against three opponents on four lanes.
class RaceScreen : public DerbyPlayScreen {
    Q_OBJECT
  public:
    explicit RaceScreen(AppContext& ctx);

    static constexpr int kFinishX = kRaceLayout.ground.width() - 70;
    static constexpr std::array<int, 4> kLaneLineY = {66, 129, 195, 261};

    // Where each runner stands (lane 0 the player), as drawn.
    const std::array<qint16, 4>& LaneX() const { return CharaX; }
    // The place the next runner to arrive takes.
    int NextPlace() const { return NextRank; }

  protected:
    void Init() override;
    QString MusicName() const override { return MidiName; }
    bool StepPlayer() override;
    void MoveOpponents() override;
    void OnFinished() override;

  private:
    void SetUpHeat();
    void Redraw();

    std::array<qint16, 4> CharaX{};
    std::array<bool, 4> Finished{};
    qint16 RandRange = 0;
    qint16 NextRank = 1;
    QString MidiName;
    std::array<QPixmap, 4> characterPictures;
};

}  // namespace kd
