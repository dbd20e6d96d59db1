#pragma once
// Cross-checks of the question texts against outside references: MeCab (IPADIC) for the idiom
// readings and the US English word list for the spelling of the English words. Header-only so
// that both the readingcheck tool and the data tests use the very same rules.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>

#include "questions/StringTable.h"

namespace kd::readingcheck {

inline constexpr int kFirstIdiomId = 101;
inline constexpr int kLastIdiomId = 466;
inline constexpr int kFirstWordId = 1000;
inline constexpr int kLastWordId = 1800;

// Pinned rather than the system default, which may be another dictionary (juman) that reads
// idioms differently and would make the reviewed list meaningless.
inline QString IpadicFolder() {
    return QStringLiteral("/var/lib/mecab/dic/ipadic-utf8");
}
inline QString WordListPath() {
    return QStringLiteral("/usr/share/dict/american-english");
}

struct Idiom {
    int kanjiId = 0;
    QString kanji;
    QString reading;
};

inline QList<Idiom> Idioms(const StringTable& table) {
    QList<Idiom> out;
    for (int id = kFirstIdiomId; id < kLastIdiomId; id += 2)
        out.append({id, table.LoadString(id), table.LoadString(id + 1)});
    return out;
}

inline QStringList Words(const StringTable& table) {
    QStringList out;
    for (int id = kFirstWordId; id <= kLastWordId; ++id) out << table.LoadString(id);
    return out;
}

// MeCab gives readings in katakana; ours are hiragana. ー and other marks pass unchanged.
inline QString KatakanaToHiragana(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QChar(0x30A1) && c <= QChar(0x30F6)) c = QChar(c.unicode() - 0x60);
    return out;
}

// Runs MeCab over the texts, one per line, and returns the hiragana reading of each. Empty
// when MeCab or IPADIC is not there (why goes to *why) or MeCab fails.
inline std::optional<QStringList> MecabReadings(const QStringList& texts, QString* why) {
    const QString mecab = QStandardPaths::findExecutable(QStringLiteral("mecab"));
    if (mecab.isEmpty()) {
        if (why) *why = QStringLiteral("mecab is not installed (Debian package mecab)");
        return std::nullopt;
    }
    if (!QDir(IpadicFolder()).exists(QStringLiteral("sys.dic"))) {
        if (why) *why = QStringLiteral("IPADIC is not installed (Debian package mecab-ipadic-utf8)");
        return std::nullopt;
    }
    QProcess p;
    p.start(mecab, {QStringLiteral("-d"), IpadicFolder(), QStringLiteral("-Oyomi")});
    if (!p.waitForStarted()) {
        if (why) *why = QStringLiteral("mecab did not start");
        return std::nullopt;
    }
    p.write((texts.join(u'\n') + u'\n').toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (why) *why = QStringLiteral("mecab failed: ") + QString::fromUtf8(p.readAllStandardError());
        return std::nullopt;
    }
    QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() != texts.size()) {
        if (why)
            *why = QStringLiteral("mecab returned %1 lines for %2 texts").arg(lines.size()).arg(texts.size());
        return std::nullopt;
    }
    for (QString& l : lines) l = KatakanaToHiragana(l.trimmed());
    return lines;
}

// A reviewed disagreement: MeCab reads `kanji` as `mecab`, and `ours` is right for `reason`.
struct Review {
    QString kanji, mecab, ours, reason;
};

// Tab-separated lines "kanji, MeCab reading, our reading, reason"; '#' starts a comment.
// Lines that do not have four non-empty fields are returned in *bad so that a typo in the list
// is reported instead of silently reviewing nothing.
inline QList<Review> ParseReviews(const QString& text, QStringList* bad = nullptr) {
    QList<Review> out;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        const QStringList f = line.split(u'\t');
        if (f.size() != 4 || f[0].isEmpty() || f[1].isEmpty() || f[2].isEmpty() || f[3].trimmed().isEmpty()) {
            if (bad) *bad << line;
            continue;
        }
        out.append({f[0], f[1], f[2], f[3].trimmed()});
    }
    return out;
}

struct Disagreement {
    Idiom idiom;
    QString mecab;
};

struct ReadingReport {
    QList<Disagreement> reviewed;
    QList<Disagreement> unreviewed;
    QList<Review> stale;  // entries that match no current disagreement
};

inline ReadingReport CompareReadings(const QList<Idiom>& idioms, const QStringList& mecab,
                                     const QList<Review>& reviews) {
    ReadingReport r;
    QSet<int> used;
    for (qsizetype i = 0; i < idioms.size(); ++i) {
        const Idiom& idiom = idioms[i];
        if (mecab.value(i) == idiom.reading) continue;
        const Disagreement d{idiom, mecab.value(i)};
        qsizetype hit = -1;
        for (qsizetype k = 0; k < reviews.size() && hit < 0; ++k)
            if (reviews[k].kanji == idiom.kanji && reviews[k].mecab == d.mecab &&
                reviews[k].ours == idiom.reading)
                hit = k;
        if (hit < 0) {
            r.unreviewed << d;
        } else {
            r.reviewed << d;
            used.insert(int(hit));
        }
    }
    for (qsizetype k = 0; k < reviews.size(); ++k)
        if (!used.contains(int(k))) r.stale << reviews[k];
    return r;
}

// Word list lines as a set; empty when the list is missing.
inline QSet<QString> LoadWordList(const QString& path = WordListPath()) {
    QSet<QString> words;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return words;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.isEmpty()) words.insert(QString::fromUtf8(line).trimmed());
    return words;
}

// Tab-separated "word, reason" lines; '#' starts a comment. A line without a reason lands in *bad.
inline QHash<QString, QString> ParseAllowList(const QString& text, QStringList* bad = nullptr) {
    QHash<QString, QString> out;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0 || line.mid(tab + 1).trimmed().isEmpty()) {
            if (bad) *bad << line;
            continue;
        }
        out.insert(line.left(tab), line.mid(tab + 1).trimmed());
    }
    return out;
}

struct SpellingReport {
    QStringList unknown;   // neither in the word list nor allowed
    QStringList allowed;   // missing from the word list, allowed with a reason
    QStringList needless;  // allowed although the word list has them, or not in the bank at all
};

inline SpellingReport CheckSpelling(const QStringList& words, const QSet<QString>& wordList,
                                    const QHash<QString, QString>& allow) {
    SpellingReport r;
    for (const QString& w : words) {
        if (wordList.contains(w)) continue;
        (allow.contains(w) ? r.allowed : r.unknown) << w;
    }
    const QSet<QString> bank(words.begin(), words.end());
    for (auto it = allow.begin(); it != allow.end(); ++it)
        if (wordList.contains(it.key()) || !bank.contains(it.key())) r.needless << it.key();
    r.needless.sort();
    return r;
}

inline QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace kd::readingcheck
