// readingcheck: compares every idiom reading with MeCab's (IPADIC) and every English word with
// the US English word list, and lists what neither agrees with nor is reviewed.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "tools/readingcheck/ReadingCheck.h"

using namespace kd;
using namespace kd::readingcheck;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("readingcheck"));
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "Checks the idiom readings against MeCab and the English words against the word list.\n"
        "Exit status: 0 all agree or are reviewed, 1 something is unreviewed, 2 a reference is missing."));
    cli.addHelpOption();
    const QString here = QStringLiteral(KD_READINGCHECK_DIR);
    QCommandLineOption strings(
        {QStringLiteral("s"), QStringLiteral("strings")},
        QStringLiteral("Question texts to check (default: the ones built into the program)."),
        QStringLiteral("file"));
    QCommandLineOption review({QStringLiteral("r"), QStringLiteral("review")},
                              QStringLiteral("Reviewed reading disagreements."), QStringLiteral("file"),
                              here + QStringLiteral("/reading-review.tsv"));
    QCommandLineOption allow({QStringLiteral("a"), QStringLiteral("allow")},
                             QStringLiteral("Reviewed words missing from the word list."),
                             QStringLiteral("file"), here + QStringLiteral("/word-allowlist.tsv"));
    QCommandLineOption all(QStringLiteral("all"), QStringLiteral("List the reviewed entries too."));
    cli.addOptions({strings, review, allow, all});
    cli.process(app);

    QTextStream out(stdout);
    const StringTable table =
        cli.isSet(strings) ? StringTable::FromText(ReadText(cli.value(strings))) : StringTable::Instance();
    int status = 0;

    QStringList badReviews;
    const QList<Review> reviews = ParseReviews(ReadText(cli.value(review)), &badReviews);
    for (const QString& line : badReviews) out << "malformed review line: " << line << "\n";
    if (!badReviews.isEmpty()) status = 1;

    const QList<Idiom> idioms = Idioms(table);
    QStringList kanji;
    for (const Idiom& i : idioms) kanji << i.kanji;
    QString why;
    if (const auto mecab = MecabReadings(kanji, &why)) {
        const ReadingReport r = CompareReadings(idioms, *mecab, reviews);
        out << "readings: " << idioms.size() << " idioms, " << r.reviewed.size() + r.unreviewed.size()
            << " differ from MeCab, " << r.reviewed.size() << " reviewed, " << r.unreviewed.size()
            << " unreviewed\n";
        if (cli.isSet(all))
            for (const Disagreement& d : r.reviewed)
                out << "  reviewed\t" << d.idiom.kanji << "\t" << d.mecab << "\t" << d.idiom.reading << "\n";
        // Printed in the review file's own layout, ready to paste once a reason is written.
        for (const Disagreement& d : r.unreviewed)
            out << d.idiom.kanji << "\t" << d.mecab << "\t" << d.idiom.reading << "\t(reason)\n";
        for (const Review& s : r.stale)
            out << "  no longer needed: " << s.kanji << "\t" << s.mecab << "\t" << s.ours << "\n";
        if (!r.unreviewed.isEmpty()) status = qMax(status, 1);
    } else {
        out << "readings not checked: " << why << "\n";
        status = qMax(status, 2);
    }

    const QSet<QString> wordList = LoadWordList();
    QStringList badAllow;
    const auto allowed = ParseAllowList(ReadText(cli.value(allow)), &badAllow);
    for (const QString& line : badAllow) out << "malformed allow-list line: " << line << "\n";
    if (!badAllow.isEmpty()) status = qMax(status, 1);
    if (wordList.isEmpty()) {
        out << "words not checked: " << WordListPath() << " is missing (Debian package wamerican)\n";
        status = qMax(status, 2);
    } else {
        const QStringList words = Words(table);
        const SpellingReport s = CheckSpelling(words, wordList, allowed);
        out << "words: " << words.size() << " words, " << s.allowed.size() << " allowed, " << s.unknown.size()
            << " unknown\n";
        for (const QString& w : s.unknown) out << "  unknown\t" << w << "\n";
        for (const QString& w : s.needless) out << "  allow-list entry not needed: " << w << "\n";
        if (!s.unknown.isEmpty()) status = qMax(status, 1);
    }
    return status;
}
