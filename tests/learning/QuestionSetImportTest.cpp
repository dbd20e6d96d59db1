#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/Cp932.h"
#include "learning/QuestionSetImport.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

QByteArray Utf8(const char* s) {
    return QByteArray(s);
}

// A file full of mistakes: every refused line must be named with its number and reason, and
// every good line taken.
TEST(QuestionSetImport, IdiomFileWithMistakesListsEveryRefusedLine) {
    const QByteArray file = Utf8(
        "# my idioms\n"                           // 1 comment
        "猫の手も借りたい\tねこのてもかりたい\n"  // 2 ok
        "\n"                                      // 3 blank
        "一石二鳥,いっせきにちょう\n"             // 4 ok (CSV)
        "お茶\tおチャ\n"                          // 5 katakana
        "漢字\t漢字\n"                            // 6 kanji in the reading
        "空読み\t\n"                              // 7 empty reading
        "\tよみ\n"                                // 8 empty text
        "区切りなし\n"                            // 9 no separator
        "あ\tい\tう\n"                            // 10 three columns
        "ぁ\tぁ\n"                                // 11 lone small kana
        "最後\tさいごっ\n"                        // 12 っ at the end
        "\"a,b\",えーびー\n"                      // 13 ok, quoted CSV
        "\"open,ひらく\n"                         // 14 quote left open
        "猫の手も借りたい\tねこのてもかりたい\n"  // 15 duplicate of 2
        "romaji\tromaji\n"                        // 16 letters in the reading
        "  余白  \t  よはく  \n"                  // 17 ok, trimmed
        "長い\tあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも\n"  // 18 too long
        "熊\tくま🐻\n"  // 19 an emoji, named whole
    );
    const QuestionSetImport r = ParseQuestionSet(file);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.kind, QuestionSetKind::Idioms);
    const QList<SetQuestion> want{{"猫の手も借りたい", "ねこのてもかりたい"},
                                  {"一石二鳥", "いっせきにちょう"},
                                  {"a,b", "えーびー"},
                                  {"余白", "よはく"}};
    EXPECT_EQ(r.questions, want);

    const struct {
        int line;
        const char* reason;
    } refused[] = {
        {5, "読みにカタカナ「チ」があります（読みはひらがなで書いてください）"},
        {6, "読みに漢字「漢」があります（読みはひらがなで書いてください）"},
        {7, "読みが空です"},
        {8, "表示が空です"},
        {9, "表示と読みの区切り（タブかカンマ）がありません"},
        {10, "列が多すぎます（表示と読みの2列にしてください）"},
        {11, "読みの「ぁ」はローマ字で打てません"},
        {12, "読みの「っ」はローマ字で打てません"},
        {14, "引用符（\"）が閉じていません"},
        {15, "2行目と同じ問題です"},
        {16, "読みに「r」があります（読みはひらがなだけで書いてください）"},
        {18, "読みが長すぎます（32文字まで）"},
        {19, "読みの「🐻」はローマ字で打てません"},
    };
    ASSERT_EQ(r.refused.size(), qsizetype(std::size(refused)));
    for (qsizetype i = 0; i < r.refused.size(); ++i) {
        EXPECT_EQ(r.refused[i].line, refused[i].line);
        EXPECT_EQ(r.refused[i].reason, QString::fromUtf8(refused[i].reason)) << "line " << refused[i].line;
    }
}

TEST(QuestionSetImport, EnglishWordsOnePerLine) {
    const QuestionSetImport r =
        ParseQuestionSet(Utf8("apple\r\nx-ray\r\nice cream\r\ncafé\r\nR2D2\r\nJapan\r\n"
                              "two,words\r\napple\r\n"));
    ASSERT_TRUE(r.error.isEmpty());
    EXPECT_EQ(r.kind, QuestionSetKind::English);
    QStringList words;
    for (const SetQuestion& q : r.questions) {
        EXPECT_EQ(q.text, q.reading);
        words << q.text;
    }
    EXPECT_EQ(words, QStringList({"apple", "x-ray", "ice cream", "Japan"}));
    ASSERT_EQ(r.refused.size(), 4);
    EXPECT_EQ(r.refused[0].line, 4);
    EXPECT_EQ(r.refused[0].reason, "英単語に使えるのは英字・ハイフン・空白だけです（「é」）");
    EXPECT_EQ(r.refused[1].reason, "英単語に使えるのは英字・ハイフン・空白だけです（「2」）");
    EXPECT_EQ(r.refused[2].reason, "英単語の行に区切りがあります（1行に1語にしてください）");
    EXPECT_EQ(r.refused[3].reason, "1行目と同じ問題です");
}

