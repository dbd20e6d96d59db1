#pragma once
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <array>

#include "platform/widgets/Controls.h"
#include "platform/widgets/ScreenBase.h"

namespace kd {

// The order of the heat just run, the player's place in red, and the verdict.
class RaceRankingScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit RaceRankingScreen(AppContext& ctx);

    QLabel* placeText;
    QLabel* verdictText;
    DrawingArea* rankingBoard;
    std::array<QLabel*, 4> rankNumbers{};
    QPushButton* okButton;

    void ShowNextHeat();

  protected:
    void OnLoad() override;
    bool MayClose(CloseReason reason) override;

  private:
    void Redraw();

    int Place = 0;  // 1-4, 0 before any heat was settled
    std::array<QPixmap, 4> characterPictures;
};

}  // namespace kd
