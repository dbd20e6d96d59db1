#include "platform/widgets/Screen.h"

#include <array>

namespace kd {

namespace {

struct ScreenRow {
    Screen screen;
    const char* name;
    std::optional<Screen> back;
};

// The screen asks the player, moves on, or ends the program by itself.
constexpr std::nullopt_t kDecides = std::nullopt;

// One row per screen, in the order of the enum.
constexpr std::array<ScreenRow, 19> kScreens = {{
    {Screen::StartUp, "SplashScreen", kDecides},
    {Screen::InputUserName, "PlayerNameScreen", kDecides},
    {Screen::Main, "MainMenu", kDecides},
    {Screen::Version, "AboutBox", kDecides},
    {Screen::Practice, "PracticeScreen", Screen::Main},
    {Screen::ResultPractice, "PracticeResultScreen", Screen::Practice},
    {Screen::TimeTrial, "TimeTrialScreen", Screen::Main},
    {Screen::ResultTimeTrial, "TimeTrialResultScreen", kDecides},
    {Screen::RankingTimeTrial, "TimeTrialRankingScreen", kDecides},
    {Screen::SelectChara, "CharacterSelectScreen", Screen::Main},
    {Screen::HeatInfo, "HeatInfoScreen", kDecides},
    {Screen::KeyDerby, "RaceScreen", Screen::SelectChara},
    {Screen::RankingKeyDerby, "RaceRankingScreen", Screen::Main},
    {Screen::Boss, "BossScreen", Screen::SelectChara},
    {Screen::Introduction, "RollCallScreen", Screen::Main},
    {Screen::NetHost, "HostLobbyScreen", Screen::Main},
    {Screen::NetJoin, "JoinRoomScreen", Screen::Main},
    {Screen::NetRace, "NetRaceScreen", Screen::Main},
    {Screen::NetResult, "NetResultScreen", Screen::Main},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kScreens.size(); ++i)
        if (static_cast<std::size_t>(kScreens[i].screen) != i) return false;
    return true;
}
static_assert(InEnumOrder() && kScreens.back().screen == Screen::NetResult,
              "one row per screen, in the order of the enum");

constexpr std::array<Screen, kScreens.size()> AllOf() {
    std::array<Screen, kScreens.size()> out{};
    for (std::size_t i = 0; i < kScreens.size(); ++i) out[i] = kScreens[i].screen;
    return out;
}
constexpr std::array<Screen, kScreens.size()> kAll = AllOf();

const ScreenRow& Row(Screen screen) {
    return kScreens.at(static_cast<std::size_t>(screen));
}

}  // namespace

QString ScreenName(Screen screen) {
    return QLatin1String(Row(screen).name);
}

std::optional<Screen> BackTarget(Screen screen) {
    return Row(screen).back;
}

std::span<const Screen> AllScreens() {
    return kAll;
}

}  // namespace kd
