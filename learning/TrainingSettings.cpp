#include "learning/TrainingSettings.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

#include "common/GameState.h"
#include "learning/KanaInput.h"
#include "learning/LearningRecord.h"
#include "learning/Settings.h"
#include "learning/Statistics.h"
#include "questions/StringTable.h"

namespace kd {

namespace {

constexpr int kBankIdioms = 183;
// Key pairs are counted over the newest games only: enough for a habit, quick on any record.
constexpr int kPairGames = 60;

LearningStore* ReadStore(const GameState& g) {
    return g.learning ? g.learning->Store() : nullptr;
}

LearningStore* WriteStore(const GameState& g) {
    return g.learning ? g.learning->WritableStore() : nullptr;
}

QString Read(const GameState& g, const QString& key) {
    LearningStore* store = ReadStore(g);
    return store ? Setting(store->Database(), key) : QString();
}

bool Write(const GameState& g, const QString& key, const QString& value) {
    LearningStore* store = WriteStore(g);
    return store && SetSetting(store->Database(), key, value);
}

// Misses of a spot, counted by the kana unit they happened in.
using UnitMisses = QHash<QString, int>;

// A key or pair missed nearly always inside one kana unit is that unit's weakness, not one of
// its own: without this a miss on し would also name s, and s is in most readings.
void LeaveToItsUnit(WeakSpot& spot, const UnitMisses& byUnit, const QHash<QString, int>& unitSeen) {
    QString worst;
    int most = 0;
    for (auto it = byUnit.cbegin(); it != byUnit.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            worst = it.key();
        }
    if (most > 0 && most * 5 >= spot.missed * 4 && unitSeen.value(worst) >= kDrillMinSeen)
        spot.missed -= most;
}

// Two keys in a row within a question, the second asked for after the first was typed right;
// a miss of the second counts against the pair.
QList<WeakSpot> RecentPairs(QSqlDatabase& db, const QHash<QString, int>& unitSeen, InputMethod method) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString sql =
        QStringLiteral(
            "SELECT k.game_id, k.question_seq, k.expected, k.expected_key, k.typed, k.hit FROM keys k "
            "WHERE k.game_id IN (SELECT id FROM games WHERE imported = 0 AND input_method = %2 "
            "ORDER BY id DESC LIMIT %1) ORDER BY k.game_id, k.seq")
            .arg(kPairGames)
            .arg(int(method));
    QHash<QString, WeakSpot> pairs;
    QHash<QString, UnitMisses> byUnit;
    if (!q.exec(sql)) return {};
    qint64 game = -1, question = -1;
    QChar previous;
    while (q.next()) {
        if (q.value(0).toLongLong() != game || q.value(1).toLongLong() != question) {
            game = q.value(0).toLongLong();
            question = q.value(1).toLongLong();
            previous = QChar();
        }
        const QString unit = q.value(2).toString();
        const QString expected = q.value(3).toString();
        const bool hit = q.value(5).toInt() != 0;
        if (!stats::IsEnglishUnit(unit) && !previous.isNull() && expected.size() == 1) {
            const QString label = QString(previous) + expected;
            WeakSpot& s = pairs[label];
            s.kind = WeakSpot::Kind::Pair;
            s.label = label;
            ++s.seen;
            if (!hit) {
                ++s.missed;
                ++byUnit[label][unit];
            }
        }
        const QString typed = q.value(4).toString();
        if (hit && !typed.isEmpty()) previous = typed.at(0);
    }
    for (WeakSpot& p : pairs) LeaveToItsUnit(p, byUnit.value(p.label), unitSeen);
    return pairs.values();
}

}  // namespace

bool RomajiGuideOn(const GameState& g) {
    return Read(g, TrainingSetting::kRomajiGuide) == QLatin1String("1");
}

bool SwitchRomajiGuide(const GameState& g, bool on) {
    return Write(g, TrainingSetting::kRomajiGuide, on ? QStringLiteral("1") : QStringLiteral("0"));
}

