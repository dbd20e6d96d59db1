#pragma once
#include <QList>
#include <QString>
#include <QtGlobal>

namespace kd {

// The program's string table: the title (1), the idioms (101-466), the English words
// (1000-1800) and the idioms' English meanings (10000 + the idiom's ID), looked up by 16-bit ID. Loaded once,
// on first use, from the compiled-in text.
class StringTable {
  public:
    static const StringTable& Instance();
    QString LoadString(int id) const;  // "" for an ID that is not present
    bool Has(int id) const;
    QList<int> Ids() const;  // every ID present, ascending

    // Parses "id<TAB>text" lines; '#' starts a comment line. Public for tests.
    static StringTable FromText(const QString& text);

  private:
    QList<QString> m_byId;  // index = ID
    QList<bool> m_present;
};

// An idiom's English meaning lives at this offset from the idiom's ID.
constexpr int kMeaningIdOffset = 10000;
// The English meaning of a bank idiom given by its written form; "" for any other text.
QString IdiomMeaning(const QString& idiom);

// The title "Key Derby" (string 1), used for captions and message boxes.
QString AppTitle();

}  // namespace kd
