#pragma once
#include <QString>
#include <optional>
#include <span>

namespace kd {

// Every screen the navigator opens. A new screen gets a value here and a row in the table of
// Screen.cpp (its class name and where Back leads), and its folder's Register.cpp builds it.
enum class Screen {
    StartUp,
    InputUserName,
    Main,
    Version,
    Practice,
    ResultPractice,
    TimeTrial,
    ResultTimeTrial,
    RankingTimeTrial,
    SelectChara,
    HeatInfo,
    KeyDerby,
    RankingKeyDerby,
    Boss,
    Introduction,
    NetHost,
    NetJoin,
    NetRace,
    NetResult,
};

// The class name, which is also the screen's object name ("PracticeScreen").
QString ScreenName(Screen screen);
// Where the screen's Back button and its close box lead; nullopt for a screen that decides by
// itself (it asks, or ends the program).
std::optional<Screen> BackTarget(Screen screen);
// All screens, in the order of the enum.
std::span<const Screen> AllScreens();

}  // namespace kd
