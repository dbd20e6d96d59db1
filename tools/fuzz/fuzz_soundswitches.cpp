// DATA/Data: any bytes give two switches that are -1 or 0, and they survive a save.
#include "common/SoundSwitches.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    e.Put(QStringLiteral("DATA/Data"), data, size);
    kd::LoadSoundSwitches(e.g);
    const bool bgm = e.g.musicOn, effect = e.g.keySoundsOn;
    KD_FUZZ_REQUIRE((bgm == -1 || bgm == 0) && (effect == -1 || effect == 0));
    KD_FUZZ_REQUIRE(kd::SaveSoundSwitches(e.g));
    kd::LoadSoundSwitches(e.g);
    KD_FUZZ_REQUIRE(e.g.musicOn == bgm && e.g.keySoundsOn == effect);
    return 0;
}
