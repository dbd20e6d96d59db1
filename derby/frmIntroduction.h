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

    // The character on show (1-17) and its name as typed out so far.
    int ShownCharacter() const { return CharaIndex; }
    const QString& NameSoFar() const { return ShownName; }

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

    QString ShownName;
    qint16 ShownLen = 0;
    qint16 CharaIndex = 1;
    std::array<QPixmap, 17> imlCharaList;
};

}  // namespace kd
