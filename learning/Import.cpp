#include "learning/Import.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

#include "common/GameState.h"
#include "common/PlayerFiles.h"
#include "common/PracticeRecords.h"
#include "common/RecordFile.h"
#include "common/TimeTrialRecords.h"

namespace kd {

namespace {

QString GenreKey(const QString& label) {
    if (label == QStringLiteral("英単語")) return QStringLiteral("english");
    return QStringLiteral("kannyouku");
}

// "95.7%" -> 95.7; nullopt when it is not a rate.
std::optional<double> Rate(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    QString t = text->trimmed();
    if (!t.endsWith(u'%')) return std::nullopt;
    t.chop(1);
    bool ok = false;
    const double r = t.toDouble(&ok);
    if (!ok || r < 0 || r > 100) return std::nullopt;
    return r;
}

// No game lasts longer or takes more keys; a damaged row may claim anything, and such a
// figure counts as unknown rather than overflowing the counters.
constexpr qint64 kLongestGameSeconds = 24 * 60 * 60;
constexpr double kMostKeys = 10'000'000;

int Estimate(double keys) {
    return std::isfinite(keys) && keys >= 0 && keys <= kMostKeys ? int(std::lround(keys)) : 0;
}

// Misses that give the stored rate with this many correct keys.
int MissesFor(int correct, const std::optional<double>& rate) {
    if (!rate || *rate <= 0) return 0;
    return Estimate(correct * (100.0 - *rate) / *rate);
}

// "1分 30秒" -> 90.
std::optional<int> Seconds(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    static const QRegularExpression re(QStringLiteral("^(\\d+)分 (\\d+)秒$"));
    const QRegularExpressionMatch m = re.match(*text);
    if (!m.hasMatch()) return std::nullopt;
    bool minutesOk = false, secondsOk = false;
    const qint64 minutes = m.captured(1).toLongLong(&minutesOk),
                 seconds = m.captured(2).toLongLong(&secondsOk);
    if (!minutesOk || !secondsOk || minutes > kLongestGameSeconds / 60 || seconds > kLongestGameSeconds ||
        minutes * 60 + seconds > kLongestGameSeconds)
        return std::nullopt;
    return int(minutes * 60 + seconds);
}

}  // namespace

QList<RecordedGame> OldRecordsAsGames(const GameState& g) {
    QList<RecordedGame> out;
    out.reserve(kPracticeHistoryRows + kTimeTrialPlaces);
    const QString practice = PracticeTimePath(g, g.player.GetUserName());
    if (RecordFile::LastWritten(practice)) {
        QList<PracticeHistoryData> history = LoadPracticeHistory(practice);
        // The files keep days only; games of one day keep their order a second apart.
        for (int i = int(history.size()) - 1, n = 0; i >= 0; --i) {
            const PracticeHistoryData& h = history[i];
            if (!h.HistDate) continue;
            const QDate day = QDate::fromString(*h.HistDate, QStringLiteral("yyyy/MM/dd"));
            if (!day.isValid()) continue;
            RecordedGame game;
            game.mode = GameMode::Practice;
            game.genre = GenreKey(h.Genre);
            game.imported = true;
            game.startedAt = QDateTime(day, QTime(0, 0)).toMSecsSinceEpoch() + 1000 * n++;
            const std::optional<int> seconds = Seconds(h.PTime);
            game.settingSeconds = seconds.value_or(0);
            game.durationMs = qint64(seconds.value_or(0)) * 1000;
            // The history keeps the rate and the speed, one decimal: the counts are estimates.
            game.correct = seconds ? Estimate(double(h.TPS) * *seconds) : 0;
            game.misses = MissesFor(game.correct, Rate(h.CRate));
            out.append(game);
        }
    }
    const QString ranking = TimeTrialRankingPath(g);
    // The ranking keeps no dates; its file's date is the latest any of them can have.
    if (const std::optional<qint64> when = RecordFile::LastWritten(ranking)) {
        const TimeTrialTable table = LoadTimeTrialData(ranking);
        for (int place = 0; place < kTimeTrialPlaces; ++place) {
            const TimeTrialRecord& r = table[place];
            if (r.IsEmpty()) continue;
            RecordedGame game;
            game.mode = GameMode::TimeTrial;
            game.genre = GenreKey(r.RankGenre);
            game.imported = true;
            game.startedAt = *when;
            game.durationMs = r.RankTime;
            game.correct = 114;  // a ranked run reached the finish
            game.misses = MissesFor(game.correct, Rate(r.RankRate));
            game.timeMs = r.RankTime;
            game.grade = r.RankGrade;
            game.score = r.RankScore;
            game.place = place + 1;
            out.append(game);
        }
    }
    return out;
}

bool ImportOldRecords(const GameState& g, LearningStore& store) {
    const QList<RecordedGame> games = OldRecordsAsGames(g);
    return games.isEmpty() || store.WriteGames(games);
}

}  // namespace kd
