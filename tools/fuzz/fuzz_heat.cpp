// DATA/Heat: any bytes read without a crash, and what was read is saved and read back the same.
#include "common/HeatFile.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    e.Put(QStringLiteral("DATA/Heat"), data, size);
    kd::LoadHeat(e.g);
    const kd::HeatData first = e.g.Heat;
    const qint16 coQualifier = e.g.Chara[1].CharaNo;
    KD_FUZZ_REQUIRE(first.HeatNo != 0);
    if (kd::SaveHeatRecord(e.g) && kd::SaveCoQualifierRecord(e.g)) {
        kd::LoadHeat(e.g);
        KD_FUZZ_REQUIRE(e.g.Heat.HeatNo == first.HeatNo);
        KD_FUZZ_REQUIRE(e.g.Chara[1].CharaNo == coQualifier);
    }
    return 0;
}
