#include "learning/QuestionSetImport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>

#include "common/Cp932.h"
#include "engine/PlayLabels.h"
#include "engine/RomajiGuide.h"
#include "engine/TypingJudge.h"

namespace kd {

namespace {

QString Quoted(const QString& s) {
    return u'「' + s + u'」';
}

bool IsKatakana(QChar c) {
    return c.unicode() >= 0x30A1 && c.unicode() <= 0x30FA;
}

bool IsKanji(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || u == u'々';
}

QString UntypeableReason(const QString& part) {
    const QChar c = part.isEmpty() ? QChar() : part.at(0);
    if (IsKatakana(c))
        return QCoreApplication::translate("QuestionSetImport",
                                           "読みにカタカナ%1があります（読みはひらがなで書いてください）")
            .arg(Quoted(part));
    if (IsKanji(c))
        return QCoreApplication::translate("QuestionSetImport",
                                           "読みに漢字%1があります（読みはひらがなで書いてください）")
            .arg(Quoted(part));
    if (c.isSpace()) return QCoreApplication::translate("QuestionSetImport", "読みに空白があります");
    if (c.unicode() < 0x80)
        return QCoreApplication::translate("QuestionSetImport",
                                           "読みに%1があります（読みはひらがなだけで書いてください）")
            .arg(Quoted(part));
    return QCoreApplication::translate("QuestionSetImport", "読みの%1はローマ字で打てません")
        .arg(Quoted(part));
}

// English words: letters, hyphens and spaces, as the keyboard types them.
QChar FirstBadLetter(const QString& word) {
    for (QChar c : word) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '-' || u == ' ';
        if (!ok) return c;
    }
    return QChar();
}

// Splits one line into fields: on tabs when it has one, else as CSV ("a,b", quotes doubled
// inside quoted fields). Returns false for a quote left open.
bool SplitFields(QStringView line, QStringList& fields) {
    fields.clear();
    const bool tabs = line.contains(u'\t');
    if (!line.contains(u'"')) {  // the common case: nothing quoted
        for (QStringView f : line.split(tabs ? u'\t' : u',')) fields << f.trimmed().toString();
        return true;
    }
    const QChar sep = tabs ? QChar(u'\t') : QChar(u',');
    QString field;
    bool quoted = false, wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < line.size() && line.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"' && field.trimmed().isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == sep) {
            fields << field.trimmed();
            field.clear();
            wasQuoted = false;
        } else {
            field += c;
        }
    }
    if (quoted) return false;
    fields << field.trimmed();
    return true;
}

bool HasSeparator(QStringView line) {
    return line.contains(u'\t') || line.contains(u',');
}

QString DecodeOrExplain(const QByteArray& raw, QString& error) {
    if (raw.isEmpty()) {
        error = QCoreApplication::translate("QuestionSetImport", "ファイルが空です。");
        return {};
    }
    if (raw.startsWith("\xFF\xFE") || raw.startsWith("\xFE\xFF")) {
        error = QCoreApplication::translate(
            "QuestionSetImport",
            "このファイルはUTF-16で保存されています。UTF-8で保存し直してから読み込んでください。");
        return {};
    }
    QByteArray bytes = raw;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    if (bytes.contains('\0')) {
        error = QCoreApplication::translate("QuestionSetImport", "テキストファイルではありません。");
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    const auto sjis = DecodeCp932Strict(bytes);
    if (sjis && std::any_of(sjis->cbegin(), sjis->cend(), [](QChar c) { return c.unicode() >= 0x3000; })) {
        error = QCoreApplication::translate("QuestionSetImport",
                                            "このファイルはUTF-8ではなく、Shift-JISで保存されているようです。"
                                            "UTF-8で保存し直してから読み込んでください。");
    } else {
        error = QCoreApplication::translate(
            "QuestionSetImport",
            "UTF-8のテキストとして読めません。UTF-8で保存したファイルを選んでください。");
    }
    return {};
}

QString CheckIdiom(const QStringList& fields, SetQuestion& q) {
    if (fields.size() < 2)
        return QCoreApplication::translate("QuestionSetImport",
                                           "表示と読みの区切り（タブかカンマ）がありません");
    if (fields.size() > 2)
        return QCoreApplication::translate("QuestionSetImport",
                                           "列が多すぎます（表示と読みの2列にしてください）");
    q.text = fields[0];
    q.reading = fields[1];
    if (q.text.isEmpty()) return QCoreApplication::translate("QuestionSetImport", "表示が空です");
    if (q.reading.isEmpty()) return QCoreApplication::translate("QuestionSetImport", "読みが空です");
    if (q.text.size() > kSetTextMax)
        return QCoreApplication::translate("QuestionSetImport", "表示が長すぎます（%1文字まで）")
            .arg(kSetTextMax);
    if (q.reading.size() > kSetReadingMax)
        return QCoreApplication::translate("QuestionSetImport", "読みが長すぎます（%1文字まで）")
            .arg(kSetReadingMax);
    for (QChar c : q.text)
        if (c.category() == QChar::Other_Control)
            return QCoreApplication::translate("QuestionSetImport", "表示に制御文字があります");
    const QString stop = UntypeablePart(q.reading);
    if (!stop.isEmpty()) return UntypeableReason(stop);
    return {};
}

QString CheckWord(const QStringList& fields, SetQuestion& q) {
    if (fields.size() != 1)
        return QCoreApplication::translate("QuestionSetImport",
                                           "英単語の行に区切りがあります（1行に1語にしてください）");
    q.text = q.reading = fields[0];
    if (q.text.isEmpty()) return QCoreApplication::translate("QuestionSetImport", "単語が空です");
    if (q.text.size() > kSetWordMax)
        return QCoreApplication::translate("QuestionSetImport", "単語が長すぎます（%1文字まで）")
            .arg(kSetWordMax);
    const QChar bad = FirstBadLetter(q.text);
    if (!bad.isNull())
        return QCoreApplication::translate("QuestionSetImport",
                                           "英単語に使えるのは英字・ハイフン・空白だけです（%1）")
            .arg(Quoted(QString(bad)));
    return {};
}

}  // namespace

