#include "learning/Drill.h"

#include <QCoreApplication>
#include <algorithm>
#include <numeric>

#include "engine/KanaLayout.h"
#include "platform/core/Random.h"

namespace kd {

namespace {

// A unit target also stands for the unit after っ: a weak っ is asked by every doubled unit, a
// weak ち also by っち.
bool UnitMatches(const QString& unit, const QString& label) {
    if (unit == label) return true;
    if (!unit.startsWith(u'っ')) return false;
    return label == QStringLiteral("っ") || QStringView(unit).mid(1) == label;
}

QString Percent(double rate) {
    return QString::number(rate * 100.0, 'f', 1) + u'%';
}

}  // namespace

QStringList KanaUnitsOf(const QString& reading) {
    QStringList units;
    for (qsizetype pos = 0; pos < reading.size();) {
        const qsizetype len = TypingJudge::UnitLength(TypingJudge::HeadAt(reading, pos));
        units << reading.mid(pos, len);
        pos += len;
    }
    return units;
}

int TargetCount(const WeakSpot& target, const QString& reading, const RomajiChoices& choices,
                InputMethod method) {
    if (target.label.isEmpty()) return 0;
    switch (target.kind) {
        case WeakSpot::Kind::Unit: {
            // Kana input types every character of the reading on its own.
            if (method == InputMethod::Kana) return int(reading.count(target.label));
            const QStringList units = KanaUnitsOf(reading);
            return int(std::count_if(units.cbegin(), units.cend(),
                                     [&](const QString& u) { return UnitMatches(u, target.label); }));
        }
        case WeakSpot::Kind::Key:
        case WeakSpot::Kind::Pair:
            return int((method == InputMethod::Kana ? KanaKeysOf(reading)
                                                    : RomajiGuide::Spell(reading, choices).Plain())
                           .count(target.label));
    }
    return 0;
}

QString DrillPlan::TargetLine() const {
    QStringList labels;
    for (const WeakSpot& t : targets) labels << t.label;
    return QCoreApplication::translate("Drill", "今回の苦手：") + labels.join(u'・');
}

DrillPlan PlanDrill(const QList<WeakSpot>& spots, int recordedKeys, double overallMissRate,
                    const QList<DrillQuestion>& questions, const RomajiChoices& choices, InputMethod method) {
    DrillPlan plan;
    QList<WeakSpot> candidates;
    for (const WeakSpot& s : spots)
        if (s.seen >= kDrillMinSeen && s.missed > 0 && s.MissRate() > overallMissRate && !s.label.isEmpty())
            candidates << s;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const WeakSpot& a, const WeakSpot& b) { return a.MissRate() > b.MissRate(); });

    // Targets that some question holds; a weak key no question asks for is no use here.
    QList<QList<int>> counts;
    for (const WeakSpot& c : candidates) {
        if (plan.targets.size() >= kDrillTargets) break;
        QList<int> perQuestion;
        perQuestion.reserve(questions.size());
        int total = 0;
        for (const DrillQuestion& q : questions) {
            perQuestion << TargetCount(c, q.reading, choices, method);
            total += perQuestion.back();
        }
        if (total == 0) continue;
        plan.targets << c;
        counts << perQuestion;
    }

    if (recordedKeys < kDrillMinKeys || plan.targets.isEmpty()) {
        plan.fallback = true;
        plan.targets.clear();
        plan.message = recordedKeys < kDrillMinKeys
                           ? QCoreApplication::translate(
                                 "Drill", "苦手を見つけるにはまだ記録が足りません。慣用句で練習します。")
                           : QCoreApplication::translate(
                                 "Drill", "目立つ苦手が見つかりませんでした。慣用句で練習します。");
        return plan;
    }

    // The weakest target counts most. Each target's share of the draws follows its strength, not
    // how common it is: a weak key found in most readings must not drown a weak kana found in a
    // few. Questions without any target keep a quarter of the draws between them, so the drill is
    // not the same few questions over and over.
    const double strongest = plan.targets.front().MissRate();
    plan.weights.fill(0.0, questions.size());
    for (qsizetype t = 0; t < plan.targets.size(); ++t) {
        const double strength = plan.targets[t].MissRate() / strongest;
        const double total = std::accumulate(counts[t].cbegin(), counts[t].cend(), 0.0);
        for (qsizetype q = 0; q < questions.size(); ++q) plan.weights[q] += counts[t][q] * strength / total;
    }
    double targeted = 0;
    qsizetype others = 0;
    for (double w : plan.weights) {
        targeted += w;
        others += w == 0;
    }
    if (others > 0)
        for (double& w : plan.weights)
            if (w == 0) w = targeted / (3.0 * double(others));
    return plan;
}

DrillPicker::DrillPicker(QList<double> weights, RandomSource& rnd)
    : m_weights(std::move(weights)), m_rnd(rnd) {}

int DrillPicker::Next() {
    const int n = int(m_weights.size());
    if (n == 0) return -1;
    double total = 0;
    for (int i = 0; i < n; ++i)
        if (i != m_last && m_weights[i] > 0) total += m_weights[i];
    if (total <= 0) return m_last = (n == 1 ? 0 : (m_last + 1) % n);  // nothing else weighs anything
    double r = double(m_rnd.NextFloat()) * total;
    int pick = -1;
    for (int i = 0; i < n; ++i) {
        if (i == m_last || m_weights[i] <= 0) continue;
        pick = i;  // the last eligible one, should rounding run r past the end
        if (r < m_weights[i]) break;
        r -= m_weights[i];
    }
    return m_last = pick;
}

DrillTally::DrillTally(QList<WeakSpot> targets) : m_now(std::move(targets)) {
    for (WeakSpot& t : m_now) t.seen = t.missed = 0;
}

void DrillTally::Key(const QString& unit, QChar expectedKey, QChar previousKey, bool hit) {
    for (WeakSpot& t : m_now) {
        bool asked = false;
        switch (t.kind) {
            case WeakSpot::Kind::Unit:
                asked = UnitMatches(unit, t.label);
                break;
            case WeakSpot::Kind::Key:
                asked = t.label.size() == 1 && expectedKey == t.label.at(0);
                break;
            case WeakSpot::Kind::Pair:
                asked = t.label.size() == 2 && previousKey == t.label.at(0) && expectedKey == t.label.at(1);
                break;
        }
        if (!asked) continue;
        ++t.seen;
        if (!hit) ++t.missed;
    }
}

QStringList BeforeAfterLines(const QList<WeakSpot>& before, const QList<WeakSpot>& now) {
    QStringList lines;
    for (qsizetype i = 0; i < before.size() && i < now.size(); ++i) {
        const QString after = now[i].seen > 0 ? Percent(now[i].MissRate()) : QStringLiteral("----");
        lines << QCoreApplication::translate("Drill", "%1　ミス率 %2 → %3")
                     .arg(before[i].label, Percent(before[i].MissRate()), after);
    }
    return lines;
}

}  // namespace kd
