// Data.dat: any bytes load without a crash; a list that decoded packs back to the same record
// content, and one that did not is moved aside, never lost.
#include "common/PlayerList.h"
#include "tools/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& e = kdfuzz::TheEnv();
    const QString folder = e.g.programFolder;
    const QString path = kd::PlayerListPath(folder);
    e.files.clear();
    e.Put(path, data, size);
    const kd::UserNamesLoad load = kd::LoadUserNames(folder);
    KD_FUZZ_REQUIRE(load.names.size() == kd::kUserNameSlots);
    if (!load.keptCopy.isEmpty()) {
        // Moved, not copied, and under the first free name.
        KD_FUZZ_REQUIRE(load.keptCopy == path + QStringLiteral(".damaged") && !e.files.contains(path));
        KD_FUZZ_REQUIRE(e.Get(load.keptCopy) ==
                        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    }
    const auto unpacked = kd::UnpackUserNames(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(qMin<size_t>(size, 128)))
            .leftJustified(128, '\0'));
    if (unpacked) {
        const auto packed = kd::PackUserNames(*unpacked);
        if (packed) KD_FUZZ_REQUIRE(kd::UnpackUserNames(*packed) == unpacked);
    }
    // A stored name that names no safe folder is the name screen's to drop, not the reader's.
    for (const QString& name : load.names) (void)kd::PlayerNameProblem(name);
    const QStringList added = kd::AddUserName(load.names, QStringLiteral("花子"));
    KD_FUZZ_REQUIRE(kd::PackUserNames(added).has_value());
    return 0;
}
