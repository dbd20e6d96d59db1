// Fills a learning record with a made-up past: by default 10 000 games and 2 000 000 keys
// over two years, mostly idioms, a few percent of wrong keys with plausible mix-ups.
//
//   kd_learninggen FILE [GAMES [KEYS]]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <cstdio>

#include "learning/LearningStore.h"

namespace {

struct Unit {
    const char16_t* kana;
    const char* form;
};
const Unit kUnits[] = {{u"あ", "a"},   {u"い", "i"},     {u"う", "u"},     {u"か", "ka"},    {u"き", "ki"},
                       {u"し", "si"},  {u"し", "shi"},   {u"ち", "ti"},    {u"ち", "chi"},   {u"つ", "tu"},
                       {u"つ", "tsu"}, {u"て", "te"},    {u"と", "to"},    {u"な", "na"},    {u"に", "ni"},
                       {u"の", "no"},  {u"ん", "nn"},    {u"ふ", "hu"},    {u"ふ", "fu"},    {u"じ", "zi"},
                       {u"じ", "ji"},  {u"しゃ", "sya"}, {u"しゃ", "sha"}, {u"っせ", "sse"}, {u"りょ", "ryo"},
                       {u"ら", "ra"},  {u"る", "ru"},    {u"ま", "ma"},    {u"せ", "se"},    {u"ほ", "ho"}};
constexpr int kUnitCount = int(sizeof kUnits / sizeof kUnits[0]);
const char kNeighbours[] = "qwertyuiopasdfghjklzxcvbnm";

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kd_learninggen FILE [GAMES [KEYS]]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int games = argc > 2 ? atoi(argv[2]) : 10000;
    const qint64 keys = argc > 3 ? atoll(argv[3]) : 2000000;
    const int keysPerGame = int(keys / games);
    kd::LearningStore::RemoveFiles(path);
    kd::LearningStore store(path);
    if (!store.Open()) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], qPrintable(store.Problem()));
        return 1;
    }
    QRandomGenerator rng(20261207);
    QElapsedTimer timer;
    timer.start();
    const qint64 start = 1700000000000;  // two years before the newest game
    QList<kd::RecordedGame> batch;
    for (int g = 0; g < games; ++g) {
        kd::RecordedGame game;
        const int kind = int(rng.bounded(10));
        game.mode = kind < 5   ? kd::GameMode::Practice
                    : kind < 8 ? kd::GameMode::TimeTrial
                               : kd::GameMode::Race;
        const bool english = rng.bounded(5) == 0;
        game.genre = english ? QStringLiteral("english") : QStringLiteral("kannyouku");
        if (game.mode == kd::GameMode::Race) {
            game.chara = int(rng.bounded(5)) + 1;
            game.heat = int(rng.bounded(5)) + 1;
        }
        if (game.mode == kd::GameMode::Practice) game.settingSeconds = 60;
        game.startedAt = start + qint64(g) * 6300000;
        game.abandoned = rng.bounded(20) == 0;
        qint64 ms = 0;
        int unitsInQuestion = 0;
        for (int k = 0; k < keysPerGame;) {
            if (unitsInQuestion == 0) {
                game.questions.append({101 + 2 * int(rng.bounded(183)), QStringLiteral("一石二鳥"),
                                       QStringLiteral("いっせきにちょう"), ms, std::nullopt, std::nullopt, 0,
                                       true});
                unitsInQuestion = 6 + int(rng.bounded(6));
                ms = 0;
            }
            const Unit& u = kUnits[rng.bounded(kUnitCount)];
            const QString form = QString::fromLatin1(u.form);
            for (int c = 0; c < form.size() && k < keysPerGame; ++c) {
                kd::RecordedQuestion& q = game.questions.last();
                const int qseq = int(game.questions.size()) - 1;
                if (rng.bounded(100) < 6) {
                    ms += 150 + rng.bounded(400);
                    game.keys.append({qseq,
                                      ms,
                                      QString::fromUtf16(u.kana),
                                      form[c],
                                      QChar(kNeighbours[rng.bounded(26)]),
                                      false,
                                      {}});
                    ++q.misses;
                    ++game.misses;
                    ++k;
                    if (k >= keysPerGame) break;
                }
                ms += 80 + rng.bounded(300);
                game.keys.append({qseq, ms, QString::fromUtf16(u.kana), form[c], form[c], true, form});
                if (!q.firstKeyMs) q.firstKeyMs = ms;
                q.lastKeyMs = ms;
                ++game.correct;
                ++k;
            }
            --unitsInQuestion;
        }
        game.durationMs = 0;
        for (const kd::RecordedQuestion& q : game.questions) game.durationMs += q.lastKeyMs.value_or(0) + 50;
        if (game.mode == kd::GameMode::TimeTrial) {
            game.timeMs = qint32(game.durationMs);
            game.grade = QStringLiteral("C");
            game.score = 12000;
        }
        batch.append(std::move(game));
        if (batch.size() == 200 || g == games - 1) {
            if (!store.WriteGames(batch)) {
                std::fprintf(stderr, "writing failed at game %d\n", g);
                return 1;
            }
            batch.clear();
        }
    }
    store.Database().exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    store.Close();
    std::printf("games=%d keys=%lld seconds=%.1f bytes=%lld\n", games, keys, timer.elapsed() / 1000.0,
                QFile(path).size());
    return 0;
}
