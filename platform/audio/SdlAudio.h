#pragma once
#include <QString>
#include <QTimer>
#include <mutex>

#include "platform/core/Audio.h"

struct Mix_Chunk;
// FluidSynth's handles, as its own header names them.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace kd {

// Music and key sounds on SDL2_mixer: MIDI played by one FluidSynth synthesizer with a General
// MIDI SoundFont, mixed in as SDL_mixer's music; the two key sounds as preloaded chunks on two
// reserved channels. Only SDL's audio
// subsystem is started, and only on first use, so the program's first window is not held up.
// Whatever is missing (device, SoundFont, files) simply means silence.
class SdlAudio : public Audio {
  public:
    // mediaFolder holds Midi/ and Sound/. soundFont: the SoundFont to use; a null string picks
    // SDL_SOUNDFONTS or the system's General MIDI font, an empty one means "none".
    explicit SdlAudio(const QString& mediaFolder, const QString& soundFont = QString());
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    void PlayMidi(const QString& fileName) override;
    void StopMidi() override;
    void InitSoundEffects() override;
    void PlaySoundEffect(bool isCorrect) override;

    // Opens the device and the MIDI decoder now (the first call of any routine does it too).
    // Returns whether a device is open.
    bool Open();
    bool MusicPlaying() const;
    QString SoundFont() const { return m_soundFont; }

    // SDL's audio thread wakes for every buffer, sounding or not (about 0.3 % of a core). After
    // kSleepAfterMs without any sound the device is closed; the next sound opens it again,
    // with the key sounds kept as they were loaded.
    static constexpr int kSleepAfterMs = 3000;
    // Closes the device when nothing sounds (else waits another kSleepAfterMs); what the idle
    // timer does. Returns whether the device is asleep now.
    bool SleepIfSilent();
    bool Asleep() const { return m_asleep; }
    // Whether the device is open (not asleep, not failed).
    bool DeviceOpen() const { return m_open; }

    // The system's General MIDI SoundFont, or "" when none is installed.
    static QString SystemSoundFont();

    // 512 frames at 44.1 kHz: a key sound starts within about 12 ms.
    static constexpr int kFrequency = 44100;
    static constexpr int kBufferFrames = 512;

  private:
    bool OpenDevice();
    bool Wake();
    void SoundStarted();
    void FreeMusic();
    void FreeEffects();
    // The synthesizer, made with the first piece and kept while the program runs (remade only
    // for a device that came back at another rate). False: no music (no library, no SoundFont).
    bool OpenSynth();
    void CloseSynth();
    // SDL_mixer's music hook, on SDL's audio thread.
    static void MixMusic(void* self, unsigned char* stream, int bytes);

    QString m_mediaFolder;
    QString m_soundFont;
    bool m_triedOpen = false;
    bool m_open = false;
    bool m_asleep = false;
    QTimer m_sleepTimer;
    // The device's format when the key sounds were loaded (converted to it).
    int m_frequency = 0;
    quint16 m_format = 0;
    int m_channels = 0;
    QString m_musicName;
    // The audio thread renders from the synthesizer while the program changes pieces.
    mutable std::mutex m_musicLock;
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    fluid_player_t* m_player = nullptr;
    int m_synthFrequency = 0;
    Mix_Chunk* m_effects[2] = {nullptr, nullptr};
};

}  // namespace kd
