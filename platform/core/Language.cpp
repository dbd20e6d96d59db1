#include "platform/core/Language.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTranslator>
#include <memory>

namespace kd {

namespace {

const QString kLanguageKey = QStringLiteral("view/language");

const QString kEnglishTranslation = QStringLiteral(":/i18n/keyderby_en.qm");
QTranslator* g_english = nullptr;

QSettings* OpenMachineSettings(const QString& file) {
    if (!file.isEmpty()) return new QSettings(file, QSettings::IniFormat);
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("keyderby"),
                         QStringLiteral("keyderby"));
}

}  // namespace

InterfaceLanguage SystemLanguage(const std::function<QString(const char*)>& readEnv) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = readEnv(name).trimmed();
        if (value.isEmpty()) continue;
        // LANGUAGE may list several ("en_GB:en"); the first is the one asked for.
        const QString first = value.section(u':', 0, 0);
        const QString lang = first.section(u'.', 0, 0).section(u'@', 0, 0).section(u'_', 0, 0);
        if (lang.isEmpty() || lang == u"C" || lang == u"POSIX" ||
            lang.compare(u"ja", Qt::CaseInsensitive) == 0)
            return InterfaceLanguage::Japanese;
        return InterfaceLanguage::English;
    }
    return InterfaceLanguage::Japanese;
}

InterfaceLanguage SystemLanguage() {
    return SystemLanguage([](const char* name) { return qEnvironmentVariable(name); });
}

InterfaceLanguage ResolveLanguage(const QString& chosen, InterfaceLanguage system) {
    if (chosen == u"ja") return InterfaceLanguage::Japanese;
    if (chosen == u"en") return InterfaceLanguage::English;
    return system;
}

QString LanguageCode(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? QStringLiteral("en") : QStringLiteral("ja");
}

QString StoredLanguageChoice(const QString& settingsFile) {
    const std::unique_ptr<QSettings> s(OpenMachineSettings(settingsFile));
    return s->value(kLanguageKey).toString();
}

void StoreLanguageChoice(InterfaceLanguage language, const QString& settingsFile) {
    const std::unique_ptr<QSettings> s(OpenMachineSettings(settingsFile));
    s->setValue(kLanguageKey, LanguageCode(language));
    s->sync();
}

InterfaceLanguage StartupLanguage(const QString& settingsFile) {
    return ResolveLanguage(StoredLanguageChoice(settingsFile), SystemLanguage());
}

bool ApplyInterfaceLanguage(InterfaceLanguage language) {
    if (g_english) {
        QCoreApplication::removeTranslator(g_english);
        delete g_english;
        g_english = nullptr;
    }
    if (language == InterfaceLanguage::Japanese) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(kEnglishTranslation) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    g_english = translator.release();
    return true;
}

InterfaceLanguage CurrentInterfaceLanguage() {
    return g_english ? InterfaceLanguage::English : InterfaceLanguage::Japanese;
}

QString TranslatedInto(InterfaceLanguage language, const char* context, const char* source) {
    if (language == InterfaceLanguage::English) {
        QTranslator english;
        if (english.load(kEnglishTranslation)) {
            const QString text = english.translate(context, source);
            if (!text.isEmpty()) return text;
        }
    }
    return QString::fromUtf8(source);
}

}  // namespace kd
