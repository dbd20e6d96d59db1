#pragma once
#include <QString>
#include <functional>

namespace kd {

// The two languages the interface speaks. Japanese is the game's own (the source texts);
// English comes from the translation built into the program.
enum class InterfaceLanguage { Japanese, English };

// The system's first user-interface language, read from LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG in that order (the first one set wins). Japanese when it is Japanese, C or POSIX, or
// when none is set; English for anything else. readEnv returns an empty text for an unset name.
InterfaceLanguage SystemLanguage(const std::function<QString(const char*)>& readEnv);
InterfaceLanguage SystemLanguage();  // from this process's environment

// The player's choice from the View menu overrides the system: "ja" or "en"; anything else
// (nothing chosen yet) follows the system.
InterfaceLanguage ResolveLanguage(const QString& chosen, InterfaceLanguage system);

// The choice is kept for the computer, beside the zoom. settingsFile: an INI file for tests;
// empty means the machine's own settings.
QString StoredLanguageChoice(const QString& settingsFile = QString());
void StoreLanguageChoice(InterfaceLanguage language, const QString& settingsFile = QString());

QString LanguageCode(InterfaceLanguage language);  // "ja" or "en"

// The language this start-up shows: the stored choice, else the system's.
InterfaceLanguage StartupLanguage(const QString& settingsFile = QString());

// Puts the interface in this language from now on: installs the built-in English translation,
// or removes it for Japanese. Texts already shown stay as they are. False when the translation
// cannot be loaded (the interface then stays Japanese).
bool ApplyInterfaceLanguage(InterfaceLanguage language);
InterfaceLanguage CurrentInterfaceLanguage();

// A source text in the given language, whichever the interface speaks now.
QString TranslatedInto(InterfaceLanguage language, const char* context, const char* source);

}  // namespace kd
