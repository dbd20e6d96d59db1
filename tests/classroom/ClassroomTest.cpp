// The classroom against a real PostgreSQL server: the school's script, students sending their
// games (also through a dead network, a restarted server and a killed program), the teacher's
// view, and every refusal the server itself must make.
#include <gtest/gtest.h>
#include <signal.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include "PgTestServer.h"
#include "classroom/ClassSender.h"
#include "classroom/ClassServer.h"
#include "learning/ClassOutbox.h"
#include "learning/LearningStore.h"

namespace kd::test {
namespace {

class PgEnvironment : public ::testing::Environment {
  public:
    void TearDown() override { PgTestServer::EndShared(); }
};
const auto* const kPgEnvironment = ::testing::AddGlobalTestEnvironment(new PgEnvironment);

struct Class {
    QString code;
    QString teacher;
    QString password;
    QMap<QString, QString> joinCodes;  // name -> join code
};

// A class made through the server's own functions (the script's interface has a test of its own).
Class MakeClass(const QString& name, const QStringList& students) {
    Class c;
    QSqlQuery q(PgTestServer::Shared().Admin());
    q.prepare("SELECT keyderby.add_class(?)");
    q.addBindValue(name);
    EXPECT_TRUE(q.exec() && q.next()) << q.lastError().text().toStdString();
    c.code = q.value(0).toString();
    c.teacher = "先生" + name;
    q.prepare("SELECT keyderby.add_teacher(?, ?)");
    q.addBindValue(c.teacher);
    q.addBindValue(c.code);
    EXPECT_TRUE(q.exec() && q.next()) << q.lastError().text().toStdString();
    c.password = q.value(0).toString();
    q.prepare("SELECT name, join_code FROM keyderby.add_students(?, ?::text[])");
    q.addBindValue(c.code);
    QStringList quoted;
    for (const QString& s : students) quoted << '"' + s + '"';
    q.addBindValue('{' + quoted.join(',') + '}');
    EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
    while (q.next()) c.joinCodes.insert(q.value(0).toString(), q.value(1).toString());
    return c;
}

TeacherLogin LoginOf(const Class& c) {
    return {PgTestServer::Shared().Address(), c.code, c.teacher, c.password};
}

RecordedGame Game(GameMode mode, int correct, int misses, qint64 startedAt,
                  const QString& genre = "kannyouku") {
    RecordedGame g;
    g.mode = mode;
    g.genre = genre;
    g.startedAt = startedAt;
    g.durationMs = 10000;
    g.correct = correct;
    g.misses = misses;
    g.questions.append({101, "一石二鳥", "いっせきにちょう", 0, 10, 20, misses, true});
    for (int k = 0; k < correct; ++k) g.keys.append({0, k, "い", u'i', u'i', true, "i"});
    for (int k = 0; k < misses; ++k) g.keys.append({0, k, "せ", u's', u'a', false, {}});
    return g;
}

// A player's learning record in a folder of its own, joined to a class.
struct Student {
    QTemporaryDir dir;
    LearningStore store{dir.path() + "/learning.sqlite"};
    ClassMembership m;

    Student(const Class& c, const QString& name) {
        EXPECT_TRUE(store.Open());
        ClassServer server(PgTestServer::Shared().Address());
        const auto joined = server.Join(c.code, name, c.joinCodes.value(name));
        EXPECT_TRUE(joined) << server.Error().detail.toStdString();
        if (joined) m = *joined;
        EXPECT_TRUE(SaveMembership(store.Database(), m));
    }
    void Play(int n, qint64 from = 1765000000000) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(store.WriteGame(Game(GameMode::Practice, 20 + i, i % 3, from + i)));
    }
};

class Classroom : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(PgTestServer::Shared().Running()) << PgTestServer::Shared().Problem().toStdString();
    }
    void SetUp() override {
        if (!PgTestServer::Shared().Running()) GTEST_FAIL() << PgTestServer::Shared().Problem().toStdString();
    }
};

QStringList Lines(const QString& out) {
    return out.split('\n', Qt::SkipEmptyParts);
}

