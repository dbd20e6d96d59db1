#pragma once

namespace kd {

class GameState;
class MessageBoxes;
class Navigator;

// What every screen is handed: the shared state and the seams it talks through.
struct AppContext {
    GameState& g;
    MessageBoxes& msg;
    Navigator& nav;
};

}  // namespace kd
