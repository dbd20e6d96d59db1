#pragma once
#include <QString>
#include <QtGlobal>

#include "engine/PlayLabels.h"

namespace kd {

class Audio;

// The typing judge shared by every play screen: judges one key at a time against the text
// still to type (lblDisplay) and counts correct and wrong keys.
class clsTypingSystem {
public:
    // effectOn points at the program's key-sound switch (-1 on, 0 off); audio may be null.
    clsTypingSystem(Audio* audio = nullptr, const qint16* effectOn = nullptr);

    void ESystem(PlayLabels& frm, int KeyAscii);
    qint16 GetCorrectCount() const { return CorrectCount; }
    qint16 GetMissCount() const { return MissCount; }
    void InitFlag() { CandidatesReady = false; }
    void Reset();
    void NSystem(PlayLabels& frm, int KeyAscii);

    void SetAudio(Audio* audio, const qint16* effectOn) {
        m_audio = audio;
        m_effectOn = effectOn;
    }

    // Read-only views for tests.
    QString CandidateAt(int slot) const;
    qint16 GetSelectedIndex() const { return SelectedIndex; }

private:
    void MakeCandidates(const PlayLabels& frm);
    void PlaySoundEffect(bool isCorrect);

    QString Candidate[5];
    bool CandidatesReady = false;
    qint16 SelectedIndex = 0;
    qint16 MissCount = 0;
    qint16 CorrectCount = 0;

    Audio* m_audio = nullptr;
    const qint16* m_effectOn = nullptr;
};

}  // namespace kd
