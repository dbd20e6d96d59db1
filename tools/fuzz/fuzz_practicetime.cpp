// DATA/PracticeTime: the setting and the ten history rows read from any bytes; the playable
// setting is always playable; a history row that packs reads back the same.
#include "common/PracticeRecords.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    const QString user = e.g.player.GetUserName();
    const QString path = kd::PracticeTimePath(e.g, user);
    e.Put(path, data, size);
    const kd::PracticeTimeData setting = kd::LoadPracticeTime(e.g, user);
    KD_FUZZ_REQUIRE(kd::IsPlayableSetting(kd::PlayableSetting(setting)));
    const QList<kd::PracticeHistoryData> rows = kd::LoadPracticeHistory(path);
    KD_FUZZ_REQUIRE(rows.size() == kd::kPracticeHistoryRows);
    for (const auto& row : rows) {
        const QByteArray packed = kd::PackPracticeHistory(row);
        if (packed.size() != 128) continue;
        const kd::PracticeHistoryData again = kd::UnpackPracticeHistory(packed);
        KD_FUZZ_REQUIRE(again.HistDate == row.HistDate && again.CRate == row.CRate &&
                        again.PTime == row.PTime && again.Genre == row.Genre);
    }
    kd::PracticeHistoryData newest;
    newest.HistDate = QStringLiteral("2026/12/07");
    newest.CRate = QStringLiteral("95.7%");
    newest.TPS = 2.4f;
    newest.PTime = QStringLiteral("1分 0秒");
    newest.Genre = QStringLiteral("慣用句");
    if (kd::PushPracticeHistory(path, newest)) {
        const QByteArray after = e.Get(path);
        KD_FUZZ_REQUIRE(after.size() >= 11 * 128);
        // Record 1 (the setting) is never touched by the history.
        KD_FUZZ_REQUIRE(
            after.left(qMin<qsizetype>(128, qsizetype(size))) ==
            QByteArray(reinterpret_cast<const char*>(data), qMin<qsizetype>(128, qsizetype(size))));
    }
    return 0;
}
