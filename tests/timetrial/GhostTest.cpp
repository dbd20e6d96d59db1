#include <QSqlQuery>
#include <QTableWidget>

#include "learning/GhostSetting.h"
#include "learning/LearningRecord.h"
#include "support/PaintRecorder.h"
#include "tests/timetrial/TimeTrialFixture.h"
#include "timetrial/GhostRunner.h"
#include "timetrial/TimeTrialResultScreen.h"

namespace kd::test {
namespace {

class GhostTest : public TimeTrialTest {
  protected:
    GhostTest() { app.g.learning = &record; }
    ~GhostTest() override { app.g.learning = nullptr; }

    void SwitchGhost(bool on) { ASSERT_TRUE(kd::SwitchGhost(app.g, on)); }

    // A finished English time trial whose k-th correct key came at hitMs[k-1] since "Go!!",
    // ten keys to a question.
    void StoreBest(const QList<qint64>& hitMs, qint64 startedAt = 1000) {
        LearningStore* store = record.WritableStore();
        ASSERT_NE(store, nullptr);
        QSqlDatabase db = store->Database();
        ASSERT_TRUE(db.transaction());  // one write to the disk, not one per key
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO games(mode, genre, started_at, duration_ms, correct, "
                                          "misses, time_ms) VALUES(1, 'english', %1, %2, %3, 0, %2)")
                               .arg(startedAt)
                               .arg(hitMs.last())
                               .arg(hitMs.size())));
        const qint64 id = q.lastInsertId().toLongLong();
        for (int i = 0; i < hitMs.size(); ++i) {
            const int question = i / 10;
            const qint64 shown = question == 0 ? 0 : hitMs[question * 10 - 1];
            if (i % 10 == 0) {
                ASSERT_TRUE(q.exec(
                    QStringLiteral("INSERT INTO questions VALUES(%1, %2, 0, 'w', 'w', %3, 0, %4, 0, %5)")
                        .arg(id)
                        .arg(question)
                        .arg(shown)
                        .arg(hitMs[std::min<int>(i + 9, hitMs.size() - 1)] - shown)
                        .arg(i + 10 <= hitMs.size() ? 1 : 0)));
            }
            ASSERT_TRUE(
                q.exec(QStringLiteral("INSERT INTO keys VALUES(%1, %2, %3, %4, 'a', 'a', 'a', 1, 'a')")
                           .arg(id)
                           .arg(i)
                           .arg(question)
                           .arg(hitMs[i] - shown)));
        }
        ASSERT_TRUE(db.commit());
    }

    static QList<qint64> EvenKeys(int count, qint64 every) {
        QList<qint64> t;
        for (int k = 1; k <= count; ++k) t.append(k * every);
        return t;
    }

    static QLabel* GapLabel(QObject* f) { return Find<QLabel>(f, QStringLiteral("ghostGapText")); }

    LearningRecord record{app.g};
};

TEST_F(GhostTest, OffForANewPlayer) {
    StoreBest(EvenKeys(114, 100));
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    EXPECT_FALSE(f->Ghost().HasGhost());
    EXPECT_FALSE(GapLabel(f)->isVisible());
    EXPECT_FALSE(FindTimer(f, QStringLiteral("ghostTimer"))->Enabled());
}

TEST_F(GhostTest, StepsAtExactlyTheRecordedTicksOnTheGamesClock) {
    // Fault guarded: a ghost polled on a coarse timer (late steps) or driven by the wall clock.
    UseEnglish();
    StoreBest({250, 400, 1000});
    SwitchGhost(true);
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    Timer* t = FindTimer(f, QStringLiteral("ghostTimer"));
    ASSERT_TRUE(t->Enabled());
    qint64 now = 0;
    for (qint64 step : {250, 400, 1000}) {
        // The timer is set for the moment of the ghost's next key, measured from "Go!!".
        EXPECT_EQ(t->Interval(), step - now);
        const int before = f->Ghost().X();
        app.clock.advance(qint32(step - 1 - now));
        Fire(f, QStringLiteral("ghostTimer"));
        EXPECT_EQ(f->Ghost().X(), before) << step;
        EXPECT_EQ(t->Interval(), 1);
        app.clock.advance(1);
        Fire(f, QStringLiteral("ghostTimer"));
        EXPECT_EQ(f->Ghost().X(), before + 5) << step;
        now = step;
    }
    EXPECT_FALSE(t->Enabled());    // the ghost has no more keys: nothing wakes
    EXPECT_EQ(f->GetCharaX(), 5);  // the player's ball never moved
}

TEST_F(GhostTest, GapLabelSignAndValueAfterEachCorrectKey) {
    // Fault guarded: the gap taken against the ghost's position now instead of its k-th key,
    // or a sign turned round.
    UseEnglish();
    StoreBest({1000, 2000, 3000, 4000});
    SwitchGhost(true);
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    EXPECT_EQ(GapLabel(f)->text(), QStringLiteral("ベスト比 ±0.00秒"));
    app.clock.advance(160);
    TypeCorrectKeys(f, 1);  // key 1 at 160 ms, the ghost's at 1000
    EXPECT_EQ(GapLabel(f)->text(), QString::fromUtf16(u"ベスト比 −0.84秒"));
    EXPECT_EQ(f->Ghost().LastGap(), -840);
    app.clock.advance(3040);
    TypeCorrectKeys(f, 1);  // key 2 at 3200, the ghost's at 2000
    EXPECT_EQ(GapLabel(f)->text(), QString::fromUtf16(u"ベスト比 +1.20秒"));
    app.clock.advance(100);
    Type(f, QStringLiteral("#"));  // a miss: gaps are measured at correct keys only
    EXPECT_EQ(GapLabel(f)->text(), QString::fromUtf16(u"ベスト比 +1.20秒"));
    TypeCorrectKeys(f, 3);  // keys 3 and 4 at 3300, then a 5th the ghost never typed
    EXPECT_EQ(GapLabel(f)->text(), QString::fromUtf16(u"ベスト比 −0.70秒"));
}

