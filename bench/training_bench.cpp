// The cost of the training aids: the romaji guide per key (judge + guide line, against the judge
// alone) and importing a 1 MB question file (read, check every line with the judge, store).
// Prints "name|value|target|worst" rows for bench/run.sh; medians of several runs.
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/PlayLabels.h"
#include "engine/RomajiGuide.h"
#include "engine/TypingJudge.h"
#include "learning/QuestionSetImport.h"
#include "learning/QuestionSetStore.h"
#include "questions/StringTable.h"

using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QStringList Readings() {
    QStringList r;
    for (int id = 102; id <= 466; id += 2) r << kd::StringTable::Instance().LoadString(id);
    return r;
}

// Types every reading of the bank along the guide; with the guide off the same keys go to the
// judge alone. Returns ns per key.
double TypeBank(const QStringList& readings, const QList<QByteArray>& keys, bool guideOn) {
    kd::TypingJudge judge;
    kd::StringPlayLabels labels;
    kd::RomajiGuide guide;
    long long count = 0;
    volatile qsizetype sink = 0;
    const auto start = Clock::now();
    for (int round = 0; round < 20; ++round) {
        for (qsizetype q = 0; q < readings.size(); ++q) {
            labels.display = readings[q];
            judge.InitFlag();
            if (guideOn) guide.StartQuestion();
            for (char k : keys[q]) {
                if (guideOn) guide.BeforeKey(judge, labels.display, k);
                judge.JudgeKanaKey(labels, k);
                if (guideOn) sink = sink + guide.Line(judge, labels.display).rest.size();
                ++count;
            }
        }
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    return ns / double(count);
}

QByteArray OneMegabyteFile() {
    const QStringList readings = Readings();
    QByteArray file;
    for (int i = 0; file.size() < 1024 * 1024; ++i) {
        const QString r = readings[i % readings.size()];
        file += (QStringLiteral("問題%1\t").arg(i) + r + u'\n').toUtf8();
        if (i % 50 == 49) file += "カタカナ\tカタカナ\n";  // a refused line now and then
    }
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    const QStringList readings = Readings();
    QList<QByteArray> keys;
    for (const QString& r : readings)
        keys << kd::RomajiGuide::Spell(r, kd::RomajiChoices()).Plain().toLatin1();

    std::vector<double> off, on;
    for (int run = 0; run < 5; ++run) {
        off.push_back(TypeBank(readings, keys, false));
        on.push_back(TypeBank(readings, keys, true));
    }
    std::printf("guide off: judge alone per key|%.0f ns|-|0\n", Median(off));
    std::printf("guide on: judge + guide line per key|%.0f ns|<= 5000 ns|%.0f\n", Median(on), Median(on));

    const QByteArray file = OneMegabyteFile();
    QTemporaryDir dir;
    std::vector<double> ms, parseMs;
    int questions = 0;
    for (int run = 0; run < 5; ++run) {
        const QString name = QStringLiteral("bench%1").arg(run);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(dir.filePath(name + ".sqlite"));
            db.open();
            const auto start = Clock::now();
            const kd::QuestionSetImport parsed = kd::ParseQuestionSet(file);
            parseMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            kd::QuestionSetStore store(db);
            const auto id = store.Add(QStringLiteral("bench"), parsed.kind, parsed.questions, 0);
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            questions = id ? int(parsed.questions.size()) : -1;
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    std::printf("import 1 MB: reading and checking the lines|%.0f ms|-|0\n", Median(parseMs));
    std::printf("import 1 MB question file (%d questions)|%.0f ms|<= 1000 ms|%.0f\n", questions, Median(ms),
                Median(ms));
    return questions > 0 ? 0 : 1;
}
