#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace kd {

// A player's own questions: idioms typed by their reading, or English words typed as they are.
enum class QuestionSetKind { Idioms = 0, English = 1 };

struct SetQuestion {
    QString text;     // what the question panel shows (the kanji form, or the word)
    QString reading;  // what is typed (the kana reading, or the word again)
    bool operator==(const SetQuestion&) const = default;
};

struct RefusedLine {
    int line = 0;    // 1-based line number in the file
    QString reason;  // in the player's words, for the import report
};

// What a file gave: the questions taken, every refused line with its reason, or, when the file
// could not be read at all, a message saying why.
struct QuestionSetImport {
    QString error;
    QuestionSetKind kind = QuestionSetKind::Idioms;
    QList<SetQuestion> questions;
    QList<RefusedLine> refused;

    bool HasQuestions() const { return error.isEmpty() && !questions.isEmpty(); }
};

// Limits that keep a question inside the play screens' panels.
constexpr int kSetTextMax = 24;
constexpr int kSetReadingMax = 32;
constexpr int kSetWordMax = 24;
constexpr qint64 kSetFileMax = 16 * 1024 * 1024;

// Reads a file's bytes: UTF-8 (with or without BOM), LF, CRLF or CR. Lines of
// "表示<TAB>読み" or "表示,読み" (CSV quoting allowed) make an idiom set; one word per line an
// English set. Empty lines and lines starting with '#' are skipped.
QuestionSetImport ParseQuestionSet(const QByteArray& bytes);
QuestionSetImport ReadQuestionSetFile(const QString& path);

// The kana unit of a reading that the typing judge cannot take, or "" when the judge types the
// whole reading through.
QString UntypeablePart(const QString& reading);

// The name a set gets from its file: the base name, trimmed and shortened.
QString SetNameFromPath(const QString& path);

}  // namespace kd
