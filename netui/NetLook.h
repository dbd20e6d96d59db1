#pragma once
#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "net/Protocol.h"

namespace kd {

class CharaTile;

// What the room screens share: labels readable on the game's wallpapers, the pick of one of
// the five playable characters and the list of who is in the room.

void StyleNote(QLabel* label, int pixelSize = 14);

// The five playable characters as on the derby's selection screen, with the name beside.
class CharaPicker : public QWidget {
    Q_OBJECT
  public:
    CharaPicker(QWidget* parent, int x, int y);
    int Chosen() const { return m_chosen; }
    void Choose(int chara);
    std::function<void(int)> onChosen;
    std::array<CharaTile*, 5> characterTiles{};
    QLabel* characterSummary;

  private:
    int m_chosen = 1;
};

// "1  たろう（CrazyBallRed）" for each lane, "コンピューター" for lanes nobody took.
class PlayerLines {
  public:
    PlayerLines(QWidget* parent, int x, int y, int width);
    void Show(const net::Lobby& lobby, int localLane);
    std::array<QLabel*, net::kLaneCount> playerTexts{};
};

QString CharaName(int chara);
// A clear message for a machine whose only network is itself, or empty.
QString NoNetworkNote();

}  // namespace kd
