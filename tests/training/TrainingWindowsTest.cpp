#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "play/GuideText.h"
#include "support/TestApp.h"
#include "training/ImportReportDialog.h"

namespace kd {
namespace {

TEST(GuideText, TypedDimmedNextMarkedAndReadOut) {
    GuideLine line;
    line.typed = "s";
    line.next = "h";
    line.rest = "ika";
    const QList<GuideRun> runs{
        {"s", kGuideTypedColor}, {"h", kGuideNextColor, true}, {"ika", kGuideRestColor}};
    EXPECT_EQ(GuideRuns(line), runs);
    EXPECT_EQ(GuideLineSpoken(line), "ローマ字ガイド：次は h、hika");

    GuideLabel label(nullptr);
    label.SetLine(line);
    EXPECT_EQ(label.text(), "shika");
    EXPECT_EQ(label.accessibleName(), "ローマ字ガイド：次は h、hika");

    // Text that would be markup stays text; a kana the judge cannot type is named.
    GuideLine odd;
    odd.next = "<b>";
    odd.cannotType = "ゐ";
    label.SetLine(odd);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.text(), "<b> （ゐ は打てません）");
    EXPECT_EQ(GuideLineSpoken(GuideLine()), "ローマ字ガイド");
    // Nothing to type: nothing drawn, nothing read but the strip's name.
    label.SetLine(GuideLine());
    EXPECT_EQ(label.text(), QString());
}

ImportReport Report(const char* bytes, bool stored) {
    ImportReport r;
    r.fileName = "ことわざ.tsv";
    r.result = ParseQuestionSet(QByteArray(bytes));
    if (stored) {
        r.setId = 3;
        r.setName = "ことわざ";
    }
    return r;
}

TEST(ImportReport, SaysWhatHappenedAndListsEveryRefusedLine) {
    test::TestApp app;
    const ImportReport r = Report("猫\tねこ\n犬\tイヌ\n\n鳥\t\n牛\tうし\n", true);
    auto* box = new ImportReportDialog(app.ctx, nullptr, r);
    box->Load();
    EXPECT_EQ(box->findChild<QLabel*>("summaryLine")->text(),
              "問題集「ことわざ」（慣用句）に 2 問を取り込みました。練習の設定でジャンルに選べます。");
    EXPECT_EQ(box->findChild<QLabel*>("refusedCaption")->text(), "取り込めなかった行：2 行");
    auto* table = box->findChild<QTableWidget*>("refusedTable");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), "2");
    EXPECT_EQ(table->item(0, 1)->text(), "読みにカタカナ「イ」があります（読みはひらがなで書いてください）");
    EXPECT_EQ(table->item(1, 0)->text(), "4");
    EXPECT_EQ(table->item(1, 1)->text(), "読みが空です");
    test::Press(box, Qt::Key_Return);
    EXPECT_TRUE(box->IsClosing());
    delete box;

    const struct {
        ImportReport report;
        const char* summary;
    } rows[] = {
        {Report("", false), "ファイルが空です。"},
        {Report("犬\tイヌ\n", false), "取り込める行がありませんでした。"},
        {[] {
             ImportReport s = Report("猫\tねこ\n", false);
             s.storeError = "ディスクがいっぱいです";
             return s;
         }(),
         "問題を記録に保存できませんでした（ディスクがいっぱいです）。何も取り込んでいません。"},
        {Report("apple\nbanana\n", true),
         "問題集「ことわざ」（英単語）に 2 問を取り込みました。練習の設定でジャンルに選べます。"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ImportReportDialog::SummaryText(row.report), QString::fromUtf8(row.summary));
}

}  // namespace
}  // namespace kd
