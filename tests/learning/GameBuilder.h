#pragma once
#include <QString>

#include "learning/PlayedGame.h"

namespace kd::test {

// A recorded game written by hand: questions shown at given moments, keys at moments since
// their question, each hit by default.
class GameBuilder {
  public:
    explicit GameBuilder(GameMode mode = GameMode::TimeTrial) { game.mode = mode; }

    GameBuilder& Question(const QString& text, qint64 shownMs, const QString& reading = QString()) {
        PlayedQuestion q;
        q.seq = int(game.questions.size());
        q.text = text;
        q.reading = reading.isEmpty() ? text : reading;
        q.shownMs = shownMs;
        game.questions.append(q);
        return *this;
    }
    // One key of the last question, `ms` after it was shown.
    GameBuilder& Key(qint64 ms, bool hit = true, const QString& expected = QStringLiteral("a"),
                     const QString& typed = QString(), const QString& form = QString()) {
        PlayedQuestion& q = game.questions.last();
        PlayedKey k;
        k.seq = int(game.keys.size());
        k.questionSeq = q.seq;
        k.ms = ms;
        k.gameMs = q.shownMs + ms;
        k.expected = expected;
        k.typed = typed.isEmpty() ? expected.left(1) : typed;
        k.hit = hit;
        k.form = form;
        q.lastKeyMs = ms;
        (hit ? game.correct : game.misses)++;
        if (!hit) ++q.misses;
        game.keys.append(k);
        return *this;
    }
    GameBuilder& Completed() {
        game.questions.last().completed = true;
        return *this;
    }
    GameBuilder& Lanes(qint64 ms, std::array<int, 5> p) {
        game.lanes.append({ms, p});
        return *this;
    }
    GameBuilder& Time(qint32 ms) {
        game.timeMs = ms;
        game.durationMs = ms;
        return *this;
    }
    PlayedGame game;
};

}  // namespace kd::test
