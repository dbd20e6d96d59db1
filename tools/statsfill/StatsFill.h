#pragma once
#include <QString>
#include <QtGlobal>

namespace kd::statsfill {

// A player who improves over `days` days ending at `endMs`: faster and more accurate, with
// kana that go wrong more often than others (つ typed as "ti", "u" slipping to "i") and key
// pairs that take longer (one hand reaching across). Deterministic for a seed.
struct Options {
    int games = 200;
    int keysPerGame = 200;
    int days = 120;
    qint64 endMs = 1796000000000;  // 2026-11-30
    quint32 seed = 1;
    double abandonedShare = 0.03;
};

// Creates (or replaces) the database at `path` with the learning record's tables and fills it.
// False with a reason on failure.
bool Fill(const QString& path, const Options& o, QString* error = nullptr);

}  // namespace kd::statsfill