RomajiChoices LoadRomajiChoices(const GameState& g) {
    return RomajiChoices::FromText(Read(g, TrainingSetting::kRomajiChoices));
}

bool SaveRomajiChoices(const GameState& g, const RomajiChoices& choices) {
    return Write(g, TrainingSetting::kRomajiChoices, choices.ToText());
}

QList<QuestionSetInfo> PlayerQuestionSets(const GameState& g) {
    LearningStore* store = ReadStore(g);
    if (!store) return {};
    return QuestionSetStore(store->Database()).List();
}

QList<SetQuestion> PlayerSetQuestions(const GameState& g, qint64 setId) {
    LearningStore* store = ReadStore(g);
    if (!store) return {};
    return QuestionSetStore(store->Database()).Questions(setId);
}

PracticeSource LoadPracticeSource(const GameState& g, const QString& fileGenre) {
    const QString setting = Read(g, TrainingSetting::kPracticeSource);
    // Only a set needs the list; most players never made one.
    const QList<QuestionSetInfo> sets =
        setting.startsWith(QLatin1String("set:")) ? PlayerQuestionSets(g) : QList<QuestionSetInfo>();
    return PracticeSource::FromSetting(setting, fileGenre, sets);
}

bool SavePracticeSource(const GameState& g, const PracticeSource& source) {
    return Write(g, TrainingSetting::kPracticeSource, source.SettingText());
}

DrillRecord ReadDrillRecord(QSqlDatabase& db, InputMethod method) {
    DrillRecord r;
    const stats::Alphabet alphabet =
        method == InputMethod::Kana ? stats::Alphabet::KanaKeys : stats::Alphabet::Kana;
    if (!stats::RefreshSummaries(db)) return r;
    stats::Filter f;
    f.includeAbandoned = true;  // misses in a game left half-way are misses all the same
    QHash<QString, int> unitSeen;
    for (const stats::UnitStat& u : stats::WeakUnits(db, alphabet, f)) {
        r.spots << WeakSpot{WeakSpot::Kind::Unit, u.name, int(u.attempts), int(u.misses)};
        unitSeen[u.name] = int(u.attempts);
    }
    QHash<QString, UnitMisses> keyMisses;
    for (const stats::MixUp& m : stats::MixUps(db, alphabet, f, 100000))
        keyMisses[m.expectedKey][m.unit] += int(m.count);
    qint64 keys = 0, misses = 0;
    for (const stats::UnitStat& k : stats::WeakKeys(db, alphabet, f)) {
        WeakSpot spot{WeakSpot::Kind::Key, k.name, int(k.attempts), int(k.misses)};
        LeaveToItsUnit(spot, keyMisses.value(k.name), unitSeen);
        r.spots << spot;
        keys += k.attempts;
        misses += k.misses;
    }
    r.spots << RecentPairs(db, unitSeen, method);
    r.recordedKeys = int(qMin<qint64>(keys, std::numeric_limits<int>::max()));
    r.overallMissRate = keys > 0 ? double(misses) / double(keys) : 0.0;
    return r;
}

QList<DrillQuestion> BankDrillQuestions() {
    QList<DrillQuestion> questions;
    questions.reserve(kBankIdioms);
    const StringTable& table = StringTable::Instance();
    for (int i = 0; i < kBankIdioms; ++i) questions << DrillQuestion{table.LoadString(BankIdiomId(i))};
    return questions;
}

DrillPlan PlanPlayerDrill(const GameState& g, const RomajiChoices& choices) {
    LearningStore* store = ReadStore(g);
    QSqlDatabase db = store ? store->Database() : QSqlDatabase();
    const InputMethod method = PlayerInputMethod(g);
    const DrillRecord record = db.isOpen() ? ReadDrillRecord(db, method) : DrillRecord();
    return PlanDrill(record.spots, record.recordedKeys, record.overallMissRate, BankDrillQuestions(), choices,
                     method);
}

}  // namespace kd
