#pragma once
#include <QString>

namespace kd {

class GameState;
class PlayLabels;

// Steps every play screen shares, written once.

// Puts the next question up by genre key: "kannyouku" shows the reading in readingText and
// its kanji form in questionText; "english" shows the word in both.
void PutNextQuestion(GameState& g, PlayLabels& labels, const QString& genreKey);

// Puts a question given by the screen up (a drill's, an own set's, a retried one) and tells
// the listeners; genreKey says how it is judged.
struct QuestionShown;
void PutGivenQuestion(GameState& g, PlayLabels& labels, const QString& genreKey, const QuestionShown& q);

// Judges one typed character with JudgeKanaKey (idioms) or JudgeEnglishKey (English); true when the
// correct count grew. The screen puts the next question up when readingText is empty. With kana
// input the idioms are judged by kanaKey, what the key types on the kana layout (0: no kana);
// English words are still judged by the character.
bool JudgeKey(GameState& g, PlayLabels& labels, const QString& genreKey, int character, char16_t kanaKey = 0);

// A key that types a character. Tab, Enter, Esc, Backspace, Delete and Ctrl chords deliver
// control codes; arrows, function keys and lone modifiers deliver nothing. None of them is a
// key typed, right or wrong.
bool IsTypedCharacter(int character);

// "kannyouku" for a stored genre value of 0, "english" for anything else.
QString GenreKeyOf(qint16 storedValue);

}  // namespace kd