QString UntypeablePart(const QString& reading) {
    // The guide spells it with the judge's own forms; the judge then has to take every key.
    const GuideLine spelled = RomajiGuide::Spell(reading, RomajiChoices());
    if (!spelled.cannotType.isEmpty()) {
        // A character beyond the first plane (an emoji) is two halves: the report names it whole.
        const qsizetype at = reading.indexOf(spelled.cannotType);
        if (spelled.cannotType.size() == 1 && spelled.cannotType.at(0).isHighSurrogate() && at >= 0)
            return reading.mid(at, 2);
        return spelled.cannotType;
    }
    TypingJudge judge;
    StringPlayLabels labels;
    labels.display = reading;
    for (QChar key : spelled.Plain()) judge.JudgeKanaKey(labels, key.unicode());
    if (judge.GetMissCount() == 0 && labels.display.isEmpty()) return {};
    return labels.display.isEmpty() ? reading : labels.display.left(1);
}

QuestionSetImport ParseQuestionSet(const QByteArray& bytes) {
    QuestionSetImport result;
    const QString text = DecodeOrExplain(bytes, result.error);
    if (!result.error.isEmpty()) return result;

    // Lines end in LF, CRLF or a lone CR.
    QList<QStringView> lines;
    {
        const QStringView all(text);
        qsizetype start = 0;
        for (qsizetype i = 0; i < all.size(); ++i) {
            const QChar c = all.at(i);
            if (c != u'\n' && c != u'\r') continue;
            lines << all.mid(start, i - start);
            if (c == u'\r' && i + 1 < all.size() && all.at(i + 1) == u'\n') ++i;
            start = i + 1;
        }
        if (start < all.size()) lines << all.mid(start);
    }

    bool kindKnown = false;
    QHash<QString, int> firstLineOf;  // reading -> line, to name duplicates
    QStringList fields;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i + 1);
        // Fields are trimmed one by one: a tab at either end still separates an empty field.
        const QStringView line = lines[i];
        const QStringView bare = line.trimmed();
        if (bare.isEmpty() || bare.startsWith(u'#')) continue;
        if (!kindKnown) {
            result.kind = HasSeparator(line) ? QuestionSetKind::Idioms : QuestionSetKind::English;
            kindKnown = true;
        }
        SetQuestion q;
        QString reason;
        if (!SplitFields(line, fields))
            reason = QCoreApplication::translate("QuestionSetImport", "引用符（\"）が閉じていません");
        else if (result.kind == QuestionSetKind::Idioms)
            reason = CheckIdiom(fields, q);
        else
            reason = CheckWord(fields, q);
        if (reason.isEmpty()) {
            const QString key = q.text + u'\t' + q.reading;
            const auto seen = firstLineOf.constFind(key);
            if (seen != firstLineOf.cend())
                reason = QCoreApplication::translate("QuestionSetImport", "%1行目と同じ問題です").arg(*seen);
            else
                firstLineOf.insert(key, lineNo);
        }
        if (reason.isEmpty())
            result.questions << q;
        else
            result.refused << RefusedLine{lineNo, reason};
    }
    if (!kindKnown)
        result.error = QCoreApplication::translate("QuestionSetImport",
                                                   "問題の行がありません（空の行とコメントだけです）。");
    return result;
}

QuestionSetImport ReadQuestionSetFile(const QString& path) {
    QuestionSetImport result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QCoreApplication::translate("QuestionSetImport", "ファイルが見つかりません。");
        return result;
    }
    if (!info.isFile()) {
        result.error = QCoreApplication::translate("QuestionSetImport", "ファイルではありません。");
        return result;
    }
    if (info.size() > kSetFileMax) {
        result.error =
            QCoreApplication::translate("QuestionSetImport", "ファイルが大きすぎます（%1 MBまで）。")
                .arg(kSetFileMax / (1024 * 1024));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QCoreApplication::translate("QuestionSetImport", "ファイルを読めません（%1）。")
                           .arg(file.errorString());
        return result;
    }
    const QByteArray bytes = file.read(kSetFileMax + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = QCoreApplication::translate("QuestionSetImport", "ファイルを読めません（%1）。")
                           .arg(file.errorString());
        return result;
    }
    return ParseQuestionSet(bytes);
}

QString SetNameFromPath(const QString& path) {
    QString name = QFileInfo(path).completeBaseName().simplified();
    QString clean;
    for (QChar c : name)
        if (c.category() != QChar::Other_Control) clean += c;
    clean = clean.left(kSetTextMax).trimmed();
    return clean.isEmpty() ? QCoreApplication::translate("QuestionSetImport", "自分の問題") : clean;
}

}  // namespace kd