TEST_F(GhostTest, NoBestYetIsSaidAndNoGhostRuns) {
    UseEnglish();
    StoreBest(EvenKeys(114, 100));  // an idiom best would be needed; this one is English
    SwitchGhost(true);
    ASSERT_TRUE(WriteGenreValue(GenPath(), 0));
    TimeTrialScreen* f = OpenPlay();
    EXPECT_EQ(GapLabel(f)->text(), NoBestText());
    StartRun(f);
    EXPECT_FALSE(f->Ghost().HasGhost());
    EXPECT_FALSE(FindTimer(f, QStringLiteral("ghostTimer"))->Enabled());
    EXPECT_EQ(GapLabel(f)->text(), NoBestText());
    // Choosing English in the genre dialog brings the English best in.
    f->ApplyGenre(QStringLiteral("english"));
    EXPECT_TRUE(f->Ghost().HasGhost());
}

TEST_F(GhostTest, RetryPutsTheGhostBackAtTheStart) {
    UseEnglish();
    StoreBest(EvenKeys(114, 100));
    SwitchGhost(true);
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    app.clock.advance(500);
    Fire(f, QStringLiteral("ghostTimer"));
    EXPECT_EQ(f->Ghost().X(), 30);
    Press(f, Qt::Key_Escape);
    EXPECT_EQ(f->Ghost().X(), 5);
    EXPECT_FALSE(FindTimer(f, QStringLiteral("ghostTimer"))->Enabled());
}

TEST_F(GhostTest, ResultShowsTheGapToTheBestAndF3TheSplits) {
    UseEnglish();
    StoreBest(EvenKeys(114, 100));  // 11.40 s
    SwitchGhost(true);
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    TypeCorrectKeys(f, 114, 110);  // 12.54 s
    ASSERT_EQ(Display(f), QStringLiteral("Goal!!"));
    EXPECT_EQ(GapLabel(f)->text(), QString::fromUtf16(u"ベスト比 +1.14秒"));
    Fire(f, QStringLiteral("finishTimer"));
    auto* r = app.Current<TimeTrialResultScreen>();
    ASSERT_NE(r, nullptr);
    auto* line = Find<QLabel>(r, QStringLiteral("bestGapText"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QString::fromUtf16(u"ベスト比 +1.14秒"));
    QTest::keyClick(r, Qt::Key_F3);
    auto* table = r->findChild<QTableWidget*>(QStringLiteral("splitsTable"));
    ASSERT_NE(table, nullptr);
    // "forecast" eight keys a question: 14 done and the 15th cut off by the finish.
    ASSERT_EQ(table->rowCount(), 15);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("forecast"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("0.88"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("1.00"));  // the best's first question: 10 keys
    EXPECT_EQ(table->item(0, 4)->text(), QString::fromUtf16(u"−0.12"));
}

TEST_F(GhostTest, ResultWithoutTheGhostStaysAsItWas) {
    UseEnglish();
    StoreBest(EvenKeys(114, 100));
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    TypeCorrectKeys(f, 114, 110);
    Fire(f, QStringLiteral("finishTimer"));
    auto* r = app.Current<TimeTrialResultScreen>();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Find<QLabel>(r, QStringLiteral("bestGapText")), nullptr);
    EXPECT_EQ(r->OpenSplits(), nullptr);
}

TEST_F(GhostTest, ACorrectKeyRepaintsOnlyThePanelTheBallsAndTheGap) {
    // Faults guarded: the track restored over the whole stretch between a ball and a ghost far
    // ahead of it; the screen behind the track painted with it; the gap label resized (and
    // everything around it painted) for each new gap.
    UseEnglish();
    StoreBest(EvenKeys(114, 10));
    SwitchGhost(true);
    TimeTrialScreen* f = OpenPlay();
    StartRun(f);
    app.clock.advance(1000);
    Fire(f, QStringLiteral("ghostTimer"));
    ASSERT_EQ(f->Ghost().X(), 505);  // a hundred steps ahead
    auto* track = Find<QWidget>(f, QStringLiteral("track"));
    auto* gap = GapLabel(f);
    PaintRecorder paints;
    for (int key = 0; key < 3; ++key) {
        paints.Settle();
        const QSize gapSize = gap->size();
        TypeCorrectKeys(f, 1, 30);
        PaintRecorder::Flush();
        const QRegion painted = paints.Painted(f);
        const QRect panel(Find<QWidget>(f, QStringLiteral("panel"))->geometry());
        const QRect ball(track->mapTo(f, QPoint(f->GetCharaX() - 5, TimeTrialScreen::kBallY)), QSize(69, 64));
        const QRect ghost(track->mapTo(f, QPoint(f->Ghost().X(), TimeTrialScreen::kBallY)), QSize(64, 64));
        const QRegion allowed = QRegion(panel) + ball + ghost + gap->geometry();
        EXPECT_TRUE((painted - allowed).isEmpty())
            << key << " painted beyond: " << PaintRecorder::Text(painted - allowed);
        EXPECT_TRUE(painted.intersects(ball)) << key;
        EXPECT_FALSE(paints.Names().contains(f->objectName())) << key << ": the screen behind the track";
        EXPECT_EQ(gap->size(), gapSize) << key;
    }
}

}  // namespace
}  // namespace kd::test
