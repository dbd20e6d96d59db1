#pragma once
#include <QList>
#include <QString>

#include "learning/QuestionSetStore.h"

namespace kd {

// The player's options of the training aids, as keys of the learning database's settings.
namespace TrainingSetting {
inline const QString kRomajiGuide = QStringLiteral("romaji_guide");        // "1" on, "0" or missing off
inline const QString kRomajiChoices = QStringLiteral("romaji_choices");    // RomajiChoices::ToText
inline const QString kPracticeSource = QStringLiteral("practice_source");  // PracticeSource::SettingText
}  // namespace TrainingSetting

// Where a practice takes its questions from: a genre of the bank, the weak-spot drill or one of
// the player's own sets. The practice file keeps only the bank genre it can hold (the drill
// plays idioms, a set idioms or English words by its kind), so a copy of the game without
// these aids still reads it; the rest is a setting of the learning database.
struct PracticeSource {
    enum class Kind { Bank, Drill, Set };
    Kind kind = Kind::Bank;
    QString bankGenre = QStringLiteral("kannyouku");  // what the practice file holds
    qint64 setId = 0;

    QString SettingText() const;  // "bank", "drill" or "set:12"
    // The genre a game of this source records ("kannyouku", "english" or "set:12").
    QString RecordGenre() const;
    QString Label(const QList<QuestionSetInfo>& sets) const;  // 慣用句, 英単語, 苦手克服 or the set's name

    // Reads the choice back. The practice file has the last word: when it holds another genre
    // than the setting implies (a copy without these aids changed it), or the set is gone, the
    // file's genre is played.
    static PracticeSource FromSetting(const QString& setting, const QString& fileGenre,
                                      const QList<QuestionSetInfo>& sets);

    bool operator==(const PracticeSource&) const = default;
};

// What the practice settings offer, in order: 慣用句, 英単語, 苦手克服, then every own set.
QList<PracticeSource> PracticeChoices(const QList<QuestionSetInfo>& sets);

}  // namespace kd
