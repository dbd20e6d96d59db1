#include <QDir>
#include <QFile>

#include "PracticeFixture.h"
#include "common/Format.h"
#include "engine/PlayLabels.h"

using namespace kd;
using namespace kd::test;

namespace {

// 2023/01/0<day>, 90.0%, 2.4, 1分 0秒, 英単語
QByteArray OldEntry(int day) {
    QByteArray rec = Record(
        "08 00 0A 00 32 30 32 33 2F 30 31 2F 30 30 08 00 05 00 39 30 2E 30 25 9A 99 19 40"
        " 08 00 07 00 31 95 AA 20 30 95 62 06 00 89 70 92 50 8C EA");
    rec[13] = char('0' + day);
    return rec;
}

}  // namespace

class ResultScreenTest : public PracticeTest {
  protected:
    // Leaves the judge's counters at correct / miss, as a practice would.
    void Counts(int correct, int miss) {
        app.g.judge.Reset();
        StringPlayLabels labels;
        labels.display = QString(correct, u'a');
        for (int i = 0; i < correct; ++i) app.g.judge.JudgeEnglishKey(labels, 'a');
        for (int i = 0; i < miss; ++i) app.g.judge.JudgeEnglishKey(labels, 'b');
    }
    PracticeResultScreen* OpenResult(const QString& genreKey = QStringLiteral("kannyouku")) {
        app.g.questions.SetGenre(genreKey);
        return app.Open<PracticeResultScreen>(Screen::ResultPractice);
    }
    QByteArray HistoryRecord(int n) { return app.ReadFile(PracticeFile()).mid((n - 1) * 128, 128); }
};

TEST_F(ResultScreenTest, FirstPracticeShowsOneRowAndStoresIt) {
    StoreSetting(IdiomsSetting("3C 00"));
    Counts(50, 3);
    PracticeResultScreen* r = OpenResult();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->windowTitle(), QStringLiteral("Key Derby　―　結果　―"));
    EXPECT_EQ(r->headingTexts[2]->text(), QStringLiteral("練習結果"));
    EXPECT_EQ(r->headingTexts[0]->text(), QStringLiteral("練習履歴"));
    EXPECT_EQ(r->totalKeysText->text(), QStringLiteral("全打数：53"));
    EXPECT_EQ(r->correctCountText->text(), QStringLiteral("正打数：50"));
    EXPECT_EQ(r->missCountText->text(), QStringLiteral("誤打数：3"));
    EXPECT_EQ(r->correctRateText->text(), QStringLiteral("正答率：94.3%"));
    EXPECT_EQ(r->practiceTimeText->text(), QStringLiteral("練習時間：1分 0秒"));
    EXPECT_EQ(r->typesPerSecText->text(), QStringLiteral("Types/Sec.：0.83"));
    EXPECT_EQ(r->genreText->text(), QStringLiteral("ジャンル：慣用句"));

    EXPECT_EQ(r->historyDates[0]->text(), QStringLiteral("2024/05/01"));
    EXPECT_EQ(r->historyCorrectRates[0]->text(), QStringLiteral("94.3%"));
    EXPECT_EQ(r->historyTypesPerSec[0]->text(), QStringLiteral("0.8"));
    EXPECT_EQ(r->historyPracticeTimes[0]->text(), QStringLiteral("1分 0秒"));
    EXPECT_EQ(r->historyGenres[0]->text(), QStringLiteral("慣用句"));
    for (int i = 1; i < 10; ++i) {
        for (QLabel* l :
             {r->historyDates[i], r->historyCorrectRates[i], r->historyPracticeTimes[i], r->historyGenres[i]})
            EXPECT_EQ(l->text(), QString()) << i;
        EXPECT_EQ(r->historyTypesPerSec[i]->text(), QStringLiteral("0")) << i;
    }
    for (int i = 0; i < 10; ++i)
        for (QLabel* l : {r->historyDates[i], r->historyCorrectRates[i], r->historyTypesPerSec[i],
                          r->historyPracticeTimes[i], r->historyGenres[i]})
            EXPECT_EQ(ForeColor(l), i == 0 ? kRed : kGrey) << i;

    // 0.8 = CD CC 4C 3F
    EXPECT_EQ(app.ReadFile(PracticeFile()),
              IdiomsSetting("3C 00") +
                  Record("08 00 0A 00 32 30 32 34 2F 30 35 2F 30 31 08 00 05 00 39 34 2E 33 25 CD CC 4C 3F"
                         " 08 00 07 00 31 95 AA 20 30 95 62 06 00 8A B5 97 70 8B E5") +
                  QByteArray(9 * 128, '\0'));
}

