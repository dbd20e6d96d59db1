// DATA/TimeTrialData: any bytes read as a sorted table that can be ranked against and saved,
// and a saved table reads back the same.
//
// A place is packed and read from its own 128 bytes, and a sorted table is read back in its
// order: a saved table whose every place has come back the same before would come back the
// same again, and is not read a second time (about two inputs in three give such a table).
#include "common/TimeTrialRecords.h"
#include "tools/fuzz/FuzzSupport.h"

namespace {

// Fastest first, empty places last.
bool Ranked(const kd::TimeTrialTable& table) {
    bool seenEmpty = false;
    qint32 last = 0;
    for (const auto& r : table) {
        if (r.IsEmpty()) {
            seenEmpty = true;
            continue;
        }
        if (seenEmpty || r.RankTime <= 0 || r.RankTime < last) return false;
        last = r.RankTime;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    static const QString path = e.g.PlayerPath(QStringLiteral("DATA/TimeTrialData"));
    static kdfuzz::SeenHashes readBack(1 << 16);  // places that came back the same
    e.Put(path, data, size);
    kd::TimeTrialTable table = kd::LoadTimeTrialData(path);
    KD_FUZZ_REQUIRE(Ranked(table));
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
        KD_FUZZ_REQUIRE(Ranked(table));
    }
    KD_FUZZ_REQUIRE(kd::SaveTimeTrialData(path, table));
    if (readBack.Full()) readBack.Clear();
    bool fresh = false;
    for (const auto& r : table)
        if (readBack.Insert(
                qHashMulti(0, r.RankName, r.RankTime, r.RankRate, r.RankScore, r.RankGrade, r.RankGenre)))
            fresh = true;
    if (fresh) KD_FUZZ_REQUIRE(kd::LoadTimeTrialData(path) == table);
    return 0;
}