TEST_F(Classroom, TheSchoolsScriptPreparesClassesTeachersAndStudentsAndUpgradesInPlace) {
    PgTestServer& pg = PgTestServer::Shared();
    const auto again = pg.Script({"init"});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains("schema version: 1")) << again.out.toStdString();

    const auto cls = pg.Script({"add-class", "2年B組"});
    ASSERT_EQ(cls.exitCode, 0) << cls.err.toStdString();
    const QRegularExpressionMatch code =
        QRegularExpression("^class code: ([A-Z2-9]{4}-[A-Z2-9]{4})\n$").match(cls.out);
    ASSERT_TRUE(code.hasMatch()) << cls.out.toStdString();
    const auto teacher = pg.Script({"add-teacher", "山田", "2年B組"});
    EXPECT_TRUE(QRegularExpression("^teacher password: [a-z2-9]{16}\n$").match(teacher.out).hasMatch())
        << teacher.out.toStdString() << teacher.err.toStdString();
    const auto students = pg.Script({"add-students", code.captured(1), "佐藤 花子", "O'Brien"});
    EXPECT_NE(students.exitCode, 0) << "a name with a quote is refused";
    EXPECT_TRUE(students.err.contains("invalid name")) << students.err.toStdString();
    const auto two = pg.Script({"add-students", "2年B組", "佐藤 花子", "鈴木"});
    ASSERT_EQ(two.exitCode, 0) << two.err.toStdString();
    const QStringList lines = Lines(two.out);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(QRegularExpression("^佐藤 花子\t[A-Z2-9]{4}-[A-Z2-9]{4}$").match(lines[0]).hasMatch());
    EXPECT_TRUE(lines[1].startsWith("鈴木\t"));
    // The printed join code is the one the game joins with.
    ClassServer server(pg.Address());
    EXPECT_TRUE(server.Join(code.captured(1), "鈴木", lines[1].section('\t', 1)));
    EXPECT_EQ(pg.Script({"add-class", "3年C組"}).exitCode, 0);
    const auto status = pg.Script({"status"});
    EXPECT_TRUE(Lines(status.out).contains(QString("2年B組 (%1): 2 students, 0 games").arg(code.captured(1))))
        << status.out.toStdString();
    EXPECT_NE(pg.Script({"add-students", "無い組", "a"}).exitCode, 0);
}

TEST_F(Classroom, GamesReachTheTeachersViewOnceWithTheirCountsAndTheRanking) {
    const Class c = MakeClass("同期組", {"青木", "井上"});
    Student aoki(c, "青木"), inoue(c, "井上");
    aoki.Play(3);
    ASSERT_TRUE(aoki.store.WriteGame(Game(GameMode::TimeTrial, 114, 4, 1765000100000)));
    GameSettled trial;
    trial.timeMs = 20000;
    trial.grade = "B";
    ASSERT_TRUE(aoki.store.SettleGame(4, GameMode::TimeTrial, trial));
    inoue.Play(1);
    // Games played before joining stay on the machine.
    EXPECT_EQ(OutboxSize(aoki.store.Database()), 4);

    ClassServer server(PgTestServer::Shared().Address());
    const SendOutcome sent = SendOutbox(aoki.store.Database(), server);
    EXPECT_EQ(sent.sent, 4);
    EXPECT_EQ(sent.waiting, 0);
    EXPECT_EQ(SendOutbox(aoki.store.Database(), server).sent, 0);
    EXPECT_EQ(SendOutbox(inoue.store.Database(), server).sent, 1);

    const auto view = server.LoadClassView(LoginOf(c));
    ASSERT_TRUE(view) << server.Error().detail.toStdString();
    ASSERT_EQ(view->students.size(), 2);
    const StudentSummary& a = view->students[1].name == "青木" ? view->students[1] : view->students[0];
    EXPECT_EQ(a.games, 4);
    ASSERT_EQ(a.history.size(), 4);
    EXPECT_EQ(a.history[0].keys, 20);
    EXPECT_EQ(a.history[3].grade, "B");
    EXPECT_EQ(a.history[3].timeMs, 20000);
    EXPECT_NEAR(a.history[3].kps, 114 / 20.0, 0.01);
    EXPECT_EQ(a.bestTimeMs, 20000);
    // Keys: 20+21+22+114 hits of i by 青木, 20 by 井上; misses 0+1+2+4 of s (and 0).
    EXPECT_EQ(view->keys.value("i").hits, 197);
    EXPECT_EQ(view->keys.value("s").misses, 7);
    EXPECT_EQ(view->kana.value("せ").misses, 7);

    const auto ranking = server.Ranking(inoue.m, int(GameMode::Practice), "kannyouku");
    ASSERT_TRUE(ranking) << server.Error().detail.toStdString();
    ASSERT_EQ(ranking->size(), 2);
    EXPECT_EQ((*ranking)[0].name, "青木");
    EXPECT_EQ((*ranking)[1].place, 2);
    EXPECT_TRUE((*ranking)[1].mine);
    EXPECT_FALSE((*ranking)[0].mine);

    ASSERT_TRUE(server.RemoveStudent(LoginOf(c), a.id));
    ASSERT_EQ(server.LoadClassView(LoginOf(c))->students.size(), 1);
    // A game the server refuses for what it holds is given up; those around it still go.
    RecordedGame odd = Game(GameMode::Practice, 1, 0, 5);
    odd.genre = QString(60, u'x');
    inoue.Play(1, 10);
    ASSERT_TRUE(inoue.store.WriteGame(odd));
    inoue.Play(1, 20);
    const SendOutcome partly = SendOutbox(inoue.store.Database(), server);
    EXPECT_EQ(partly.sent, 2);
    EXPECT_EQ(partly.refused, 1);
    EXPECT_EQ(partly.waiting, 0);
    EXPECT_EQ(server.LoadClassView(LoginOf(c))->students[0].games, 3);

    // A removed student's games are refused and stay on the machine.
    aoki.Play(1);
    const SendOutcome refused = SendOutbox(aoki.store.Database(), server);
    EXPECT_EQ(refused.error.kind, ClassFailure::NotRecognised);
    EXPECT_EQ(refused.waiting, 1);
}

