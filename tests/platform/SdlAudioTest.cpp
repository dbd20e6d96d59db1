#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "platform/AudioTestFiles.h"
#include "platform/audio/SdlAudio.h"

using namespace kd;
using namespace kd::test;

namespace {

class SdlAudioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(media.filePath(QStringLiteral("Midi/tune.mid")), TinyMidi());
        WriteBytes(media.filePath(QStringLiteral("Sound/correct.wav")), TinyWav(300));
        WriteBytes(media.filePath(QStringLiteral("Sound/miss.wav")), TinyWav(300));
    }
    QTemporaryDir media;
};

}  // namespace

TEST_F(SdlAudioTest, MidiSoundsUntilStopped) {
    if (SdlAudio::SystemSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI SoundFont installed (timgm6mb-soundfont)";
    DiskAudio disk;
    SdlAudio audio(media.path());
    ASSERT_TRUE(audio.Open());
    audio.PlayMidi(QStringLiteral("tune.mid"));
    ASSERT_TRUE(audio.MusicPlaying());
    ASSERT_TRUE(disk.WaitForMore(0.4));
    EXPECT_GT(disk.Peak(), 500);

    audio.StopMidi();
    EXPECT_FALSE(audio.MusicPlaying());
    audio.StopMidi();
    // Skip what was already mixed when the music stopped.
    const qint64 stoppedAt = disk.Size() + 8192;
    ASSERT_TRUE(disk.WaitForMore(0.3));
    EXPECT_EQ(disk.Peak(stoppedAt), 0);
}

TEST_F(SdlAudioTest, KeySoundsPlayOnTheirOwnChannels) {
    DiskAudio disk;
    SdlAudio audio(media.path());
    audio.InitSoundEffects();
    ASSERT_TRUE(audio.Open());
    audio.PlaySoundEffect(true);
    audio.PlaySoundEffect(false);
    EXPECT_TRUE(Mix_Playing(0));
    EXPECT_TRUE(Mix_Playing(1));
    // Pressing again restarts the sound on its own channel; the other one rings on.
    audio.PlaySoundEffect(true);
    EXPECT_TRUE(Mix_Playing(0));
    EXPECT_TRUE(Mix_Playing(1));
    ASSERT_TRUE(disk.WaitForMore(0.2));
    EXPECT_GT(disk.Peak(), 5000);
    // A second preparation replaces both sounds.
    audio.InitSoundEffects();
    audio.PlaySoundEffect(false);
    EXPECT_TRUE(Mix_Playing(1));
}

TEST_F(SdlAudioTest, MissingFilesSoundFontOrDeviceMeanSilence) {
    {
        DiskAudio disk;
        QTemporaryDir empty;
        SdlAudio audio(empty.path());
        audio.InitSoundEffects();
        audio.PlaySoundEffect(true);
        audio.PlaySoundEffect(false);
        audio.PlayMidi(QStringLiteral("startup.mid"));
        EXPECT_FALSE(audio.MusicPlaying());
        audio.StopMidi();
        ASSERT_TRUE(disk.WaitForMore(0.2));
        EXPECT_EQ(disk.Peak(), 0);
    }
    {
        DiskAudio disk;
        SdlAudio audio(media.path(), QString(""));  // no SoundFont
        audio.PlayMidi(QStringLiteral("tune.mid"));
        EXPECT_FALSE(audio.MusicPlaying());
        ASSERT_TRUE(disk.WaitForMore(0.2));
        EXPECT_EQ(disk.Peak(), 0);
    }
    {
        DiskAudio disk;
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        SdlAudio audio(media.path());
        EXPECT_FALSE(audio.Open());
        audio.InitSoundEffects();
        audio.PlaySoundEffect(true);
        audio.PlayMidi(QStringLiteral("tune.mid"));
        audio.StopMidi();
        EXPECT_FALSE(audio.MusicPlaying());
    }
}

TEST_F(SdlAudioTest, DeviceSleepsWhileSilentAndWakesForTheNextSound) {
    SdlAudio audio(media.path());
    audio.InitSoundEffects();
    ASSERT_TRUE(audio.DeviceOpen());

    // A sound still ringing keeps the device open.
    audio.PlaySoundEffect(true);
    EXPECT_FALSE(audio.SleepIfSilent());
    EXPECT_TRUE(audio.DeviceOpen());

    Mix_HaltChannel(-1);
    EXPECT_TRUE(audio.SleepIfSilent());
    EXPECT_FALSE(audio.DeviceOpen());
    EXPECT_TRUE(audio.SleepIfSilent());  // asleep stays asleep

    // Both key sounds come back at once, from the sounds loaded before the sleep.
    audio.PlaySoundEffect(false);
    EXPECT_TRUE(audio.DeviceOpen());
    EXPECT_TRUE(Mix_Playing(1));
    audio.PlaySoundEffect(true);
    EXPECT_TRUE(Mix_Playing(0));

    // Music wakes it too, and nothing sleeps under a piece that is still playing.
    Mix_HaltChannel(-1);
    ASSERT_TRUE(audio.SleepIfSilent());
    EXPECT_TRUE(audio.Open());
    if (!SdlAudio::SystemSoundFont().isEmpty()) {
        audio.SleepIfSilent();
        audio.PlayMidi(QStringLiteral("tune.mid"));
        EXPECT_TRUE(audio.MusicPlaying());
        EXPECT_FALSE(audio.SleepIfSilent());
        audio.StopMidi();
        EXPECT_TRUE(audio.SleepIfSilent());
        EXPECT_FALSE(audio.MusicPlaying());
    }
}
