#include "learning/KanaInput.h"

#include <QSqlQuery>
#include <QVariant>

#include "common/GameState.h"
#include "learning/LearningRecord.h"
#include "learning/Settings.h"

namespace kd {

InputMethod PlayerInputMethod(const GameState& g) {
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    return store && Setting(store->Database(), kInputMethodSetting) == QLatin1String("kana")
               ? InputMethod::Kana
               : InputMethod::Romaji;
}

bool SetPlayerInputMethod(const GameState& g, InputMethod method) {
    LearningStore* store = g.learning ? g.learning->WritableStore() : nullptr;
    return store &&
           SetSetting(store->Database(), kInputMethodSetting,
                      method == InputMethod::Kana ? QStringLiteral("kana") : QStringLiteral("romaji"));
}

TimeTrialTable LoadKanaRanking(const QSqlDatabase& db) {
    TimeTrialTable t;
    if (!db.isOpen()) return t;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT place, name, time_ms, rate, score, grade, genre FROM kana_ranking "
                               "WHERE place BETWEEN 0 AND 9 ORDER BY place")))
        return t;
    while (q.next()) {
        TimeTrialRecord& r = t[q.value(0).toInt()];
        r.RankName = q.value(1).toString();
        r.RankTime = q.value(2).toInt();
        r.RankRate = q.value(3).toString();
        r.RankScore = qint16(q.value(4).toInt());
        r.RankGrade = q.value(5).toString();
        r.RankGenre = q.value(6).toString();
    }
    return t;
}

bool SaveKanaRanking(const QSqlDatabase& db, const TimeTrialTable& table) {
    QSqlDatabase d = db;
    if (!d.isOpen() || !d.transaction()) return false;
    QSqlQuery q(d);
    bool ok = q.exec(QStringLiteral("DELETE FROM kana_ranking"));
    ok = ok &&
         q.prepare(QStringLiteral("INSERT INTO kana_ranking(place, name, time_ms, rate, score, grade, genre) "
                                  "VALUES(?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; ok && i < kTimeTrialPlaces; ++i) {
        const TimeTrialRecord& r = table[i];
        if (r.IsEmpty()) continue;
        for (const QVariant& v :
             {QVariant(i), QVariant(r.RankName), QVariant(r.RankTime), QVariant(r.RankRate),
              QVariant(int(r.RankScore)), QVariant(r.RankGrade), QVariant(r.RankGenre)})
            q.addBindValue(v);
        ok = q.exec();
    }
    if (ok && d.commit()) return true;
    d.rollback();
    return false;
}

bool KanaRankingWritable(const GameState& g) {
    return g.learning && g.learning->WritableStore();
}

TimeTrialTable LoadKanaRanking(const GameState& g) {
    LearningStore* store = g.learning ? g.learning->Store() : nullptr;
    return store ? LoadKanaRanking(store->Database()) : TimeTrialTable();
}

bool SaveKanaRanking(const GameState& g, const TimeTrialTable& table) {
    LearningStore* store = g.learning ? g.learning->WritableStore() : nullptr;
    return store && SaveKanaRanking(store->Database(), table);
}

}  // namespace kd
