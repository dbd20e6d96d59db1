// DATA/Data: any bytes give two switches, and a save stores each as -1 or 0 and reads back the same.
#include "common/SoundSwitches.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    e.Put(QStringLiteral("DATA/Data"), data, size);
    kd::LoadSoundSwitches(e.g);
    const bool bgm = e.g.musicOn, effect = e.g.keySoundsOn;
    KD_FUZZ_REQUIRE(kd::SaveSoundSwitches(e.g));
    const QByteArray saved = e.Get(QStringLiteral("DATA/Data"));
    KD_FUZZ_REQUIRE(saved.size() >= 2 * kd::kRecordSize);
    for (int record = 0; record < 2; ++record) {
        const QByteArray value = saved.mid(record * kd::kRecordSize, 2);
        KD_FUZZ_REQUIRE(value == QByteArray("\xFF\xFF", 2) || value == QByteArray("\0\0", 2));
    }
    kd::LoadSoundSwitches(e.g);
    KD_FUZZ_REQUIRE(e.g.musicOn == bgm && e.g.keySoundsOn == effect);
    return 0;
}
