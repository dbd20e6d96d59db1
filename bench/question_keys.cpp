// The keys a player must type to get every key right in the next English practice or time
// trial of a fresh game, so the latency probe can type correct keys (only they repaint the
// question). Run with the wall clock frozen (libfaketime) to the same instant as the game:
// the draw is seeded from that clock when Space starts a run.
//
//   question_keys prepare DATA_ROOT PLAYER SECONDS   English practice for SECONDS, English time trial
//   question_keys idioms DATA_ROOT PLAYER SECONDS    practice of idioms for SECONDS
//   question_keys keys N [N...]                      one line of keys per run, N keys each
//   question_keys guide N [N...]                     the same for idioms, typed as the romaji guide
//                                                    shows them to a player with no choices yet
//   question_keys kana N [N...]                      idioms typed with kana keys (かな入力), written
//                                                    as the US keyboard's characters of those keys
//
// A run's line holds exactly the keys of its N correct keystrokes; every run starts with the
// next Space (a new re-seed) after the previous one was abandoned.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/GameState.h"
#include "common/GenreFile.h"
#include "common/PracticeRecords.h"
#include "engine/KanaLayout.h"
#include "engine/RomajiGuide.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"

namespace {

// The player's practice of SECONDS in GENRE ("english" or "kannyouku"); English also becomes
// the time trial's genre.
int Prepare(const QString& root, const QString& player, int seconds, const QString& genre) {
    kd::LcgRandom rnd;
    kd::SteadyTickCounter clock;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, root);
    g.player.SetUserName(player);
    if (!QDir().mkpath(g.PlayerPath(QStringLiteral("DATA")))) return 1;
    bool ok = kd::SavePracticeTime(g, player, {qint16(seconds), genre});
    if (genre == QLatin1String("english"))
        ok = ok && kd::WriteGenreValue(g.PlayerPath(QStringLiteral("DATA/gen")), 1);
    return ok ? 0 : 1;
}

// Idioms as the guide spells them: a reading typed along the guide never switches a form.
int GuideKeys(const QList<int>& perRun) {
    kd::LcgRandom rnd;
    kd::SteadyTickCounter clock;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, QString());
    g.questions.SetGenre(QStringLiteral("kannyouku"));
    const kd::RomajiChoices choices;
    for (int count : perRun) {
        rnd.ReseedFromClock();
        QByteArray line;
        QString keys = kd::RomajiGuide::Spell(g.questions.GetQuestion(), choices).Plain();
        while (line.size() < count) {
            line += keys.front().toLatin1();
            keys.remove(0, 1);
            if (keys.isEmpty()) keys = kd::RomajiGuide::Spell(g.questions.GetQuestion(), choices).Plain();
        }
        std::printf("%s\n", line.constData());
    }
    return 0;
}

// The US keyboard's character of a key by X keycode (Shift shown as the shifted character).
char UsCharacter(quint32 keycode, bool shift) {
    static const struct {
        quint32 first;
        const char* plain;
        const char* shifted;
    } rows[] = {
        {10, "1234567890-=", "!@#$%^&*()_+"}, {24, "qwertyuiop[]", "QWERTYUIOP{}"},
        {38, "asdfghjkl;'", "ASDFGHJKL:\""},  {51, "\\", "|"},
        {52, "zxcvbnm,./", "ZXCVBNM<>?"},
    };
    for (const auto& r : rows) {
        const quint32 n = quint32(std::strlen(r.plain));
        if (keycode >= r.first && keycode < r.first + n)
            return (shift ? r.shifted : r.plain)[keycode - r.first];
    }
    return 0;  // ¥ and ろ: no such key on a US keyboard
}

// Idioms typed with kana keys, as a US keyboard sends them: ろ on `, ー on Shift+\.
int KanaKeys(const QList<int>& perRun) {
    kd::LcgRandom rnd;
    kd::SteadyTickCounter clock;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, QString());
    g.questions.SetGenre(QStringLiteral("kannyouku"));
    auto spell = [&g] {
        QByteArray keys;
        for (QChar k : kd::KanaKeysOf(g.questions.GetQuestion())) {
            kd::KanaKeyPlace place;
            if (!kd::PlaceOfKana(k.unicode(), place)) continue;
            char c = UsCharacter(place.keycode, place.shift);
            if (k == u'ろ') c = '`';
            if (k == u'ー') c = '|';
            keys += c;
        }
        return keys;
    };
    for (int count : perRun) {
        rnd.ReseedFromClock();
        QByteArray line;
        QByteArray keys = spell();
        while (line.size() < count) {
            line += keys.front();
            keys.remove(0, 1);
            if (keys.isEmpty()) keys = spell();
        }
        std::printf("%s\n", line.constData());
    }
    return 0;
}

// Mirrors the play screens: Space re-seeds, "Go!!" draws the first word, and each finished
// word draws the next at once, also when it was the last key typed.
int Keys(const QList<int>& perRun) {
    kd::LcgRandom rnd;  // the program's generator, in the state it starts with
    kd::SteadyTickCounter clock;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, QString());
    g.questions.SetGenre(QStringLiteral("english"));
    for (int count : perRun) {
        rnd.ReseedFromClock();
        QByteArray line;
        QString word = g.questions.GetEnglishQuestion();
        while (line.size() < count) {
            line += word.front().toLatin1();
            word.remove(0, 1);
            if (word.isEmpty()) word = g.questions.GetEnglishQuestion();
        }
        std::printf("%s\n", line.constData());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("prepare"))
        return Prepare(args[2], args[3], args[4].toInt(), QStringLiteral("english"));
    if (args.size() == 5 && args[1] == QLatin1String("idioms"))
        return Prepare(args[2], args[3], args[4].toInt(), QStringLiteral("kannyouku"));
    if (args.size() >= 3 && (args[1] == QLatin1String("keys") || args[1] == QLatin1String("guide") ||
                             args[1] == QLatin1String("kana"))) {
        QList<int> perRun;
        for (qsizetype i = 2; i < args.size(); ++i) perRun << args[i].toInt();
        if (args[1] == QLatin1String("kana")) return KanaKeys(perRun);
        return args[1] == QLatin1String("guide") ? GuideKeys(perRun) : Keys(perRun);
    }
    std::fprintf(stderr,
                 "usage: question_keys prepare|idioms DATA_ROOT PLAYER SECONDS | question_keys "
                 "keys|guide|kana N [N...]\n");
    return 2;
}
