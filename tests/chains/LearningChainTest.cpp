#include <QDir>
#include <QSqlQuery>

#include "ChainKit.h"
#include "common/GameState.h"
#include "common/Roster.h"
#include "learning/LearningRecord.h"
#include "support/LearningKit.h"

using namespace kd;
using namespace kd::test;

namespace {

struct Played {
    QMap<QString, QByteArray> files;  // the player's record files after the games
    QStringList games;                // mode abandoned correct misses keys place time_ms won
};

// A practice, a time trial, a race and a race left with Esc, through the real screens.
Played PlayAll(bool recording) {
    ChainApp app;
    app.UsePlayer();
    LearningRecord record(app.g);
    if (recording) {
        app.g.learning = &record;
        app.g.play.Add(&record.Recorder());
    }
    app.WriteFile(app.Player("DATA/gen"), Record("01 00"));
    app.WriteFile(app.Player("DATA/genderby"), Record("01 00"));
    app.WriteFile(app.Player("DATA/PracticeTime"),
                  Record("05 00 07 00 65 6E 67 6C 69 73 68"));  // 5 s, English

    ScreenBase* practice = app.nav.Show(Screen::Practice);
    StartPlay(practice);
    TypeHead(practice, 12);
    TypeWrong(practice, 3);
    TypeHead(practice, 1);
    app.clock.advance(5000);
    Fire(practice, QStringLiteral("countdownTimer"));
    practice->close();
    TestApp::Flush();

    ScreenBase* run = app.nav.Show(Screen::TimeTrial);
    StartPlay(run);
    app.clock.advance(30000);
    TypeWrong(run, 2);
    TypeHead(run, 114);
    Fire(run, QStringLiteral("finishTimer"));
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();

    for (bool leave : {false, true}) {
        app.g.derby.SetHeat(1);
        app.g.derby.ChoosePlayer(PlayableCharacterOf(1));
        ScreenBase* race = app.nav.Show(Screen::KeyDerby);
        StartPlay(race);
        Fire(race, QStringLiteral("moveTimer"), 3);
        TypeWrong(race, 1);
        TypeHead(race, leave ? 5 : 59);
        if (leave)
            Press(race, Qt::Key_Escape);
        else
            Fire(race, QStringLiteral("finishTimer"));
        for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
        TestApp::Flush();
    }

    Played out;
    const QDir data(app.Player("DATA"));
    for (const QString& f : data.entryList(QDir::Files)) out.files[f] = app.ReadFile(data.filePath(f));
    out.files["Data.dat"] = app.ReadFile(app.dir.filePath("Data.dat"));
    if (recording) {
        QSqlQuery q(record.Store()->Database());
        q.exec(
            "SELECT mode, abandoned, correct, misses, (SELECT count(*) FROM keys WHERE game_id = g.id), "
            "ifnull(place, '-'), ifnull(time_ms, '-'), (SELECT count(*) FROM questions WHERE game_id = g.id) "
            "> 0 "
            "FROM games g ORDER BY id");
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < 8; ++i) row << q.value(i).toString();
            out.games << row.join(u' ');
        }
        app.g.play.Remove(&record.Recorder());
    }
    return out;
}

}  // namespace

// Every game played through the screens is in the record with one row per key, and the
// record files come out byte for byte as they do without it.
TEST(LearningChain, GamesAreRecordedAndTheRecordFilesStayTheSame) {
    const Played plain = PlayAll(false);
    const Played recorded = PlayAll(true);
    EXPECT_EQ(recorded.games, (QStringList{"0 0 13 3 16 - - 1", "1 0 114 2 116 1 30000 1",
                                           "2 0 59 1 60 1 - 1", "2 1 5 1 6 - - 1"}));
    EXPECT_EQ(plain.files.keys(), recorded.files.keys());
    for (const QString& f : plain.files.keys())
        EXPECT_EQ(plain.files[f], recorded.files[f]) << f.toStdString();
}
