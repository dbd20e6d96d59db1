#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMap>
#include <QTemporaryDir>

#include "platform/core/Language.h"

namespace kd::test {
namespace {

using L = InterfaceLanguage;

TEST(Language, TheFirstVariableSetDecidesAndOnlyJapaneseCOrPosixOrNothingKeepJapanese) {
    const struct {
        QMap<QString, QString> env;
        L expected;
    } cases[] = {
        {{}, L::Japanese},
        {{{"LANG", "C"}}, L::Japanese},
        {{{"LANG", "C.UTF-8"}}, L::Japanese},
        {{{"LANG", "POSIX"}}, L::Japanese},
        {{{"LANG", "ja_JP.UTF-8"}}, L::Japanese},
        {{{"LANG", "en_US.UTF-8"}}, L::English},
        {{{"LANG", "de_DE.UTF-8"}}, L::English},
        {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, L::English},
        {{{"LANG", "en_US.UTF-8"}, {"LC_ALL", "ja_JP.eucJP"}}, L::Japanese},
        {{{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "en:ja"}}, L::English},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "ja"}}, L::Japanese},
        {{{"LANGUAGE", "en"}, {"LC_ALL", "C"}}, L::English},
        {{{"LANGUAGE", ""}, {"LANG", "fr_FR@euro"}}, L::English},  // set but empty counts as unset
        {{{"LANG", "sr_RS@latin"}}, L::English},
    };
    for (const auto& c : cases) {
        const L got =
            SystemLanguage([&](const char* name) { return c.env.value(QString::fromLatin1(name)); });
        EXPECT_EQ(got, c.expected) << QStringList(c.env.keys()).join(u',').toStdString() << " = "
                                   << QStringList(c.env.values()).join(u',').toStdString();
    }
}

TEST(Language, TheComputersChoiceOverridesTheSystemAndIsKept) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("keyderby.conf"));
    EXPECT_EQ(StoredLanguageChoice(file), QString());
    EXPECT_EQ(ResolveLanguage(StoredLanguageChoice(file), L::English), L::English);
    StoreLanguageChoice(L::Japanese, file);
    EXPECT_EQ(ResolveLanguage(StoredLanguageChoice(file), L::English), L::Japanese);
    StoreLanguageChoice(L::English, file);
    EXPECT_EQ(ResolveLanguage(StoredLanguageChoice(file), L::Japanese), L::English);
    EXPECT_EQ(ResolveLanguage(QStringLiteral("xx"), L::Japanese), L::Japanese);
}

TEST(Language, TheBuiltInEnglishTranslationLoadsAndCanBeTakenBack) {
    const char* source = "言語(&L)";
    ASSERT_TRUE(ApplyInterfaceLanguage(L::English));
    const QString english = QCoreApplication::translate("ViewMenu", source);
    EXPECT_EQ(CurrentInterfaceLanguage(), L::English);
    ASSERT_TRUE(ApplyInterfaceLanguage(L::Japanese));
    EXPECT_EQ(QCoreApplication::translate("ViewMenu", source), QString::fromUtf8(source));
    EXPECT_NE(english, QString::fromUtf8(source));
    EXPECT_FALSE(english.isEmpty());
    EXPECT_EQ(TranslatedInto(L::English, "ViewMenu", source), english);
    EXPECT_EQ(TranslatedInto(L::Japanese, "ViewMenu", source), QString::fromUtf8(source));
}

}  // namespace
}  // namespace kd::test
