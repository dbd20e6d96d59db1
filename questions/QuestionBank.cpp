#include "questions/QuestionBank.h"

#include <cmath>

#include "engine/TypingJudge.h"
#include "platform/core/Random.h"
#include "questions/Genre.h"
#include "questions/StringTable.h"

namespace kd {

QuestionBank::QuestionBank(RandomSource& rnd, TypingJudge& typing, const StringTable* table)
    : m_rnd(rnd), m_typing(typing), m_table(table) {}

const StringTable& QuestionBank::Table() const {
    return m_table ? *m_table : StringTable::Instance();
}

void QuestionBank::SetGenre(const QString& key) {
    if (IsGenreKey(key, Genre::Idioms)) {
        IdRange[0] = 101;
        IdRange[1] = 365;
        GenreName = GenreLabel(Genre::Idioms);
    } else if (IsGenreKey(key, Genre::English)) {
        GenreName = GenreLabel(Genre::English);
    }
}

QString QuestionBank::GetQuestion() {
    const float r = m_rnd.NextFloat();
    QuestionId = int(std::floor(r * float(IdRange[1]))) + IdRange[0];
    if (QuestionId % 2 != 0) ++QuestionId;
    if (QuestionId == 0) QuestionId = 102;
    const QString reading = Table().LoadString(QuestionId);
    m_typing.InitFlag();
    return reading;
}

QString QuestionBank::GetKanjiQuestion() const {
    return Table().LoadString(QuestionId - 1);
}

QString QuestionBank::GetEnglishQuestion() {
    const float r = m_rnd.NextFloat();
    EnglishId = int(std::floor(r * 801.0f)) + 1000;
    return Table().LoadString(EnglishId);
}

}  // namespace kd
