// DATA/Heat: any bytes read without a crash, and what was read is saved and read back the same.
#include "common/HeatFile.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    e.Put(QStringLiteral("DATA/Heat"), data, size);
    kd::LoadHeat(e.g);
    const int heat = e.g.derby.Heat();
    const int coQualifier = e.g.derby.CoQualifier();
    KD_FUZZ_REQUIRE(heat >= 1 && heat <= kd::kBossHeat);
    if (kd::SaveHeatRecord(e.g) && kd::SaveCoQualifierRecord(e.g)) {
        kd::LoadHeat(e.g);
        KD_FUZZ_REQUIRE(e.g.derby.Heat() == heat);
        KD_FUZZ_REQUIRE(e.g.derby.CoQualifier() == coQualifier);
    }
    return 0;
}