TEST_F(ResultScreenTest, FiguresForTheEdgeCases) {
    struct Case {
        QByteArray setting;
        int correct, miss;
        const char* rate;
        const char* time;
        const char* speed;
        const char* histRate;
        const char* histTps;
        const char* histTime;
    } cases[] = {
        // No key pressed.
        {IdiomsSetting("3C 00"), 0, 0, "正答率：0.0%", "練習時間：1分 0秒", "Types/Sec.：0.00", "0.0%", "0",
         "1分 0秒"},
        {IdiomsSetting("5A 00"), 100, 0, "正答率：100.0%", "練習時間：1分 30秒", "Types/Sec.：1.11", "100.0%",
         "1.1", "1分 30秒"},
        {IdiomsSetting("05 00"), 12, 0, "正答率：100.0%", "練習時間：0分 5秒", "Types/Sec.：2.40", "100.0%",
         "2.4", "0分 5秒"},
        // Without limit, and a stored 0 that would divide by zero, show no speed and no time.
        {IdiomsSetting("FF FF"), 30, 10, "正答率：75.0%", "練習時間：無制限", "Types/Sec.：----", "75.0%",
         "0", ""},
        {IdiomsSetting("00 00"), 30, 10, "正答率：75.0%", "練習時間：無制限", "Types/Sec.：----", "75.0%",
         "0", ""},
        {IdiomsSetting("F6 FF"), 7, 1, "正答率：87.5%", "練習時間：無制限", "Types/Sec.：----", "87.5%", "0",
         ""},
    };
    for (const Case& c : cases) {
        StoreSetting(c.setting);
        Counts(c.correct, c.miss);
        PracticeResultScreen* r = OpenResult();
        EXPECT_EQ(r->correctRateText->text(), QString::fromUtf8(c.rate));
        EXPECT_EQ(r->practiceTimeText->text(), QString::fromUtf8(c.time));
        EXPECT_EQ(r->typesPerSecText->text(), QString::fromUtf8(c.speed));
        EXPECT_EQ(r->historyCorrectRates[0]->text(), QString::fromUtf8(c.histRate));
        EXPECT_EQ(r->historyTypesPerSec[0]->text(), QString::fromUtf8(c.histTps));
        EXPECT_EQ(r->historyPracticeTimes[0]->text(), QString::fromUtf8(c.histTime));
        const PracticeHistoryData stored = UnpackPracticeHistory(HistoryRecord(2));
        EXPECT_EQ(stored.CRate, QString::fromUtf8(c.histRate));
        EXPECT_EQ(ShortestSingle(stored.TPS), QString::fromUtf8(c.histTps));
        EXPECT_EQ(stored.PTime.value_or(QString()), QString::fromUtf8(c.histTime));
        EXPECT_EQ(stored.PTime.has_value(), *c.histTime != 0) << "no limit stores an empty variant";
        r->CloseScreen();
    }
}

TEST_F(ResultScreenTest, TheEleventhPracticeDropsTheOldest) {
    QByteArray file = EnglishSetting("3C 00");
    for (int day = 1; day <= 10; ++day) file += OldEntry(day);
    StoreSetting(file);
    Counts(1, 0);
    PracticeResultScreen* r = OpenResult(QStringLiteral("english"));
    EXPECT_EQ(r->historyDates[0]->text(), QStringLiteral("2024/05/01"));
    EXPECT_EQ(r->historyGenres[0]->text(), QStringLiteral("英単語"));
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(r->historyDates[i]->text(), QStringLiteral("2023/01/0%1").arg(i));
        EXPECT_EQ(r->historyCorrectRates[i]->text(), QStringLiteral("90.0%"));
        EXPECT_EQ(r->historyTypesPerSec[i]->text(), QStringLiteral("2.4"));
        EXPECT_EQ(r->historyPracticeTimes[i]->text(), QStringLiteral("1分 0秒"));
        EXPECT_EQ(r->historyGenres[i]->text(), QStringLiteral("英単語"));
    }
    const QByteArray after = app.ReadFile(PracticeFile());
    ASSERT_EQ(after.size(), 11 * 128);
    EXPECT_EQ(after.left(128), EnglishSetting("3C 00"));
    for (int day = 1; day <= 9; ++day) EXPECT_EQ(after.mid((day + 1) * 128, 128), OldEntry(day)) << day;
    EXPECT_EQ(UnpackPracticeHistory(after.mid(128, 128)).TPS, 0.0f);  // 1 key in 60 s rounds to 0.0
}

TEST_F(ResultScreenTest, OkAndTheCloseBoxOpenAFreshPracticeScreenAndWriteNothing) {
    for (bool closeBox : {false, true}) {
        StoreSetting(EnglishSetting("3C 00"));
        Counts(3, 0);
        QPointer<PracticeResultScreen> r = OpenResult();
        const QByteArray written = app.ReadFile(PracticeFile());
        if (closeBox)
            r->close();
        else
            Click(r->okButton);
        EXPECT_EQ(app.nav.LastShown(), Screen::Practice);
        auto* p = app.Current<PracticeScreen>();
        ASSERT_TRUE(p);
        EXPECT_EQ(Find<QLabel>(p, "readingText")->text(), QStringLiteral("スペースでスタート"));
        EXPECT_EQ(app.g.judge.GetCorrectCount(), 0);
        EXPECT_EQ(app.ReadFile(PracticeFile()), written);
        app.Flush();
        EXPECT_TRUE(r.isNull());
        p->CloseScreen();
        app.Flush();
    }
}

TEST_F(ResultScreenTest, AHistoryThatCannotBeWrittenIsReported) {
    // The file's place is taken by a folder.
    QFile::remove(PracticeFile());
    ASSERT_TRUE(QDir().mkdir(PracticeFile()));
    Counts(5, 0);
    PracticeResultScreen* r = OpenResult();
    ASSERT_TRUE(r);
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].title, QStringLiteral("Key Derby"));
    EXPECT_EQ(app.msg.asked[0].text,
              QStringLiteral("練習履歴を保存できませんでした（書き込みできません）。"));
    EXPECT_EQ(r->totalKeysText->text(), QStringLiteral("全打数：5"));
}