// Line ends and byte-order marks as editors write them give the same questions.
TEST(QuestionSetImport, BomAndLineEndsDoNotMatter) {
    const QList<SetQuestion> want{{"猫", "ねこ"}, {"犬", "いぬ"}};
    for (const char* bytes : {"猫\tねこ\n犬\tいぬ\n", "\xEF\xBB\xBF猫\tねこ\r\n犬\tいぬ\r\n",
                              "猫\tねこ\r犬\tいぬ", "\xEF\xBB\xBF猫\tねこ\n\n\r\n犬\tいぬ"}) {
        const QuestionSetImport r = ParseQuestionSet(QByteArray(bytes));
        EXPECT_TRUE(r.error.isEmpty());
        EXPECT_EQ(r.questions, want) << bytes;
        EXPECT_TRUE(r.refused.isEmpty());
    }
}

TEST(QuestionSetImport, FilesThatCannotBeReadSayWhy) {
    const QByteArray sjis = *EncodeCp932(QStringLiteral("猫\tねこ\n犬\tいぬ\n"));
    const struct {
        QByteArray bytes;
        const char* starts;
    } rows[] = {
        {QByteArray(), "ファイルが空です"},
        {sjis, "このファイルはUTF-8ではなく、Shift-JIS"},
        {QByteArray("\xFF\xFE\x2B\x73", 4), "このファイルはUTF-16"},
        {QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11), "テキストファイルではありません"},
        {QByteArray("\xC0\xC1\xF5\xFF"), "UTF-8のテキストとして読めません"},
        {QByteArray("# only\n\n  \n"), "問題の行がありません"},
    };
    for (const auto& r : rows) {
        const QuestionSetImport got = ParseQuestionSet(r.bytes);
        EXPECT_TRUE(got.error.startsWith(QString::fromUtf8(r.starts))) << got.error.toStdString();
        EXPECT_FALSE(got.HasQuestions());
    }

    QTemporaryDir dir;
    EXPECT_EQ(ReadQuestionSetFile(dir.filePath("missing.tsv")).error, "ファイルが見つかりません。");
    EXPECT_EQ(ReadQuestionSetFile(dir.path()).error, "ファイルではありません。");
    QFile locked(dir.filePath("locked.tsv"));
    ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
    locked.write("猫\tねこ\n");
    locked.close();
    locked.setPermissions(QFileDevice::WriteOwner);
    if (!QFile(locked.fileName()).open(QIODevice::ReadOnly)) {  // root reads it anyway
        EXPECT_TRUE(ReadQuestionSetFile(locked.fileName()).error.startsWith("ファイルを読めません"));
    }
}

TEST(QuestionSetImport, HundredThousandLinesKeepEveryGoodLineAndNumberEveryBadOne) {
    QByteArray file;
    for (int i = 1; i <= 100000; ++i) {
        if (i % 10 == 0)
            file += "悪い\tカタカナ\n";
        else
            file += QStringLiteral("問題%1\tもんだい\n").arg(i).toUtf8();
    }
    const QuestionSetImport r = ParseQuestionSet(file);
    ASSERT_TRUE(r.error.isEmpty());
    EXPECT_EQ(r.questions.size(), 90000);
    ASSERT_EQ(r.refused.size(), 10000);
    EXPECT_EQ(r.refused.front().line, 10);
    EXPECT_EQ(r.refused.back().line, 100000);
    EXPECT_EQ(r.questions.back().text, "問題99999");
}

TEST(QuestionSetImport, SetNamesComeFromTheFileName) {
    EXPECT_EQ(SetNameFromPath("/home/a/ことわざ集.tsv"), "ことわざ集");
    EXPECT_EQ(SetNameFromPath("/home/a/my words.v2.csv"), "my words.v2");
    EXPECT_EQ(SetNameFromPath("/home/a/.tsv"), "自分の問題");
    EXPECT_EQ(SetNameFromPath("/x/" + QString(40, u'長') + ".tsv"), QString(24, u'長'));
}

}  // namespace
}  // namespace kd
