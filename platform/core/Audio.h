#pragma once
#include <QString>
#include <QStringList>

namespace kd {

// Background music (one MIDI piece at a time, played once) and the two key sounds.
// Every call is fire-and-forget: a missing file or device means silence, never an error.
class Audio {
  public:
    virtual ~Audio() = default;
    virtual void PlayMidi(const QString& fileName) = 0;  // a file name inside the Midi folder
    virtual void StopMidi() = 0;
    virtual void InitSoundEffects() = 0;
    virtual void PlaySoundEffect(bool isCorrect) = 0;
};

class SilentAudio : public Audio {
  public:
    void PlayMidi(const QString&) override {}
    void StopMidi() override {}
    void InitSoundEffects() override {}
    void PlaySoundEffect(bool) override {}
};

// Test double: remembers every call as a line ("PlayMidi startup.mid", "StopMidi",
// "InitSoundEffects", "Effect correct", "Effect miss").
class RecordingAudio : public Audio {
  public:
    void PlayMidi(const QString& fileName) override {
        calls << QStringLiteral("PlayMidi ") + fileName;
        playing = fileName;
    }
    void StopMidi() override {
        calls << QStringLiteral("StopMidi");
        playing.clear();
    }
    void InitSoundEffects() override { calls << QStringLiteral("InitSoundEffects"); }
    void PlaySoundEffect(bool isCorrect) override {
        calls << (isCorrect ? QStringLiteral("Effect correct") : QStringLiteral("Effect miss"));
    }
    QStringList calls;
    QString playing;  // the piece started last and not stopped since
};

}  // namespace kd
