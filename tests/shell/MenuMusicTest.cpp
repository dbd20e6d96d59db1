#include <gtest/gtest.h>

#include <QDir>

#include "platform/AudioTestFiles.h"
#include "platform/audio/SdlAudio.h"
#include "shell/MainMenu.h"
#include "shell/Register.h"
#include "support/TestApp.h"

using namespace kd;
using namespace kd::test;

namespace {

// The main menu with the real SDL back end, heard through the disk driver.
class MenuMusic : public ::testing::Test {
  protected:
    void SetUp() override {
        if (SdlAudio::SystemSoundFont().isEmpty())
            GTEST_SKIP() << "no General MIDI SoundFont installed (timgm6mb-soundfont)";
        WriteBytes(media.filePath(QStringLiteral("Midi/startup.mid")), TinyMidi());
        WriteBytes(media.filePath(QStringLiteral("Sound/correct.wav")), TinyWav(100));
        WriteBytes(media.filePath(QStringLiteral("Sound/miss.wav")), TinyWav(100));
    }

    // Opens the menu for a player whose DATA/Data holds this music switch; returns the
    // loudest sample of the first 0.4 s.
    int HeardWithBgm(qint16 bgmOn) {
        DiskAudio disk;
        SdlAudio audio(media.path());
        ManualTickCounter clock;
        ScriptedRandom rnd;
        QTemporaryDir root;
        GameState g(rnd, clock, audio, root.path());
        ScriptedMessageBoxes msg;
        Navigator nav;
        AppContext ctx{g, msg, nav};
        nav.SetContext(&ctx);
        nav.quitOnEnd = false;
        RegisterShellScreens(nav);

        g.player.SetUserName(QStringLiteral("Tester"));
        QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")));
        const char* data = bgmOn == -1 ? "FF FF" : "00 00";
        WriteBytes(g.PlayerPath(QStringLiteral("DATA/Data")), Record(data) + Record("00 00"));

        ScreenBase* menu = nav.Show(Screen::Main);
        EXPECT_NE(menu, nullptr);
        EXPECT_EQ(audio.MusicPlaying(), bgmOn == -1);
        EXPECT_TRUE(disk.WaitForMore(0.4));
        const int peak = disk.Peak();
        if (menu) menu->CloseScreen();
        TestApp::Flush();
        return peak;
    }

    QTemporaryDir media;
};

}  // namespace

TEST_F(MenuMusic, TheTitleMusicIsHeardWithBgmOnAndSilenceWithItOff) {
    EXPECT_GT(HeardWithBgm(-1), 500);
    EXPECT_EQ(HeardWithBgm(0), 0);
}
