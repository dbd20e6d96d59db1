#include "tools/statsfill/StatsFill.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <cmath>
#include <random>
#include <vector>

#include "LearningSchema.h"
#include "common/TimeTrialRecords.h"

namespace kd::statsfill {

namespace {

constexpr qint64 kDayMs = 86400000;

struct Unit {
    const char* kana;
    const char* form;
    double missFactor;  // how much more often than the average this unit goes wrong
};

// A romaji typist's units with the form they follow; a few are harder than the rest.
const Unit kUnits[] = {
    {"か", "ka", 1},    {"き", "ki", 1},    {"く", "ku", 1},      {"け", "ke", 1},      {"こ", "ko", 1},
    {"さ", "sa", 1},    {"し", "si", 1.2},  {"す", "su", 1},      {"せ", "se", 1},      {"そ", "so", 1},
    {"た", "ta", 1},    {"ち", "ti", 1.5},  {"つ", "tu", 3.5},    {"て", "te", 1},      {"と", "to", 1},
    {"な", "na", 1},    {"に", "ni", 1},    {"ぬ", "nu", 1.4},    {"ね", "ne", 1},      {"の", "no", 0.8},
    {"は", "ha", 1},    {"ひ", "hi", 1},    {"ふ", "hu", 1.6},    {"へ", "he", 1},      {"ほ", "ho", 1},
    {"ま", "ma", 1},    {"み", "mi", 1},    {"む", "mu", 1.3},    {"め", "me", 1},      {"も", "mo", 1},
    {"や", "ya", 1.2},  {"ゆ", "yu", 1.8},  {"よ", "yo", 1.2},    {"ら", "ra", 1.3},    {"り", "ri", 1.2},
    {"る", "ru", 1.5},  {"れ", "re", 1.1},  {"ろ", "ro", 1},      {"わ", "wa", 1},      {"を", "wo", 1.5},
    {"ん", "nn", 2.2},  {"が", "ga", 1},    {"ぎ", "gi", 1},      {"ぐ", "gu", 1.2},    {"ご", "go", 1},
    {"じ", "zi", 1.6},  {"ず", "zu", 1.4},  {"ぜ", "ze", 1.5},    {"だ", "da", 1},      {"で", "de", 1},
    {"ど", "do", 1},    {"ば", "ba", 1.4},  {"び", "bi", 1.3},    {"ぶ", "bu", 1.6},    {"ぼ", "bo", 1.2},
    {"い", "i", 0.6},   {"う", "u", 0.9},   {"え", "e", 0.7},     {"お", "o", 0.7},     {"あ", "a", 0.5},
    {"しゃ", "sya", 2}, {"しょ", "syo", 2}, {"きょ", "kyo", 2},   {"ちゅ", "tyu", 2.5}, {"じょ", "jo", 1.8},
    {"っか", "kka", 2}, {"っと", "tto", 2}, {"っぱ", "ppa", 2.4}, {"っち", "tti", 2.6}, {"ー", "-", 2},
};
const char* const kWords[] = {"apple",  "river",  "summer", "window", "typing", "keyboard", "garden",
                              "yellow", "puzzle", "quiet",  "jacket", "zebra",  "mountain", "bridge"};

// The key a finger slips to instead of the one wanted.
char Slip(char want, std::mt19937& rng) {
    switch (want) {
        case 'u':
            return (rng() % 3) ? 'i' : 'y';
        case 'i':
            return (rng() % 2) ? 'o' : 'u';
        case 'n':
            return 'm';
        case 'r':
            return 't';
        case 't':
            return 'r';
        case 'o':
            return 'p';
        case 'e':
            return 'r';
        case 'a':
            return 's';
        case 's':
            return 'a';
        case 'h':
            return 'j';
        case 'y':
            return 't';
        case 'z':
            return 'x';
        case 'b':
            return 'v';
        case 'k':
            return 'l';
        default:
            break;
    }
    static const char row[] = "qwertyuiopasdfghjklzxcvbnm";
    return row[rng() % 26];
}

// Keys struck by the same finger or across the keyboard take longer after each other.
double PairFactor(char a, char b) {
    static const QByteArray left = "qwertasdfgzxcvb";
    const bool sameHand = left.contains(a) == left.contains(b);
    if (a == b) return 1.1;
    if ((a == 'b' && b == 'u') || (a == 'm' && b == 'u') || (a == 'y' && b == 'u') || (a == 'z' && b == 'u'))
        return 1.9;
    if ((a == 'k' && b == 'y') || (a == 'n' && b == 'y') || (a == 'g' && b == 'o')) return 1.6;
    return sameHand ? 1.25 : 0.9;
}

class Db {
  public:
    ~Db() {
        for (sqlite3_stmt* s : m_stmts) sqlite3_finalize(s);
        if (m_db) sqlite3_close(m_db);
    }
    bool Open(const QString& path) { return sqlite3_open(path.toUtf8().constData(), &m_db) == SQLITE_OK; }
    bool Exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK) return nullptr;
        m_stmts.push_back(s);
        return s;
    }
    QString Error() const {
        return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("cannot open");
    }

