// The outbox of a class member's games: queued with the game itself, carrying the summary the
// class server keeps, settled while it waits, and dropped only up to what was sent.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "learning/ClassOutbox.h"
#include "learning/LearningStore.h"

namespace kd {
namespace {

RecordedGame OutboxGame(GameMode mode, const QString& genre) {
    RecordedGame g;
    g.mode = mode;
    g.genre = genre;
    g.startedAt = 1765000000000;
    g.durationMs = 4000;
    g.correct = 3;
    g.misses = 1;
    g.questions.append({101, "指", "し", 0, 10, 20, 1, true});
    g.keys = {{0, 10, "し", u's', u'a', false, {}},
              {0, 20, "し", u's', u's', true, "shi"},
              {0, 30, "し", u'h', u'h', true, "shi"},
              {0, 40, "し", u'i', u'i', true, "shi"}};
    return g;
}

QJsonObject Payload(const OutboxEntry& e) {
    return QJsonDocument::fromJson(e.payload).object();
}

TEST(ClassOutbox, AMembersGamesAreQueuedWithTheirSummarySettledAndDroppedOnlyWhenSent) {
    QTemporaryDir dir;
    LearningStore store(dir.path() + "/learning.sqlite");
    ASSERT_TRUE(store.Open());
    const QSqlDatabase db = store.Database();
    ASSERT_TRUE(store.WriteGame(OutboxGame(GameMode::Practice, "kannyouku")));
    EXPECT_EQ(OutboxSize(db), 0) << "not in a class: nothing leaves the machine";

    ClassMembership m{"school.example:5433", "ABCD-EFGH", "1年A組", "青木", 7, "a1b2"};
    ASSERT_TRUE(SaveMembership(db, m));
    EXPECT_EQ(LoadMembership(db).token, "a1b2");
    RecordedGame kanaPractice = OutboxGame(GameMode::Practice, "kannyouku");
    kanaPractice.inputMethod = InputMethod::Kana;
    const auto practice = store.WriteGame(kanaPractice);
    const auto trial = store.WriteGame(OutboxGame(GameMode::TimeTrial, "english"));
    ASSERT_TRUE(practice && trial);
    GameSettled settled;
    settled.timeMs = 2000;
    settled.grade = "S";
    ASSERT_TRUE(store.SettleGame(*trial, GameMode::TimeTrial, settled));

    const QList<OutboxEntry> entries = PeekOutbox(db, 10);
    ASSERT_EQ(entries.size(), 2);
    const QJsonObject p = Payload(entries[0]);
    EXPECT_EQ(p["id"].toString(), entries[0].uid);
    EXPECT_EQ(p["mode"].toInt(), 0);
    EXPECT_EQ(p["genre"].toString(), "kannyouku");
    EXPECT_EQ(p["keys"].toInt(), 3);
    EXPECT_EQ(p["misses"].toInt(), 1);
    EXPECT_EQ(p["time_ms"].toInt(), 4000);
    EXPECT_DOUBLE_EQ(p["kps"].toDouble(), 0.75);
    EXPECT_EQ(p["ime"].toString(), "kana");
    EXPECT_EQ(p["played_at"].toInteger(), 1765000000000);
    EXPECT_EQ(QJsonDocument(p["key_counts"].toObject()).toJson(QJsonDocument::Compact),
              R"({"h":[1,0],"i":[1,0],"s":[1,1]})");
    EXPECT_EQ(QJsonDocument(p["kana_counts"].toObject()).toJson(QJsonDocument::Compact), R"({"し":[3,1]})");
    const QJsonObject t = Payload(entries[1]);
    EXPECT_EQ(t["grade"].toString(), "S");
    EXPECT_EQ(t["time_ms"].toInt(), 2000);
    EXPECT_DOUBLE_EQ(t["kps"].toDouble(), 1.5);
    EXPECT_TRUE(t["kana_counts"].toObject().isEmpty()) << "English words count letters only";
    EXPECT_FALSE(t.contains("ime")) << "English words are letters whatever the input method";
    EXPECT_NE(entries[0].uid, entries[1].uid);

    ASSERT_TRUE(DropSent(db, entries[0].seq));
    ASSERT_EQ(PeekOutbox(db, 10).size(), 1);
    EXPECT_EQ(PeekOutbox(db, 10)[0].uid, entries[1].uid);
    ASSERT_TRUE(ForgetMembership(db));
    EXPECT_EQ(OutboxSize(db), 0);
    EXPECT_FALSE(LoadMembership(db).Joined());
}

}  // namespace
}  // namespace kd
