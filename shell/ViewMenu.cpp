#include "shell/ViewMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include "common/GameState.h"
#include "learning/GhostSetting.h"
#include "learning/KanaInput.h"
#include "platform/core/Language.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Zoom.h"
#include "questions/StringTable.h"
#include "stats/ReplayWindow.h"

namespace kd {

void AddGhostAndReplayItems(QMenu* view, GameState& g, QWidget* owner) {
    view->addSeparator();
    QAction* ghost = view->addAction(QCoreApplication::translate("ViewMenu", "ゴースト(&G)"));
    ghost->setObjectName(QStringLiteral("ghostAction"));
    ghost->setCheckable(true);
    QAction* replay = view->addAction(QCoreApplication::translate("ViewMenu", "記録の再生(&P)"));
    replay->setObjectName(QStringLiteral("replayAction"));
    // The player can change between two openings of the menu; the mark follows the record. It
    // is right before the first opening too: assistive tools read it from a closed menu.
    auto follow = [ghost, &g] { ghost->setChecked(GhostSwitchedOn(g)); };
    follow();
    QObject::connect(view, &QMenu::aboutToShow, ghost, follow);
    QObject::connect(ghost, &QAction::triggered, ghost, [ghost, &g](bool on) {
        if (!SwitchGhost(g, on)) ghost->setChecked(!on);
    });
    QObject::connect(replay, &QAction::triggered, owner, [&g, owner] { stats::OpenReplayList(g, owner); });
}

QMenu* AddInputMethodItems(QMenu* view, GameState& g) {
    QMenu* methods = view->addMenu(QCoreApplication::translate("ViewMenu", "入力方式(&I)"));
    methods->setObjectName(QStringLiteral("inputMethodMenu"));
    auto* group = new QActionGroup(methods);
    group->setExclusive(true);
    QAction* romaji = methods->addAction(QCoreApplication::translate("ViewMenu", "ローマ字入力(&R)"));
    romaji->setObjectName(QStringLiteral("romajiInputAction"));
    QAction* kana = methods->addAction(QCoreApplication::translate("ViewMenu", "かな入力(&K)"));
    kana->setObjectName(QStringLiteral("kanaInputAction"));
    // The player can change between two openings of the menu; the mark follows the record.
    auto follow = [romaji, kana, &g] {
        const bool isKana = PlayerInputMethod(g) == InputMethod::Kana;
        romaji->setChecked(!isKana);
        kana->setChecked(isKana);
    };
    for (QAction* a : {romaji, kana}) {
        a->setCheckable(true);
        group->addAction(a);
        const InputMethod method = a == kana ? InputMethod::Kana : InputMethod::Romaji;
        // Not stored (no record, or it cannot be written): the mark goes back to what it holds.
        QObject::connect(a, &QAction::triggered, a, [method, follow, &g] {
            if (!SetPlayerInputMethod(g, method)) follow();
        });
    }
    follow();
    QObject::connect(view, &QMenu::aboutToShow, methods, follow);
    QObject::connect(methods, &QMenu::aboutToShow, methods, follow);
    return methods;
}

namespace {

const char* const kFromNextStart[] = {
    QT_TRANSLATE_NOOP("ViewMenu", "次に起動したときから日本語で表示します。"),
    QT_TRANSLATE_NOOP("ViewMenu", "次に起動したときから英語で表示します。"),
};

}  // namespace

void AddLanguageItems(QMenu* view, MessageBoxes& msg, QWidget* owner) {
    QMenu* languages = view->addMenu(QCoreApplication::translate("ViewMenu", "言語(&L)"));
    languages->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(languages);
    // Each language is named in itself, so it can be found whatever the interface speaks.
    const struct {
        const char* name;
        QString text;
        InterfaceLanguage language;
    } items[] = {{"japaneseAction", QStringLiteral("日本語"), InterfaceLanguage::Japanese},
                 {"englishAction", QStringLiteral("English"), InterfaceLanguage::English}};
    for (const auto& item : items) {
        QAction* a = languages->addAction(item.text);
        a->setObjectName(QString::fromLatin1(item.name));
        a->setCheckable(true);
        group->addAction(a);
        const InterfaceLanguage language = item.language;
        auto follow = [a, language] {
            const QString file = Zoom::Instance() ? Zoom::Instance()->SettingsFile() : QString();
            a->setChecked(ResolveLanguage(StoredLanguageChoice(file), CurrentInterfaceLanguage()) ==
                          language);
        };
        follow();
        QObject::connect(languages, &QMenu::aboutToShow, a, follow);
        QObject::connect(a, &QAction::triggered, owner, [&msg, owner, language] {
            const QString file = Zoom::Instance() ? Zoom::Instance()->SettingsFile() : QString();
            StoreLanguageChoice(language, file);
            if (language == CurrentInterfaceLanguage()) return;
            // Said in the language chosen: whoever picks English may not read Japanese.
            msg.Show(
                owner, AppTitle(),
                TranslatedInto(language, "ViewMenu", kFromNextStart[language == InterfaceLanguage::English]),
                MsgButtons::OK);
        });
    }
}

}  // namespace kd
