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
    {Screen::StartUp, "frmStartUp", kDecides},
    {Screen::InputUserName, "frmInputUserName", kDecides},
    {Screen::Main, "frmMain", kDecides},
    {Screen::Version, "frmVersion", kDecides},
    {Screen::Practice, "frmPractice", Screen::Main},
    {Screen::ResultPractice, "frmResultPractice", Screen::Practice},
    {Screen::TimeTrial, "frmTimeTrial", Screen::Main},
    {Screen::ResultTimeTrial, "frmResultTimeTrial", kDecides},
    {Screen::RankingTimeTrial, "frmRankingTimeTrial", kDecides},
    {Screen::SelectChara, "frmSelectChara", Screen::Main},
    {Screen::HeatInfo, "frmHeatInfo", kDecides},
    {Screen::KeyDerby, "frmKeyDerby", Screen::SelectChara},
    {Screen::RankingKeyDerby, "frmRankingKeyDerby", Screen::Main},
    {Screen::Boss, "frmBoss", Screen::SelectChara},
    {Screen::Introduction, "frmIntroduction", Screen::Main},
    {Screen::NetHost, "frmNetHost", Screen::Main},
    {Screen::NetJoin, "frmNetJoin", Screen::Main},
    {Screen::NetRace, "frmNetRace", Screen::Main},
    {Screen::NetResult, "frmNetResult", Screen::Main},
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
