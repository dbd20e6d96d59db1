#include "engine/clsTypingSystem.h"

#include "platform/core/Audio.h"

namespace kd {

// Placeholder bodies; the judge proper replaces them.
clsTypingSystem::clsTypingSystem(Audio* audio, const qint16* effectOn) : m_audio(audio), m_effectOn(effectOn) {}

void clsTypingSystem::Reset() {
    CandidatesReady = false;
    SelectedIndex = 0;
    MissCount = 0;
    CorrectCount = 0;
}

void clsTypingSystem::ESystem(PlayLabels& frm, int KeyAscii) {
    const QString d = frm.Display();
    if (!d.isEmpty() && d.at(0) == QChar(KeyAscii)) {
        frm.RemoveDisplayFront(1);
        ++CorrectCount;
        PlaySoundEffect(true);
        if (frm.Display().isEmpty()) frm.SetMonitor(QString());
    } else {
        ++MissCount;
        PlaySoundEffect(false);
    }
}

void clsTypingSystem::NSystem(PlayLabels& frm, int KeyAscii) { ESystem(frm, KeyAscii); }

QString clsTypingSystem::CandidateAt(int slot) const { return (slot >= 0 && slot < 5) ? Candidate[slot] : QString(); }

void clsTypingSystem::MakeCandidates(const PlayLabels&) {}

void clsTypingSystem::PlaySoundEffect(bool isCorrect) {
    if (m_audio && m_effectOn && *m_effectOn == -1) m_audio->PlaySoundEffect(isCorrect);
}

}  // namespace kd