TEST_F(Classroom, TheBackgroundSenderSendsOnItsOwnThread) {
    const Class c = MakeClass("裏方組", {"上田"});
    Student ueda(c, "上田");
    ueda.Play(5);
    ClassSender sender(0, 60000);
    QSignalSpy finished(&sender, &ClassSender::Finished);
    sender.Kick(ueda.store.Path());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished[0][0].toInt(), 5);
    EXPECT_EQ(finished[0][1].toInt(), 0);
    EXPECT_EQ(OutboxSize(ueda.store.Database()), 0);
}

TEST_F(Classroom, GamesPlayedOfflineOrWhileTheServerRestartsArriveInOrderAndOnce) {
    PgTestServer& pg = PgTestServer::Shared();
    const Class c = MakeClass("停電組", {"遠藤"});
    Student endo(c, "遠藤");
    endo.Play(3, 1000);

    ServerAddress nowhere = pg.Address();
    nowhere.port = pg.Port() == 1 ? 2 : 1;  // nothing listens there
    ClassServer offline(nowhere);
    const SendOutcome out = SendOutbox(endo.store.Database(), offline);
    EXPECT_EQ(out.error.kind, ClassFailure::Unreachable);
    EXPECT_EQ(out.waiting, 3);

    ClassServer server(pg.Address());
    EXPECT_EQ(SendOutbox(endo.store.Database(), server).sent, 3);
    // The server stops mid-class with the connection open and comes back.
    endo.Play(2, 2000);
    ASSERT_TRUE(pg.Stop()) << pg.Problem().toStdString();
    const SendOutcome down = SendOutbox(endo.store.Database(), server);
    EXPECT_EQ(down.error.kind, ClassFailure::Unreachable);
    EXPECT_EQ(down.waiting, 2);
    EXPECT_FALSE(down.error.Message().isEmpty());
    endo.Play(1, 3000);
    ASSERT_TRUE(pg.StartAgain()) << pg.Problem().toStdString();
    EXPECT_EQ(SendOutbox(endo.store.Database(), server).sent, 3);

    const auto view = server.LoadClassView(LoginOf(c));
    ASSERT_TRUE(view);
    ASSERT_EQ(view->students.size(), 1);
    QList<qint64> order;
    for (const StudentGame& g : view->students[0].history) order << g.playedAt.toMSecsSinceEpoch();
    EXPECT_EQ(order, (QList<qint64>{1000, 1001, 1002, 2000, 2001, 3000}));
}

