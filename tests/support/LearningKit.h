#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include "learning/GameRecorder.h"

namespace kd::test {

// Plays the events of one game into a recorder: questions of the given readings, each typed
// with the given keys ('!' before a letter makes it a miss of that letter).
struct EventScript {
    PlayObserver& to;
    qint64 tick = 1000;

    void Begin(GameMode mode, const QString& genre = QStringLiteral("kannyouku"), int chara = -1,
               int heat = 0, int setting = 0) {
        to.OnGameBegun(GameBegun{mode, genre, chara, heat, setting, 1765000000000, tick});
    }
    void Question(int id, const QString& text, const QString& reading) {
        tick += 50;
        to.OnQuestionShown(QuestionShown{id, text, reading, tick});
    }
    // Keys of one unit: the unit, the form followed and what was typed.
    int Unit(const QString& unit, const QString& form, const QString& typed) {
        int misses = 0;
        int pos = 0;
        for (int i = 0; i < typed.size(); ++i) {
            tick += 100;
            const bool miss = typed[i] == u'!';
            if (miss) ++i;
            KeyJudged k;
            k.tick = tick;
            k.expectedUnit = unit;
            k.formsBefore = {form};
            k.typed = typed[i];
            k.hit = !miss;
            k.expectedKey = form[pos];
            if (k.hit) {
                k.followedForm = form;
                ++pos;
                k.unitDone = pos == form.size();
            } else {
                ++misses;
            }
            to.OnKeyJudged(k);
        }
        return misses;
    }
    void EndQuestion(bool completed) { to.OnQuestionEnded(QuestionEnded{completed, tick += 10}); }
    void End(bool abandoned, int correct, int misses) {
        to.OnGameEnded(GameEnded{abandoned, tick += 10, correct, misses});
    }
};

inline QVariant One(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) return {};
    return q.value(0);
}

// A second connection to the same file, as another program would hold it.
struct OtherConnection {
    QString name = QUuid::createUuid().toString();
    QSqlDatabase db;
    explicit OtherConnection(const QString& path) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
    }
    ~OtherConnection() {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
};

}  // namespace kd::test
