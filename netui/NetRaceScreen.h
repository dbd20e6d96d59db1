#pragma once
#include <QLabel>
#include <QPixmap>
#include <array>
#include <memory>

#include "common/DerbyRun.h"
#include "derby/DerbyPlayScreen.h"
#include "net/Protocol.h"

namespace kd {

namespace net {
class QuestionDeck;
class Session;
}  // namespace net

// A network race on the derby's race screen: four lanes, this player's character moved by
// their own correct keys, the others' as the host reports them. Every lane names its runner
// and how far it has come, on the track and for screen readers.
class NetRaceScreen : public DerbyPlayScreen {
    Q_OBJECT
  public:
    explicit NetRaceScreen(AppContext& ctx);
    ~NetRaceScreen() override;

    std::array<int, net::kLaneCount> LaneX{};    // where each character is drawn
    std::array<int, net::kLaneCount> TargetX{};  // where it is heading
    std::array<net::LaneState, net::kLaneCount> LaneState{};
    std::array<QLabel*, net::kLaneCount> laneTexts{};
    QLabel* noticeText;
    bool PlayerFinished = false;
    bool PlayerOut = false;

    static QString LaneText(const QString& name, int x, net::LaneState state);

  protected:
    void Init() override;
    QString MusicName() const override { return QStringLiteral("umai3.mid"); }
    // The host says when the race starts, not Space.
    bool StartsOnSpace() const override { return false; }
    void NextQuestion() override;
    void ReportBegun() override;
    bool BeforeKey() override;
    bool AfterKey(bool hit) override;
    bool StepPlayer() override;
    void MoveOpponents() override;
    void OnFinished() override;
    void Retry() override;
    void Back() override;
    void OnClosedByPlayer() override;

  private:
    void RunOutOfPower();
    void Redraw();
    void ShowLaneTexts();
    void OnLanes();
    void OnOver();
    void OnPeerLeft(int lane, const QString& name, const QString& why);
    void OnClosed(const QString& why);
    void LeaveRace();
    void ShowNotice(const QString& text);
    net::Session* Room() const;
    std::unique_ptr<net::QuestionDeck> m_deck;
    std::array<QPixmap, net::kLaneCount> characterPictures;
    int m_local = 0;
    int m_chara = -1;
    int m_step = 0;
    int m_missCost = 15;
    // The derby's run in the shared state is not this race's: the power is kept here.
    PlayerPower m_power;
    bool m_overPending = false;
    bool m_leaving = false;
    bool m_asking = false;
    QString m_closedWhy;
};

}  // namespace kd