TEST_F(Classroom, AKillAfterTheServerStoredABatchLosesNothingAndDoublesNothing) {
    const Class c = MakeClass("強制終了組", {"加藤"});
    Student kato(c, "加藤");
    kato.Play(120);  // three batches
    kato.store.Close();

    QProcess worker;
    worker.start(KD_CLASS_WORKER, {kato.store.Path()});
    ASSERT_TRUE(worker.waitForReadyRead(20000)) << worker.readAllStandardError().toStdString();
    EXPECT_EQ(worker.readLine().trimmed(), "stored");
    ::kill(pid_t(worker.processId()), SIGKILL);
    ASSERT_TRUE(worker.waitForFinished(5000));

    ASSERT_TRUE(kato.store.Open());
    EXPECT_EQ(OutboxSize(kato.store.Database()), 120) << "the stored batch was not dropped before the kill";
    ClassServer server(PgTestServer::Shared().Address());
    const SendOutcome out = SendOutbox(kato.store.Database(), server);
    EXPECT_EQ(out.sent, 120);
    EXPECT_EQ(out.waiting, 0);
    QSqlQuery q(PgTestServer::Shared().Admin());
    q.prepare(
        "SELECT count(*), count(DISTINCT g.played_at) FROM keyderby.games g JOIN keyderby.students s ON "
        "s.id = g.student_id WHERE s.id = ?");
    q.addBindValue(kato.m.studentId);
    ASSERT_TRUE(q.exec() && q.next());
    EXPECT_EQ(q.value(0).toInt(), 120);
    EXPECT_EQ(q.value(1).toInt(), 120);
}

TEST_F(Classroom, TheServerRefusesWhatIsNotTheStudentsOrTheTeachersOwn) {
    PgTestServer& pg = PgTestServer::Shared();
    const Class mine = MakeClass("守り組", {"木村", "工藤"});
    const Class other = MakeClass("隣の組", {"小林"});
    Student kimura(mine, "木村"), kudo(mine, "工藤");
    ClassServer server(pg.Address());

    struct Refusal {
        const char* what;
        std::function<bool()> attempt;
        ClassFailure expected;
    };
    const QByteArray oneGame =
        "[" + ClassGamePayload(Game(GameMode::Practice, 5, 0, 1), "0a0e6c1e-0000-4000-8000-000000000001") +
        "]";
    QByteArray many = "[";
    for (int i = 0; i < 201; ++i)
        many += (i ? "," : "") + ClassGamePayload(Game(GameMode::Practice, 5, 0, i),
                                                  QUuid::createUuid().toString(QUuid::WithoutBraces));
    many += "]";
    QJsonObject huge = QJsonDocument::fromJson(oneGame).array()[0].toObject();
    QJsonObject counts;
    for (int i = 0; i < 2000; ++i) counts.insert(QString::number(i), QJsonArray{1, 0});
    huge.insert("key_counts", counts);
    const QByteArray hugeGame = QJsonDocument(QJsonArray{huge}).toJson(QJsonDocument::Compact);
    ClassMembership elsewhere = kimura.m;
    elsewhere.classCode = other.code;
    TeacherLogin wrongTeacher = LoginOf(mine);
    wrongTeacher.classCode = other.code;

    const Refusal refusals[] = {
        {"wrong class code", [&] { return bool(server.Join("ZZZZ-ZZZZ", "木村", mine.joinCodes["木村"])); },
         ClassFailure::WrongClass},
        {"another student's join code",
         [&] { return bool(server.Join(mine.code, "木村", mine.joinCodes["工藤"])); },
         ClassFailure::NotRecognised},
        {"forged student id", [&] { return bool(server.Submit(kudo.m.studentId, kimura.m.token, oneGame)); },
         ClassFailure::NotRecognised},
        {"SQL in a name",
         [&] { return bool(server.Join(mine.code, "x'); DROP TABLE keyderby.games; --", "AAAA-AAAA")); },
         ClassFailure::BadName},
        {"control character in a name",
         [&] { return bool(server.Join(mine.code, "木村\n\x1b[2J", "AAAA-AAAA")); }, ClassFailure::BadName},
        {"too many games at once",
         [&] { return bool(server.Submit(kimura.m.studentId, kimura.m.token, many)); },
         ClassFailure::TooLarge},
        {"an oversized game",
         [&] { return bool(server.Submit(kimura.m.studentId, kimura.m.token, hugeGame)); },
         ClassFailure::TooLarge},
        {"another class's ranking", [&] { return bool(server.Ranking(elsewhere, 0, "kannyouku")); },
         ClassFailure::NotRecognised},
        {"a teacher reading another class", [&] { return bool(server.LoadClassView(wrongTeacher)); },
         ClassFailure::NotRecognised},
        {"a teacher's wrong password",
         [&] {
             TeacherLogin l = LoginOf(mine);
             l.password += "x";
             return bool(server.LoadClassView(l));
         },
         ClassFailure::NotRecognised},
        {"a teacher removing another class's student",
         [&] { return server.RemoveStudent(LoginOf(other), kimura.m.studentId); },
         ClassFailure::NotRecognised},
    };
    for (const Refusal& r : refusals) {
        EXPECT_FALSE(r.attempt()) << r.what;
        EXPECT_EQ(server.Error().kind, r.expected) << r.what << ": " << server.Error().detail.toStdString();
        EXPECT_FALSE(server.Error().Message().isEmpty()) << r.what;
    }
    // The game's login reaches no table and no inner function, whatever the client does.
    QSqlDatabase direct = QSqlDatabase::addDatabase("QPSQL", "direct-client");
    direct.setHostName("127.0.0.1");
    direct.setPort(pg.Port());
    direct.setDatabaseName("keyderby");
    direct.setUserName(ClassServer::kLogin);
    direct.setPassword(ClassServer::kLoginPassword);
    ASSERT_TRUE(direct.open());
    for (const char* sql :
         {"SELECT * FROM keyderby.games", "SELECT * FROM keyderby.students",
          "UPDATE keyderby.games SET keys = 0", "SELECT keyderby.add_class('x')",
          "SELECT * FROM keyderby.class_ranking(1, 0, 'kannyouku')", "CREATE TABLE public.mine(x int)"}) {
        QSqlQuery q(direct);
        EXPECT_FALSE(q.exec(sql)) << sql;
    }
    direct.close();
    direct = {};
    QSqlDatabase::removeDatabase("direct-client");
    // Nothing of the attempts arrived.
    const auto view = server.LoadClassView(LoginOf(mine));
    ASSERT_TRUE(view);
    for (const StudentSummary& s : view->students) EXPECT_EQ(s.games, 0) << s.name.toStdString();
}

