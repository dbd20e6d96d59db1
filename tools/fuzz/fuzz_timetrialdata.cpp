// DATA/TimeTrialData: any bytes read as a sorted table that can be ranked against and saved,
// and a saved table reads back the same.
#include "common/TimeTrialRecords.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    static const QString path = e.g.PlayerPath(QStringLiteral("DATA/TimeTrialData"));
    e.Put(path, data, size);
    kd::TimeTrialTable table = kd::LoadTimeTrialData(path);
    bool seenEmpty = false;
    qint32 last = 0;
    for (const auto& r : table) {
        if (r.IsEmpty()) {
            seenEmpty = true;
            continue;
        }
        KD_FUZZ_REQUIRE(!seenEmpty && r.RankTime > 0 && r.RankTime >= last);
        last = r.RankTime;
    }
    const int place = kd::FindTimeTrialPlace(table, 12345);
    KD_FUZZ_REQUIRE(place >= -1 && place < kd::kTimeTrialPlaces);
    if (place >= 0) {
        kd::TimeTrialRecord entry;
        entry.RankName = QStringLiteral("花子");
        entry.RankTime = 12345;
        entry.RankRate = QStringLiteral("97.5%");
        entry.RankScore = kd::GetTimeTrialScore(QStringLiteral("慣用句"), 12345, 3);
        entry.RankGrade = kd::GetTimeTrialRank(12345);
        entry.RankGenre = QStringLiteral("慣用句");
        kd::InsertTimeTrialEntry(table, place, entry);
    }
    KD_FUZZ_REQUIRE(kd::SaveTimeTrialData(path, table));
    KD_FUZZ_REQUIRE(kd::LoadTimeTrialData(path) == table);
    return 0;
}
