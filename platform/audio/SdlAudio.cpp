#include "platform/audio/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QFile>
#include <QFileInfo>

namespace kd {

namespace {

// One channel per key sound, so a wrong key never cuts off the sound of a correct one.
constexpr int kEffectChannels = 2;

QByteArray NativePath(const QString& path) { return QFile::encodeName(path); }

// SDL_SOUNDFONTS may name several files, separated by semicolons.
bool AnyFileExists(const QString& paths) {
    for (const QString& p : paths.split(u';', Qt::SkipEmptyParts))
        if (QFileInfo(p).isFile()) return true;
    return false;
}

}  // namespace

SdlAudio::SdlAudio(const QString& mediaFolder, const QString& soundFont) : m_mediaFolder(mediaFolder) {
    if (soundFont.isNull()) {
        const QByteArray env = qgetenv("SDL_SOUNDFONTS");
        m_soundFont = env.isEmpty() ? SystemSoundFont() : QFile::decodeName(env);
    } else {
        m_soundFont = soundFont;
    }
}

SdlAudio::~SdlAudio() {
    if (!m_open) return;
    FreeMusic();
    FreeEffects();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QString SdlAudio::SystemSoundFont() {
    static const char* const candidates[] = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    for (const char* c : candidates)
        if (QFileInfo(QString::fromLatin1(c)).isFile()) return QString::fromLatin1(c);
    return QString();
}

bool SdlAudio::Open() {
    if (m_triedOpen) return m_open;
    m_triedOpen = true;
    // The program's own windows handle Ctrl+C and quitting; SDL must not take the signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kEffectChannels);
    Mix_ReserveChannels(kEffectChannels);
    if (!m_soundFont.isEmpty()) Mix_SetSoundFonts(NativePath(m_soundFont).constData());
    m_open = true;
    return true;
}

bool SdlAudio::MusicPlaying() const { return m_open && m_music && Mix_PlayingMusic(); }

void SdlAudio::PlayMidi(const QString& fileName) {
    if (!Open()) return;
    // A piece already sounding under this name goes on; asking for another one replaces it.
    if (MusicPlaying() && fileName == m_musicName) return;
    FreeMusic();
    if (!AnyFileExists(m_soundFont)) return;
    const QString path = m_mediaFolder + QStringLiteral("/Midi/") + fileName;
    if (!QFileInfo(path).isFile()) return;
    m_music = Mix_LoadMUS(NativePath(path).constData());
    if (!m_music) return;
    m_musicName = fileName;
    if (Mix_PlayMusic(m_music, 0) != 0) FreeMusic();
}

void SdlAudio::StopMidi() {
    if (!m_open) return;
    FreeMusic();
}

void SdlAudio::InitSoundEffects() {
    if (!Open()) return;
    FreeEffects();
    static const char* const files[kEffectChannels] = {"correct.wav", "miss.wav"};
    for (int i = 0; i < kEffectChannels; ++i) {
        const QString path = m_mediaFolder + QStringLiteral("/Sound/") + QString::fromLatin1(files[i]);
        if (QFileInfo(path).isFile()) m_effects[i] = Mix_LoadWAV(NativePath(path).constData());
    }
}

void SdlAudio::PlaySoundEffect(bool isCorrect) {
    if (!m_open) return;
    const int channel = isCorrect ? 0 : 1;
    if (!m_effects[channel]) return;
    // A key pressed while its sound still rings starts that sound again from the beginning.
    Mix_HaltChannel(channel);
    Mix_PlayChannel(channel, m_effects[channel], 0);
}

void SdlAudio::FreeMusic() {
    if (!m_music) return;
    Mix_HaltMusic();
    Mix_FreeMusic(m_music);
    m_music = nullptr;
    m_musicName.clear();
}

void SdlAudio::FreeEffects() {
    for (int i = 0; i < kEffectChannels; ++i) {
        if (!m_effects[i]) continue;
        Mix_HaltChannel(i);
        Mix_FreeChunk(m_effects[i]);
        m_effects[i] = nullptr;
    }
}

}  // namespace kd