// Simulated students sending at the same time, each on its own connection, in batches.
TEST_F(Classroom, StudentsSendingAtOnceAreAllInTheTeachersView) {
    constexpr int kStudents = 40, kGames = 25;  // the bench's row sends 200 games each
    QStringList names;
    for (int i = 0; i < kStudents; ++i) names << QString("生徒%1").arg(i, 2, 10, QChar('0'));
    const Class c = MakeClass("大人数組", names);
    const ServerAddress address = PgTestServer::Shared().Address();
    std::atomic<int> stored{0}, failed{0};
    QList<QThread*> threads;
    for (const QString& name : names) {
        threads << QThread::create([&, name] {
            ClassServer server(address);
            const auto m = server.Join(c.code, name, c.joinCodes.value(name));
            if (!m) return void(++failed);
            QByteArray batch = "[";
            for (int g = 0; g < kGames; ++g)
                batch +=
                    (g ? "," : "") + ClassGamePayload(Game(GameMode::Practice, 30 + g % 7, g % 2, g),
                                                      QUuid::createUuid().toString(QUuid::WithoutBraces));
            batch += "]";
            const auto n = server.Submit(m->studentId, m->token, batch);
            n ? stored += *n : ++failed;
        });
        threads.last()->start();
    }
    for (QThread* t : threads) t->wait(), delete t;
    EXPECT_EQ(failed.load(), 0);
    EXPECT_EQ(stored.load(), kStudents * kGames);

    ClassServer teacher(address);
    const auto view = teacher.LoadClassView(LoginOf(c));
    ASSERT_TRUE(view) << teacher.Error().detail.toStdString();
    ASSERT_EQ(view->students.size(), kStudents);
    qint64 hits = 0;
    for (int g = 0; g < kGames; ++g) hits += 30 + g % 7;
    for (const StudentSummary& s : view->students) EXPECT_EQ(s.games, kGames) << s.name.toStdString();
    EXPECT_EQ(view->keys.value("i").hits, hits * kStudents);
}

}  // namespace
}  // namespace kd::test
