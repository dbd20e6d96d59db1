#include "learning/PracticeSource.h"

#include <QCoreApplication>

namespace kd {

namespace {

const QString kIdioms = QStringLiteral("kannyouku");
const QString kEnglish = QStringLiteral("english");

QString GenreOf(QuestionSetKind kind) {
    return kind == QuestionSetKind::English ? kEnglish : kIdioms;
}

PracticeSource Bank(const QString& genre) {
    PracticeSource s;
    s.bankGenre = genre == kEnglish ? kEnglish : kIdioms;
    return s;
}

}  // namespace

QString PracticeSource::SettingText() const {
    switch (kind) {
        case Kind::Drill:
            return QStringLiteral("drill");
        case Kind::Set:
            return QuestionSetStore::GenreKey(setId);
        case Kind::Bank:
            break;
    }
    return QStringLiteral("bank");
}

QString PracticeSource::RecordGenre() const {
    return kind == Kind::Set ? QuestionSetStore::GenreKey(setId) : bankGenre;
}

QString PracticeSource::Label(const QList<QuestionSetInfo>& sets) const {
    switch (kind) {
        case Kind::Drill:
            return QCoreApplication::translate("PracticeSource", "苦手克服");
        case Kind::Set:
            for (const QuestionSetInfo& s : sets)
                if (s.id == setId) return s.name;
            return QCoreApplication::translate("PracticeSource", "自分の問題");
        case Kind::Bank:
            break;
    }
    return bankGenre == kEnglish ? QCoreApplication::translate("PracticeSource", "英単語")
                                 : QCoreApplication::translate("PracticeSource", "慣用句");
}

PracticeSource PracticeSource::FromSetting(const QString& setting, const QString& fileGenre,
                                           const QList<QuestionSetInfo>& sets) {
    if (setting == QLatin1String("drill") && fileGenre == kIdioms) {
        PracticeSource s;
        s.kind = Kind::Drill;
        return s;
    }
    if (const auto id = QuestionSetStore::IdOfGenreKey(setting)) {
        for (const QuestionSetInfo& info : sets) {
            if (info.id != *id || GenreOf(info.kind) != fileGenre) continue;
            PracticeSource s;
            s.kind = Kind::Set;
            s.setId = info.id;
            s.bankGenre = fileGenre;
            return s;
        }
    }
    return Bank(fileGenre);
}

QList<PracticeSource> PracticeChoices(const QList<QuestionSetInfo>& sets) {
    QList<PracticeSource> choices{Bank(kIdioms), Bank(kEnglish)};
    PracticeSource drill;
    drill.kind = PracticeSource::Kind::Drill;
    choices << drill;
    for (const QuestionSetInfo& info : sets) {
        PracticeSource s;
        s.kind = PracticeSource::Kind::Set;
        s.setId = info.id;
        s.bankGenre = GenreOf(info.kind);
        choices << s;
    }
    return choices;
}

}  // namespace kd
