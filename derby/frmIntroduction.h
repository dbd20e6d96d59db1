#pragma once
#include <QLabel>
#include <QPixmap>
#include <array>

#include "platform/widgets/Controls.h"
#include "platform/widgets/FormBase.h"
#include "platform/widgets/Timer.h"

namespace kd {

// The roll call after the boss: every character's picture with its name typed out, round
// and round until the player presses Space or Enter.
class frmIntroduction : public FormBase {
    Q_OBJECT
  public:
    explicit frmIntroduction(AppContext& ctx);

    QString ShownName;
    qint16 ShownLen = 0;
    qint16 CharaIndex = 1;

    PictureBox* pctChara;
    QLabel* lblCharaName;
    QLabel* Label2;
    Timer* tmrMoji;

  protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    bool Form_QueryUnload(UnloadMode mode) override;
    void Form_Unload() override;

  private:
    void Init();
    void PutUp(int item);
    void tmrMoji_Timer();
    std::array<QPixmap, 17> imlCharaList;
};

}  // namespace kd