  private:
    sqlite3* m_db = nullptr;
    std::vector<sqlite3_stmt*> m_stmts;
};

bool Step(sqlite3_stmt* s) {
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_reset(s);
    return ok;
}

void Text(sqlite3_stmt* s, int i, const QByteArray& t) {
    sqlite3_bind_text(s, i, t.constData(), t.size(), SQLITE_TRANSIENT);
}

}  // namespace

bool Fill(const QString& path, const Options& o, QString* error) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    Db db;
    auto fail = [&] {
        if (error) *error = db.Error();
        return false;
    };
    if (!db.Open(path) || !db.Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=OFF;") ||
        !db.Exec(kLearningSchema) || !db.Exec("INSERT INTO meta VALUES('schema_version', '1'); BEGIN"))
        return fail();
    sqlite3_stmt* game = db.Prepare(
        "INSERT INTO games(id, mode, genre, chara, heat, setting_s, started_at, duration_ms, correct, "
        "misses, "
        "abandoned, imported, time_ms, grade, score, place, won) VALUES(?,?,?,?,?,?,?,?,?,?,?,0,?,?,?,?,?)");
    sqlite3_stmt* question = db.Prepare(
        "INSERT INTO questions(game_id, seq, question_id, text, reading, shown_ms, first_key_ms, "
        "last_key_ms, "
        "misses, completed) VALUES(?,?,?,?,?,?,?,?,?,?)");
    sqlite3_stmt* key = db.Prepare(
        "INSERT INTO keys(game_id, seq, question_seq, ms, expected, expected_key, typed, hit, form) "
        "VALUES(?,?,?,?,?,?,?,?,?)");
    if (!game || !question || !key) return fail();

    std::mt19937 rng(o.seed);
    std::uniform_real_distribution<double> uni(0, 1);
    std::normal_distribution<double> noise(1.0, 0.18);
    const int unitCount = int(sizeof kUnits / sizeof kUnits[0]);
    const qint64 startMs = o.endMs - qint64(o.days) * kDayMs;
    const double spacing = o.games > 0 ? double(o.days) * kDayMs / o.games : 0;

    for (int g = 0; g < o.games; ++g) {
        const double t = o.games > 1 ? double(g) / (o.games - 1) : 1;  // how far the player has come
        const double kps = std::max(0.8, (2.0 + 2.6 * t) * noise(rng));
        const double missP = std::max(0.005, 0.085 - 0.05 * t);
        const double r = uni(rng);
        const int mode = r < 0.4 ? 0 : r < 0.7 ? 1 : r < 0.95 ? 2 : 3;
        const bool english = uni(rng) < 0.3;
        const bool abandoned = uni(rng) < o.abandonedShare;
        const int keyBudget = abandoned ? o.keysPerGame / 3 : o.keysPerGame;
        const qint64 started = startMs + qint64(g * spacing + uni(rng) * spacing * 0.5);

        int seq = 0, qseq = 0, correct = 0, misses = 0;
        qint64 gameMs = 0;
        while (seq < keyBudget) {
            // One question: a handful of units (or one word), timed from when it appeared.
            std::vector<std::pair<QByteArray, QByteArray>> units;
            QByteArray reading;
            if (english) {
                const QByteArray w = kWords[rng() % (sizeof kWords / sizeof kWords[0])];
                for (char c : w) units.emplace_back(QByteArray(1, c), QByteArray(1, c));
                reading = w;
            } else {
                const int n = 5 + int(rng() % 6);
                for (int i = 0; i < n; ++i) {
                    const Unit& u = kUnits[rng() % unitCount];
                    units.emplace_back(QByteArray(u.kana), QByteArray(u.form));
                    reading += u.kana;
                }
            }
            qint64 ms = 500 + qint64(uni(rng) * 500);
            const qint64 firstKey = ms;
            int qMisses = 0;
            char prev = 0;
            const double missFactorBase = english ? 1.0 : 0.0;
            for (const auto& [kana, form] : units) {
                double factor = missFactorBase;
                if (!english)
                    for (const Unit& u : kUnits)
                        if (kana == u.kana) factor = u.missFactor;
                for (char c : form) {
                    if (prev) {
                        ms += qint64(1000.0 / kps * (prev ? PairFactor(prev, c) : 1.0) *
                                     std::max(0.3, noise(rng)));
                    }
                    while (uni(rng) < missP * factor && seq < keyBudget * 2) {
                        sqlite3_bind_int64(key, 1, g + 1);
                        sqlite3_bind_int(key, 2, seq++);
                        sqlite3_bind_int(key, 3, qseq);
                        sqlite3_bind_int64(key, 4, ms);
                        Text(key, 5, kana);
                        Text(key, 6, QByteArray(1, c));
                        Text(key, 7, QByteArray(1, Slip(c, rng)));
                        sqlite3_bind_int(key, 8, 0);
                        sqlite3_bind_null(key, 9);
                        if (!Step(key)) return fail();
                        ++misses;
                        ++qMisses;
                        ms += 250 + qint64(uni(rng) * 200);
                        factor *= 0.5;
                    }
                    sqlite3_bind_int64(key, 1, g + 1);
                    sqlite3_bind_int(key, 2, seq++);
                    sqlite3_bind_int(key, 3, qseq);
                    sqlite3_bind_int64(key, 4, ms);
                    Text(key, 5, kana);
                    Text(key, 6, QByteArray(1, c));
                    Text(key, 7, QByteArray(1, c));
                    sqlite3_bind_int(key, 8, 1);
                    Text(key, 9, form);
                    if (!Step(key)) return fail();
                    ++correct;
                    prev = c;
                }
            }
            sqlite3_bind_int64(question, 1, g + 1);
            sqlite3_bind_int(question, 2, qseq);
            sqlite3_bind_int(question, 3, int(rng() % 500));
            Text(question, 4, reading);
            Text(question, 5, reading);
            sqlite3_bind_int64(question, 6, gameMs);
            sqlite3_bind_int64(question, 7, firstKey);
            sqlite3_bind_int64(question, 8, ms);
            sqlite3_bind_int(question, 9, qMisses);
            sqlite3_bind_int(question, 10, 1);
            if (!Step(question)) return fail();
            gameMs += ms + 300;
            prev = 0;
            ++qseq;
        }

        sqlite3_bind_int64(game, 1, g + 1);
        sqlite3_bind_int(game, 2, mode);
        sqlite3_bind_text(game, 3, english ? "english" : "kannyouku", -1, SQLITE_STATIC);
        for (int i = 4; i <= 16; ++i) sqlite3_bind_null(game, i);
        if (mode >= 2) {
            sqlite3_bind_int(game, 4, 1 + int(rng() % 6));
            sqlite3_bind_int(game, 5, mode == 3 ? 6 : 1 + int(rng() % 5));
        }
        if (mode == 0) sqlite3_bind_int(game, 6, 60);
        sqlite3_bind_int64(game, 7, started);
        sqlite3_bind_int64(game, 8, gameMs);
        sqlite3_bind_int(game, 9, correct);
        sqlite3_bind_int(game, 10, misses);
        sqlite3_bind_int(game, 11, abandoned ? 1 : 0);
        if (mode == 1 && !abandoned) {
            sqlite3_bind_int64(game, 12, gameMs);
            Text(game, 13, GetTimeTrialRank(qint32(gameMs)).toUtf8());
            sqlite3_bind_int(game, 14, std::max<int>(0, 13300 - int(gameMs / 10)));
        }
        if (mode == 2) sqlite3_bind_int(game, 15, 1 + int(rng() % 4));
        if (mode == 3) sqlite3_bind_int(game, 16, uni(rng) < 0.4 ? 1 : 0);
        if (!Step(game)) return fail();
    }
    if (!db.Exec("COMMIT; PRAGMA wal_checkpoint(TRUNCATE);")) return fail();
    return true;
}

}  // namespace kd::statsfill
