#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "common/PlayEvents.h"
#include "engine/RomajiGuide.h"

namespace kd {

class RandomSource;

// One weak spot of the player, as the statistics figure it from the record.
struct WeakSpot {
    enum class Kind { Unit, Key, Pair };
    Kind kind = Kind::Unit;
    QString label;   // a kana unit ("しゃ", "っ", "ん"), a key ("k") or two keys in a row ("ky")
    int seen = 0;    // how often it was asked for
    int missed = 0;  // how often it was missed
    double MissRate() const { return seen > 0 ? double(missed) / seen : 0.0; }
};

// A question the drill can ask: its reading (what is typed) and its index in the caller's list.
struct DrillQuestion {
    QString reading;
};

// What a drill aims at and how it weighs the questions.
struct DrillPlan {
    bool fallback = false;    // too little record: plain idioms instead
    QString message;          // said to the player when falling back
    QList<WeakSpot> targets;  // at most kDrillTargets, weakest first
    QList<double> weights;    // one per question; 0 for none when falling back

    // "今回の苦手：しゃ・っ・ん"
    QString TargetLine() const;
};

constexpr int kDrillTargets = 3;
constexpr int kDrillMinKeys = 300;  // keys in the record before a drill means anything
constexpr int kDrillMinSeen = 10;   // times a spot was asked before its rate counts

// Chooses the targets among the weak spots (the highest miss rates among those asked often
// enough, above the player's overall rate) and weighs every question by how much of them it
// holds. recordedKeys and overallMissRate are the record's totals.
// With kana input the keys and pairs are kana keys.
DrillPlan PlanDrill(const QList<WeakSpot>& spots, int recordedKeys, double overallMissRate,
                    const QList<DrillQuestion>& questions, const RomajiChoices& choices,
                    InputMethod method = InputMethod::Romaji);

// How often a target occurs when the reading is typed with the player's forms (or kana keys).
int TargetCount(const WeakSpot& target, const QString& reading, const RomajiChoices& choices,
                InputMethod method = InputMethod::Romaji);

// The kana units of a reading as the judge splits them ("しゃしん" -> しゃ, し, ん).
QStringList KanaUnitsOf(const QString& reading);

// Draws question indexes by the plan's weights, never the same one twice in a row.
class DrillPicker {
  public:
    DrillPicker(QList<double> weights, RandomSource& rnd);
    int Next();

  private:
    QList<double> m_weights;
    RandomSource& m_rnd;
    int m_last = -1;
};

// This drill's misses on its targets, counted key by key as the game is played.
class DrillTally : public PlayObserver {
  public:
    explicit DrillTally(QList<WeakSpot> targets);
    void OnQuestionShown(const QuestionShown&) override { m_previous = QChar(); }
    void OnKeyJudged(const KeyJudged& k) override {
        Key(k.expectedUnit, k.expectedKey, m_previous, k.hit);
        if (k.hit) m_previous = k.typed;
    }
    // One judged key: the unit it was asked for, the key expected, the key before it (0 at the
    // start of a question) and whether it hit.
    void Key(const QString& unit, QChar expectedKey, QChar previousKey, bool hit);
    // The targets with seen/missed of this drill.
    const QList<WeakSpot>& InThisDrill() const { return m_now; }

  private:
    QList<WeakSpot> m_now;
    QChar m_previous;
};

// "しゃ 12.0% → 4.5%" lines for the result screen, one per target.
QStringList BeforeAfterLines(const QList<WeakSpot>& before, const QList<WeakSpot>& now);

}  // namespace kd
