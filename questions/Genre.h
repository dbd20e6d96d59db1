#pragma once
#include <QCoreApplication>
#include <QLatin1String>
#include <QString>
#include <optional>

namespace kd {

// The two genres of the question bank. Files store them as a 16-bit value (the enum's) or as
// a key text; screens show a label.
enum class Genre { Idioms = 0, English = 1 };

constexpr QLatin1String kIdiomsKey("kannyouku");
constexpr QLatin1String kEnglishKey("english");

inline QString GenreKey(Genre genre) {
    return genre == Genre::English ? QString(kEnglishKey) : QString(kIdiomsKey);
}
inline bool IsGenreKey(const QString& key, Genre genre) {
    return key == (genre == Genre::English ? kEnglishKey : kIdiomsKey);
}
// The genre of a key text; nullopt for any other text.
inline std::optional<Genre> GenreOfKey(const QString& key) {
    if (IsGenreKey(key, Genre::Idioms)) return Genre::Idioms;
    if (IsGenreKey(key, Genre::English)) return Genre::English;
    return std::nullopt;
}
inline QString GenreLabel(Genre genre) {
    return genre == Genre::English ? QStringLiteral("英単語") : QStringLiteral("慣用句");
}
// A genre label as the interface shows it; files and rules keep the label itself.
inline QString GenreDisplayName(const QString& label) {
    static const char* const kLabels[] = {QT_TRANSLATE_NOOP("Genre", "慣用句"),
                                          QT_TRANSLATE_NOOP("Genre", "英単語")};
    for (const char* shown : kLabels)
        if (label == QString::fromUtf8(shown)) return QCoreApplication::translate("Genre", shown);
    return label;
}

}  // namespace kd
