#include <gtest/gtest.h>

#include "common/SoundSwitches.h"
#include "support/TestApp.h"

namespace kd::test {
namespace {

// The music switch decides alone whether a screen's piece is heard and stopped.
TEST(MusicSwitch, PiecesPlayOnlyWhenOnAndStopWheneverNotOff) {
    const struct {
        bool bgmOn;
        const char* afterPlay;  // the piece playing after PlayMusic
        int stops;              // StopMidi calls made by StopMusic
    } rows[] = {{true, "back.mid", 1}, {false, "", 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.bgmOn);
        TestApp app;
        app.g.musicOn = r.bgmOn;
        PlayMusic(app.g, QStringLiteral("back.mid"));
        EXPECT_EQ(app.audio.playing, QString::fromLatin1(r.afterPlay));
        app.audio.calls.clear();
        StopMusic(app.g);
        EXPECT_EQ(app.audio.calls.count(QStringLiteral("StopMidi")), r.stops);
        EXPECT_TRUE(app.audio.playing.isEmpty());
    }
}

}  // namespace
}  // namespace kd::test
