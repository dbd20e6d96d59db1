// The romaji guide never disagrees with the judge: over every reading of the bank, with random
// remembered choices, random switches to another accepted form and random wrong keys, typing
// what the guide shows is never a miss, and the guide's prediction of a key is the judge's verdict.
#include <gtest/gtest.h>

#include <random>

#include "engine/PlayLabels.h"
#include "engine/RomajiGuide.h"
#include "engine/TypingJudge.h"
#include "questions/StringTable.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

QStringList BankReadings() {
    QStringList readings;
    const StringTable& t = StringTable::Instance();
    for (int id = 102; id <= 466; id += 2) readings << t.LoadString(id);
    return readings;
}

RomajiChoices RandomChoices(std::mt19937& rng) {
    RomajiChoices c;
    for (int f = 0; f < kRomajiFamilyCount; ++f) c.Set(RomajiFamily(f), 1 + int(rng() % 2));
    return c;
}

// Every key the judge would count as correct now, by the guide's prediction.
QList<int> AcceptedKeys(const RomajiGuide& guide, const TypingJudge& judge, const QString& display) {
    static const QByteArray keys = "abcdefghijklmnopqrstuvwxyz;,.-";
    QList<int> accepted;
    for (char k : keys)
        if (guide.Counts(judge, display, k)) accepted << k;
    return accepted;
}

TEST(GuideFollowsJudge, EveryBankReadingWithRandomChoicesSwitchesAndMisses) {
    const QStringList readings = BankReadings();
    ASSERT_EQ(readings.size(), 183);
    std::mt19937 rng(19);
    int switches = 0, wrongKeys = 0, exactRuns = 0;

    for (int round = 0; round < 24; ++round) {
        for (const QString& reading : readings) {
            SCOPED_TRACE(reading.toStdString() + " round " + std::to_string(round));
            TypingJudge judge;
            StringPlayLabels labels;
            RomajiGuide guide(RandomChoices(rng));
            labels.display = reading;
            judge.InitFlag();
            guide.StartQuestion();

            // Round 0 follows the guide without a detour: its first line is exactly what gets typed.
            const bool detours = round > 0;
            const QString promised = guide.Line(judge, labels.display).Plain();
            QString typed;
            int keys = 0;
            while (!labels.display.isEmpty()) {
                ASSERT_LT(++keys, 400) << "the question never ends";
                const GuideLine line = guide.Line(judge, labels.display);
                ASSERT_TRUE(line.cannotType.isEmpty());
                ASSERT_EQ(line.next.size(), 1);
                ASSERT_EQ(line.typed, typed);

                int key = line.next.at(0).unicode();
                bool expectHit = true;
                const unsigned dice = rng() % 10;
                if (detours && dice < 2) {
                    // Switch: another form the judge accepts here.
                    QList<int> others = AcceptedKeys(guide, judge, labels.display);
                    others.removeAll(key);
                    if (!others.isEmpty()) {
                        key = others[rng() % others.size()];
                        ++switches;
                    }
                } else if (detours && dice == 2) {
                    key = "abcdefghijklmnopqrstuvwxyz;,.-"[rng() % 30];
                    const QList<int> accepted = AcceptedKeys(guide, judge, labels.display);
                    expectHit = accepted.contains(key);
                    ++wrongKeys;
                }

                const qint16 missesBefore = judge.GetMissCount();
                guide.BeforeKey(judge, labels.display, key);
                judge.JudgeKanaKey(labels, key);
                const bool hit = judge.GetMissCount() == missesBefore;
                ASSERT_EQ(hit, expectHit) << "key " << char(key) << " before " << line.Plain().toStdString();
                if (hit) typed += QChar(char16_t(key));
            }
            EXPECT_EQ(guide.Line(judge, labels.display).typed, typed);
            if (!detours) {
                EXPECT_EQ(typed, promised);
                ++exactRuns;
            }
        }
    }
    EXPECT_GT(switches, 300);
    EXPECT_GT(wrongKeys, 1000);
    EXPECT_EQ(exactRuns, 183);
}

// The guide's prediction against the judge for every key in every state reached by typing the
// guide's line: the set of accepted keys is the judge's, not a guess.
TEST(GuideFollowsJudge, PredictionMatchesTheJudgeForEveryKey) {
    const QStringList readings = BankReadings();
    static const QByteArray keys = "abcdefghijklmnopqrstuvwxyzA;,.- 1";
    int checked = 0;
    for (const QString& reading : readings) {
        TypingJudge judge;
        StringPlayLabels labels;
        RomajiGuide guide(RomajiChoices::FromText(u"nn=n;si=si"));
        labels.display = reading;
        judge.InitFlag();
        while (!labels.display.isEmpty()) {
            for (char k : keys) {
                TypingJudge trial = judge;
                StringPlayLabels trialLabels = labels;
                TypingJudge::Form forms[5];
                int selected = 0;
                const auto head = TypingJudge::HeadOf(labels.display);
                judge.PeekUnit(head, forms, selected);
                // A single n's key is judged again against the next unit: the guide's BeforeKey
                // follows that; here the first unit's verdict is compared with a judge that keeps
                // its count when the key ends ん.
                const bool predicted = RomajiGuide::Predict(forms, selected, head, uchar(k)).hit;
                const qint16 correct = trial.GetCorrectCount(), misses = trial.GetMissCount();
                trial.JudgeKanaKey(trialLabels, uchar(k));
                const bool judged = trial.GetMissCount() == misses || (trial.GetCorrectCount() == correct &&
                                                                       trialLabels.display != labels.display);
                ASSERT_EQ(predicted, judged)
                    << reading.toStdString() << " at " << labels.display.toStdString() << " key " << k;
                ++checked;
            }
            const GuideLine line = guide.Line(judge, labels.display);
            guide.BeforeKey(judge, labels.display, line.next.at(0).unicode());
            judge.JudgeKanaKey(labels, line.next.at(0).unicode());
            ASSERT_EQ(judge.GetMissCount(), 0);
        }
    }
    EXPECT_GT(checked, 10000);
}

}  // namespace
}  // namespace kd
