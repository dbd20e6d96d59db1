#include <gtest/gtest.h>

#include "learning/PracticeSource.h"
#include "support/QStringPrint.h"

namespace kd {
namespace {

const QList<QuestionSetInfo> kSets{{4, "ことわざ", QuestionSetKind::Idioms, 10, 0},
                                   {7, "単語帳", QuestionSetKind::English, 20, 0}};

TEST(PracticeSource, ChoicesInOrderWithWhatTheFileAndTheRecordHold) {
    const QList<PracticeSource> choices = PracticeChoices(kSets);
    const struct {
        const char* label;
        const char* setting;
        const char* file;
        const char* record;
    } want[] = {
        {"慣用句", "bank", "kannyouku", "kannyouku"},    {"英単語", "bank", "english", "english"},
        {"苦手克服", "drill", "kannyouku", "kannyouku"}, {"ことわざ", "set:4", "kannyouku", "set:4"},
        {"単語帳", "set:7", "english", "set:7"},
    };
    ASSERT_EQ(choices.size(), qsizetype(std::size(want)));
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const PracticeSource& c = choices[i];
        EXPECT_EQ(c.Label(kSets), QString::fromUtf8(want[i].label));
        EXPECT_EQ(c.SettingText(), want[i].setting);
        EXPECT_EQ(c.bankGenre, want[i].file);
        EXPECT_EQ(c.RecordGenre(), want[i].record);
        // Stored and read back, every choice comes back as it was.
        EXPECT_EQ(PracticeSource::FromSetting(c.SettingText(), c.bankGenre, kSets), c);
    }
}

// The practice file has the last word: a copy of the game without these aids may have changed
// it, and a removed set cannot be played.
TEST(PracticeSource, TheFileWinsOverASettingThatNoLongerFits) {
    const struct {
        const char* setting;
        const char* file;
        const char* label;
    } rows[] = {
        {"drill", "english", "英単語"},    {"set:4", "english", "英単語"}, {"set:7", "kannyouku", "慣用句"},
        {"set:99", "kannyouku", "慣用句"}, {"", "english", "英単語"},      {"junk", "kannyouku", "慣用句"},
        {"set:4", "odd", "慣用句"},
    };
    for (const auto& r : rows) {
        const PracticeSource s = PracticeSource::FromSetting(r.setting, r.file, kSets);
        EXPECT_EQ(s.kind, PracticeSource::Kind::Bank) << r.setting;
        EXPECT_EQ(s.Label(kSets), QString::fromUtf8(r.label)) << r.setting;
    }
}

}  // namespace
}  // namespace kd
