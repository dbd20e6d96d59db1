#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "engine/KanaLayout.h"
#include "engine/PlayLabels.h"

namespace kd {

class Audio;

// The typing judge shared by every play screen: judges one key at a time against the text
// still to type (readingText) and counts correct and wrong keys.
class TypingJudge {
  public:
    // keySoundsOn points at the program's key-sound switch; audio may be null.
    TypingJudge(Audio* audio = nullptr, const bool* keySoundsOn = nullptr);

    void JudgeEnglishKey(PlayLabels& labels, int character);
    int GetCorrectCount() const { return CorrectCount; }
    int GetMissCount() const { return MissCount; }
    void InitFlag() {
        CandidatesReady = false;
        m_kanaStroke = 0;
    }
    void Reset();
    void JudgeKanaKey(PlayLabels& labels, int character);

    // The reading typed with kana keys (InputMethod::Kana): kanaKey is what the key types on the
    // JIS kana layout (KanaOfKey), 0 for a key that types no kana; character is what the key
    // typed as text, recorded for a miss on such a key. A key that continues the reading is
    // right, anything else a miss; a voiced kana takes its base kana and then ゛ (or ゜). The
    // input label shows the keys typed of the character not yet complete.
    void JudgeKanaInput(PlayLabels& labels, char16_t kanaKey, int character = 0);
    // How the player types readings; play screens route idiom keys by it.
    InputMethod Method() const { return m_method; }
    // Keys typed of the reading's first character in kana input (1 after か of が).
    int KanaStroke() const { return m_kanaStroke; }
    void SetInputMethod(InputMethod method) { m_method = method; }

    void SetAudio(Audio* audio, const bool* keySoundsOn) {
        m_audio = audio;
        m_keySoundsOn = keySoundsOn;
    }

    // What the last judged key met, for whoever records play. Filled only while reporting is
    // on, so the key path stays free of allocations when nobody listens.
    struct KeyReport {
        QString unit;          // the kana unit (or the letter) the key was judged against
        QStringList forms;     // romaji forms still possible for it before the key, whole
        QChar typed;           // the character typed
        QChar expectedKey;     // the letter the followed (or first) form wanted next
        QString followedForm;  // for a hit: the whole form being followed
        bool hit = false;
        bool unitDone = false;  // this hit finished the unit
    };
    void SetReporting(bool on) { m_reporting = on; }
    bool Reporting() const { return m_reporting; }
    const KeyReport& LastKey() const { return m_report; }

    // Read-only views for tests.
    QString CandidateAt(int slot) const;
    int GetSelectedIndex() const { return SelectedIndex; }
    // False from InitFlag or Reset (a new question, a new game) until the next key.
    bool CandidatesAreReady() const { return CandidatesReady; }

    // One romaji form; typed letters are dropped from the front by moving begin, so the judge
    // never allocates while a player types. The longest form is four letters ("sshi").
    struct Form {
        char text[8] = {};
        quint8 begin = 0;
        quint8 end = 0;

        bool empty() const { return begin == end; }
        int first() const { return empty() ? kNoLetter : int(uchar(text[begin])); }
        bool startsWithNN() const { return end - begin >= 2 && text[begin] == 'n' && text[begin + 1] == 'n'; }
        void clear() { begin = end = 0; }
        void append(const char* s);
        void doubleFirst();
        void dropFirst() {
            if (!empty()) ++begin;
        }
        QString toString() const { return QString::fromLatin1(text + begin, end - begin); }

        static constexpr int kNoLetter = -2;
    };

    // The first three characters of readingText and its length: all the judge ever looks at.
    struct Head {
        char16_t c[3] = {};
        qsizetype size = 0;
        char16_t at(int i) const { return i < size ? c[i] : char16_t(0); }
    };

    // Candidate forms for a display head, without a screen; used by MakeCandidates and tests.
    static void BuildCandidates(const Head& d, Form (&forms)[5]);
    static Head HeadOf(const QString& display);
    static Head HeadAt(QStringView display, qsizetype pos);
    // How many characters the unit at the head of d spans once its last letter is typed.
    static qsizetype UnitLength(const Head& d);
    // Small ゃ, ゅ and ょ, which make the kana before them one unit with them.
    static bool IsContractedSmall(char16_t k);
    // Keys that complete a unit when they match: the vowels, ",", "." and "-".
    static bool EndsUnit(int ch);
    // Keys that may not follow a single n for ん, because n + the key spells another kana.
    static bool ContinuesN(int ch);

    // The forms and the slot the next key will be judged against, for the text d still to
    // type, without judging anything (the romaji guide reads them).
    void PeekUnit(const Head& d, Form (&forms)[5], int& selected) const;

  private:
    void MakeCandidates(const PlayLabels& labels);
    void Judge(PlayLabels& labels, const Head& d, int ch, int character);
    void PlaySoundEffect(bool isCorrect);
    void ReportBefore(const PlayLabels& labels, const Head& d, int character);
    void ReportHit(bool unitDone);

    Form Candidate[5];
    bool CandidatesReady = false;
    int SelectedIndex = 0;
    int MissCount = 0;
    int CorrectCount = 0;

    Audio* m_audio = nullptr;
    const bool* m_keySoundsOn = nullptr;

    // Keys of the reading's first character typed so far in kana input (0 or 1).
    int m_kanaStroke = 0;
    InputMethod m_method = InputMethod::Romaji;

    bool m_reporting = false;
    KeyReport m_report;
    QString m_reportInput;  // romaji typed of the unit before the key
};

}  // namespace kd
