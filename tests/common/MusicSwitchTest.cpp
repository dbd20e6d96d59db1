#include <gtest/gtest.h>

#include "common/SoundSwitches.h"
#include "support/TestApp.h"

namespace kd::test {
namespace {

// The music switch decides alone whether a screen's piece is heard; a value other than -1
// (only a damaged file gives one before it is read) plays nothing but still stops.
TEST(MusicSwitch, PiecesPlayOnlyWhenOnAndStopWheneverNotOff) {
    const struct {
        qint16 bgmOn;
        const char* afterPlay;  // the piece playing after PlayMusic
        int stops;              // StopMidi calls made by StopMusic
    } rows[] = {{-1, "back.mid", 1}, {0, "", 0}, {1, "", 1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.bgmOn);
        TestApp app;
        app.g.BgmOn = r.bgmOn;
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
