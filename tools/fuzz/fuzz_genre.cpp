// DATA/gen and DATA/genderby share one reader: any bytes, no crash, stable after a save.
#include "common/GenreFile.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    const QString path = e.g.PlayerPath(QStringLiteral("DATA/gen"));
    e.Put(path, data, size);
    const qint16 v = kd::ReadGenreValue(path);
    KD_FUZZ_REQUIRE(kd::WriteGenreValue(path, v));
    KD_FUZZ_REQUIRE(kd::ReadGenreValue(path) == v);
    KD_FUZZ_REQUIRE(e.Get(path).size() >= 128);
    return 0;
}
