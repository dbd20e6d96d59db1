#pragma once
#include <QLabel>
#include <QPushButton>
#include <array>

#include "net/Protocol.h"
#include "platform/widgets/FormBase.h"

namespace kd {

// The places of a network race with each runner's keys, misses and keys per second.
// "もう一度" races the same room again; "戻る" leaves it.
class frmNetResult : public FormBase {
    Q_OBJECT
  public:
    explicit frmNetResult(AppContext& ctx);

    static constexpr int kColumns = 6;
    // lblCell(row,column): row 0 the headings, rows 1-4 the places.
    std::array<std::array<QLabel*, kColumns>, net::kLaneCount + 1> lblCell{};
    QLabel* lblStatus;
    QPushButton* cmdAgain;
    QPushButton* cmdBack;

    // "5.3" keys per second from keys and milliseconds; "-" for none.
    static QString KeysPerSecond(int keys, qint32 ms);

  protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    bool Form_QueryUnload(UnloadMode mode) override;

  private:
    void cmdAgain_Click();
    void cmdBack_Click();
    bool m_handedOver = false;
};

}  // namespace kd
