#pragma once
#include <QLabel>
#include <QPushButton>
#include <array>

#include "net/Protocol.h"
#include "platform/widgets/ScreenBase.h"

namespace kd {

// The places of a network race with each runner's keys, misses and keys per second.
// "もう一度" races the same room again; "戻る" leaves it.
class NetResultScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit NetResultScreen(AppContext& ctx);

    static constexpr int kColumns = 6;
    // tableCellrow_column: row 0 the headings, rows 1-4 the places.
    std::array<std::array<QLabel*, kColumns>, net::kLaneCount + 1> tableCells{};
    QLabel* statusText;
    QPushButton* raceAgainButton;
    QPushButton* backButton;

    // "5.3" keys per second from keys and milliseconds; "-" for none.
    static QString KeysPerSecond(int keys, qint32 ms);

  protected:
    void OnLoad() override;
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool MayClose(CloseReason reason) override;

  private:
    void RaceAgain();
    void LeaveScreen();
    bool m_handedOver = false;
};

}  // namespace kd
