#pragma once
#include <QPixmap>
#include <array>

#include "derby/DerbyPlayScreen.h"

namespace kd {

// Heat 6: the player and the boss run from opposite edges to the post in the middle; each
// arrival stacks a ball beside the post and the runner starts again. Five balls win. The
// derby's run (GameState::derby) keeps the arena; this screen draws it.
class BossScreen : public DerbyPlayScreen {
    Q_OBJECT
  public:
    explicit BossScreen(AppContext& ctx);

  protected:
    void Init() override;
    QString MusicName() const override { return QStringLiteral("coolguy.mid"); }
    bool StepPlayer() override;
    void MoveOpponents() override;
    void OnFinished() override;

  private:
    void Redraw();

    std::array<QPixmap, 2> characterPictures;
    QPixmap post;
    std::array<QPixmap, 2> ballPictures;
    bool m_won = false;  // the verdict on show
};

}  // namespace kd
