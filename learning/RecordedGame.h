#pragma once
#include <QChar>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

#include "common/PlayEvents.h"

namespace kd {

// One game as it goes into the record (see learning/schema.sql for the columns).
struct RecordedQuestion {
    int questionId = 0;
    QString text;
    QString reading;
    qint64 shownMs = 0;                           // since the game began
    std::optional<qint64> firstKeyMs, lastKeyMs;  // since the question appeared
    int misses = 0;
    bool completed = false;
};

struct RecordedKey {
    int questionSeq = 0;
    qint64 ms = 0;  // since the question appeared
    QString expected;
    QChar expectedKey;
    QChar typed;
    bool hit = false;
    QString form;  // hits only
};

struct RecordedLanes {
    qint64 ms = 0;  // since the game began
    std::array<int, 5> positions{};
};

struct RecordedGame {
    GameMode mode = GameMode::Practice;
    QString genre;
    std::optional<int> chara, heat, settingSeconds;
    qint64 startedAt = 0;
    qint64 durationMs = 0;
    int correct = 0;
    int misses = 0;
    bool abandoned = false;
    bool imported = false;
    std::optional<qint32> timeMs, score;
    std::optional<QString> grade;
    std::optional<int> place;
    std::optional<bool> won;
    QList<RecordedQuestion> questions;
    QList<RecordedKey> keys;
    QList<RecordedLanes> lanes;
    std::array<int, 4> cast{};  // race: the character in each lane, 0 where not known
    InputMethod inputMethod = InputMethod::Romaji;
};

}  // namespace kd
