// The classroom at a school's size, against a PostgreSQL server of its own: 40 students send
// 200 games each at the same time (each on its own connection, in batches), then the teacher's
// view of the class is opened (read from the server and drawn) five times.
// With KD_CLASS_SHOTS=FOLDER it also saves pictures of the class windows there.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <cstdio>

#include "classroom/ClassSender.h"
#include "classroom/ClassServer.h"
#include "classui/ClassDialogs.h"
#include "classui/ClassViewWindow.h"
#include "learning/LearningStore.h"
#include "platform/widgets/MessageBoxes.h"
#include "stats/ClassTab.h"
#include "stats/StatsWindow.h"
#include "tests/classroom/PgTestServer.h"

namespace {

constexpr int kStudents = 40, kGames = 200;

kd::RecordedGame MadeUpGame(int student, int g) {
    static const char* const kana[] = {"あ", "し", "つ", "ん", "きゃ", "ふ", "ち", "を"};
    static const char16_t keys[] = {u'a', u's', u't', u'n', u'k', u'f', u'c', u'w'};
    kd::RecordedGame r;
    r.mode = g % 3 == 0 ? kd::GameMode::TimeTrial : kd::GameMode::Practice;
    r.genre = QStringLiteral("kannyouku");
    r.startedAt = 1765000000000 + qint64(g) * 600000;
    r.correct = 114;
    r.misses = (student + g) % 9;
    r.durationMs = 60000 - g * 100 - student * 300;
    if (r.mode == kd::GameMode::TimeTrial) r.timeMs = r.durationMs, r.grade = QStringLiteral("C");
    for (int k = 0; k < r.correct + r.misses; ++k) {
        const int u = (k * 7 + student) % 8;
        r.keys.append({0, k, QString::fromUtf8(kana[u]), QChar(keys[u]), QChar(keys[u]), k < r.correct, {}});
    }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kd::test::PgTestServer& pg = kd::test::PgTestServer::Shared();
    if (!pg.Running()) {
        std::fprintf(stderr, "%s\n", qPrintable(pg.Problem()));
        return 1;
    }
    QSqlQuery q(pg.Admin());
    q.exec(QStringLiteral("SELECT keyderby.add_class('1年A組')"));
    q.next();
    const QString code = q.value(0).toString();
    q.exec(QStringLiteral("SELECT keyderby.add_teacher('田中', '1年A組')"));
    q.next();
    const kd::TeacherLogin login{pg.Address(), code, QStringLiteral("田中"), q.value(0).toString()};
    QStringList names;
    const QStringList family = {QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("高橋"),
                                QStringLiteral("田中"), QStringLiteral("伊藤"), QStringLiteral("渡辺"),
                                QStringLiteral("山本"), QStringLiteral("中村")};
    const QStringList given = {QStringLiteral("花子"), QStringLiteral("太郎"), QStringLiteral("翔"),
                               QStringLiteral("陽菜"), QStringLiteral("蓮")};
    for (int i = 0; i < kStudents; ++i) names << family[i % 8] + QStringLiteral(" ") + given[i / 8];
    q.prepare(QStringLiteral("SELECT name, join_code FROM keyderby.add_students('1年A組', ?::text[])"));
    q.addBindValue(QStringLiteral("{\"") + names.join(QStringLiteral("\",\"")) + QStringLiteral("\"}"));
    if (!q.exec()) return std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text())), 1;
    QMap<QString, QString> joinCodes;
    while (q.next()) joinCodes.insert(q.value(0).toString(), q.value(1).toString());

    // Every student's games made first, so the clock sees only the sending.
    QList<QByteArray> batches[kStudents];
    for (int s = 0; s < kStudents; ++s)
        for (int b = 0; b < kGames / 50; ++b) {
            QByteArray batch = "[";
            for (int g = b * 50; g < (b + 1) * 50; ++g)
                batch += (g > b * 50 ? "," : "") +
                         kd::ClassGamePayload(MadeUpGame(s, g),
                                              QUuid::createUuid().toString(QUuid::WithoutBraces));
            batches[s] << batch + "]";
        }
    std::atomic<int> stored{0};
    QElapsedTimer clock;
    clock.start();
    QList<QThread*> threads;
    for (int s = 0; s < kStudents; ++s) {
        threads << QThread::create([&, s] {
            kd::ClassServer server(pg.Address());
            const auto m = server.Join(code, names[s], joinCodes.value(names[s]));
            if (!m) return;
            for (const QByteArray& b : batches[s])
                if (const auto n = server.Submit(m->studentId, m->token, b)) stored += *n;
        });
        threads.last()->start();
    }
    for (QThread* t : threads) t->wait(), delete t;
    // Rows for bench/run.sh: name|value|target|verdict
    std::printf("classroom: %d students x %d games sent at once|%lld ms (%d stored)||\n", kStudents, kGames,
                clock.elapsed(), stored.load());

    kd::QtMessageBoxes msg;
    QList<qint64> opened, read;
    for (int run = 0; run < 5; ++run) {
        clock.restart();
        kd::ClassServer server(pg.Address());
        const auto view = server.LoadClassView(login);
        if (!view) return std::fprintf(stderr, "%s\n", qPrintable(server.Error().detail)), 1;
        read << clock.elapsed();
        auto* window = new kd::ClassViewWindow(login, *view, msg);
        window->show();
        QApplication::processEvents();
        window->repaint();
        opened << clock.elapsed();
        const QString shots = qEnvironmentVariable("KD_CLASS_SHOTS");
        if (run == 0 && !shots.isEmpty()) {
            QDir().mkpath(shots);
            window->SelectStudent(3);
            window->grab().save(shots + QStringLiteral("/class-students.png"));
            window->Tabs()->setCurrentIndex(kd::ClassViewWindow::kWeakKeys);
            window->grab().save(shots + QStringLiteral("/class-weak-keys.png"));
            window->Tabs()->setCurrentIndex(kd::ClassViewWindow::kRanking);
            QEventLoop wait;
            QObject::connect(window, &kd::ClassViewWindow::Updated, &wait, &QEventLoop::quit);
            wait.exec();
            window->grab().save(shots + QStringLiteral("/class-ranking.png"));
            kd::JoinClassDialog join(QStringLiteral("佐藤 花子"),
                                     [](const kd::ClassMembership&) { return true; });
            join.show();
            join.grab().save(shots + QStringLiteral("/join-class.png"));
            kd::TeacherLoginDialog teacher([](const kd::TeacherLogin&, const kd::ClassView&) {});
            teacher.show();
            teacher.grab().save(shots + QStringLiteral("/teacher-login.png"));
            // A student's statistics window on its クラス tab.
            QTemporaryDir dir;
            kd::LearningStore store(dir.path() + QStringLiteral("/learning.sqlite"));
            store.Open();
            kd::ClassServer joiner(pg.Address());
            if (const auto m = joiner.Join(code, names[5], joinCodes.value(names[5])))
                kd::SaveMembership(store.Database(), *m);
            kd::stats::StatsWindow stats(names[5], store.Path(), kd::stats::StatsWindow::Loading::Now);
            stats.show();
            auto* tabs = stats.findChild<QTabWidget*>(QStringLiteral("tabs"));
            tabs->setCurrentIndex(kd::stats::StatsWindow::kClass);
            auto* tab = stats.findChild<kd::stats::ClassTab*>();
            QObject::connect(tab, &kd::stats::ClassTab::Refreshed, &wait, &QEventLoop::quit);
            wait.exec();
            QApplication::processEvents();
            stats.grab().save(shots + QStringLiteral("/stats-class-tab.png"));
        }
        window->close();
        QApplication::processEvents();
    }
    std::sort(opened.begin(), opened.end());
    std::sort(read.begin(), read.end());
    std::printf("classroom: teacher view of %d x %d opened (median, worst)|%lld ms, %lld ms|<= 500 ms|%s\n",
                kStudents, kGames, opened[2], opened[4], opened[2] <= 500 ? "ok" : "MISSED");
    std::printf("classroom: ... of it read from the server (median)|%lld ms||\n", read[2]);
    kd::test::PgTestServer::EndShared();
    return 0;
}
