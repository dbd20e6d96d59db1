#include "platform/audio/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <QFile>
#include <QFileInfo>

namespace kd {

namespace {

// SDL2_mixer brings some forty libraries with it (FluidSynth, PulseAudio, the decoders).
// Linked to the program they were loaded and relocated before the first window, about 15 ms
// of start-up; opened here they load when the sound is first needed, after the splash.
struct Sdl {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&Mix_Init) Init;
    decltype(&Mix_Quit) Quit;
    decltype(&Mix_OpenAudio) OpenAudio;
    decltype(&Mix_CloseAudio) CloseAudio;
    decltype(&Mix_AllocateChannels) AllocateChannels;
    decltype(&Mix_ReserveChannels) ReserveChannels;
    decltype(&Mix_SetSoundFonts) SetSoundFonts;
    decltype(&Mix_LoadMUS) LoadMUS;
    decltype(&Mix_PlayMusic) PlayMusic;
    decltype(&Mix_PlayingMusic) PlayingMusic;
    decltype(&Mix_HaltMusic) HaltMusic;
    decltype(&Mix_FreeMusic) FreeMusic;
    decltype(&Mix_LoadWAV) LoadWAV;
    decltype(&Mix_PlayChannel) PlayChannel;
    decltype(&Mix_HaltChannel) HaltChannel;
    decltype(&Mix_FreeChunk) FreeChunk;
    decltype(&Mix_Playing) Playing;
    decltype(&Mix_QuerySpec) QuerySpec;
};

template <typename F>
bool Bind(void* lib, const char* name, F& f) {
    f = reinterpret_cast<F>(dlsym(lib, name));
    return f != nullptr;
}

// The library's functions, or null when it is not installed (then there is no sound).
const Sdl* LoadSdl() {
    static const Sdl* const sdl = []() -> const Sdl* {
        void* lib = nullptr;
        for (const char* name : {"libSDL2_mixer-2.0.so.0", "libSDL2_mixer.so"})
            if ((lib = dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
        if (!lib) return nullptr;
        static Sdl s;
        // dlsym on the mixer's handle also finds SDL's own functions, its dependency.
        const bool ok =
            Bind(lib, "SDL_SetHint", s.SetHint) && Bind(lib, "SDL_InitSubSystem", s.InitSubSystem) &&
            Bind(lib, "SDL_QuitSubSystem", s.QuitSubSystem) && Bind(lib, "Mix_Init", s.Init) &&
            Bind(lib, "Mix_Quit", s.Quit) && Bind(lib, "Mix_OpenAudio", s.OpenAudio) &&
            Bind(lib, "Mix_CloseAudio", s.CloseAudio) &&
            Bind(lib, "Mix_AllocateChannels", s.AllocateChannels) &&
            Bind(lib, "Mix_ReserveChannels", s.ReserveChannels) &&
            Bind(lib, "Mix_SetSoundFonts", s.SetSoundFonts) && Bind(lib, "Mix_LoadMUS", s.LoadMUS) &&
            Bind(lib, "Mix_PlayMusic", s.PlayMusic) && Bind(lib, "Mix_PlayingMusic", s.PlayingMusic) &&
            Bind(lib, "Mix_HaltMusic", s.HaltMusic) && Bind(lib, "Mix_FreeMusic", s.FreeMusic) &&
            Bind(lib, "Mix_LoadWAV", s.LoadWAV) && Bind(lib, "Mix_PlayChannel", s.PlayChannel) &&
            Bind(lib, "Mix_HaltChannel", s.HaltChannel) && Bind(lib, "Mix_FreeChunk", s.FreeChunk) &&
            Bind(lib, "Mix_Playing", s.Playing) && Bind(lib, "Mix_QuerySpec", s.QuerySpec);
        return ok ? &s : nullptr;
    }();
    return sdl;
}

// Set by the first successful open; every other use of the library comes after one.
const Sdl* sdl = nullptr;

// One channel per key sound, so a wrong key never cuts off the sound of a correct one.
constexpr int kEffectChannels = 2;

QByteArray NativePath(const QString& path) {
    return QFile::encodeName(path);
}

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
    m_sleepTimer.setSingleShot(true);
    m_sleepTimer.setInterval(kSleepAfterMs);
    m_sleepTimer.callOnTimeout([this] { SleepIfSilent(); });
}

SdlAudio::~SdlAudio() {
    if (!m_open && !m_asleep) return;
    FreeMusic();
    FreeEffects();
    if (m_open) sdl->CloseAudio();
    sdl->Quit();
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
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
    if (m_triedOpen) return Wake();
    m_triedOpen = true;
    if (!(sdl = LoadSdl())) return false;
    // The program's own windows handle Ctrl+C and quitting; SDL must not take the signals.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    sdl->Init(MIX_INIT_MID);
    if (!OpenDevice()) {
        sdl->Quit();
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (!m_soundFont.isEmpty()) sdl->SetSoundFonts(NativePath(m_soundFont).constData());
    return true;
}

bool SdlAudio::OpenDevice() {
    if (sdl->OpenAudio(kFrequency, AUDIO_S16SYS, 2, kBufferFrames) != 0) return false;
    sdl->AllocateChannels(kEffectChannels);
    sdl->ReserveChannels(kEffectChannels);
    m_open = true;
    m_sleepTimer.start();
    return true;
}

bool SdlAudio::Wake() {
    if (!m_asleep) return m_open;
    // The audio subsystem stayed up, so this is the device alone: well under a millisecond
    // with SDL's dummy and disk drivers (measured by the audio benchmark rows).
    m_asleep = false;
    if (!OpenDevice()) return false;
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    sdl->QuerySpec(&frequency, &format, &channels);
    // The key sounds were converted to the device's format when loaded; a device that came
    // back different (another output chosen meanwhile) needs them loaded again.
    if (frequency != m_frequency || format != m_format || channels != m_channels) InitSoundEffects();
    return true;
}

bool SdlAudio::SleepIfSilent() {
    if (!m_open) return m_asleep;
    if (MusicPlaying() || sdl->Playing(-1) > 0) {
        m_sleepTimer.start();
        return false;
    }
    FreeMusic();  // a piece that has played to its end
    sdl->CloseAudio();
    m_open = false;
    m_asleep = true;
    return true;
}

void SdlAudio::SoundStarted() {
    // Counted from the start of the latest sound; a sound still ringing at the end only
    // postpones the sleep.
    m_sleepTimer.start();
}

bool SdlAudio::MusicPlaying() const {
    return m_open && m_music && sdl->PlayingMusic();
}

void SdlAudio::PlayMidi(const QString& fileName) {
    if (!Open()) return;
    // A piece already sounding under this name goes on; asking for another one replaces it.
    if (MusicPlaying() && fileName == m_musicName) return;
    FreeMusic();
    if (!AnyFileExists(m_soundFont)) return;
    const QString path = m_mediaFolder + QStringLiteral("/Midi/") + fileName;
    if (!QFileInfo(path).isFile()) return;
    m_music = sdl->LoadMUS(NativePath(path).constData());
    if (!m_music) return;
    m_musicName = fileName;
    if (sdl->PlayMusic(m_music, 0) != 0) FreeMusic();
    SoundStarted();
}

void SdlAudio::StopMidi() {
    if (!m_open) return;
    FreeMusic();
}

void SdlAudio::InitSoundEffects() {
    if (!Open()) return;
    FreeEffects();
    sdl->QuerySpec(&m_frequency, &m_format, &m_channels);
    static const char* const files[kEffectChannels] = {"correct.wav", "miss.wav"};
    for (int i = 0; i < kEffectChannels; ++i) {
        const QString path = m_mediaFolder + QStringLiteral("/Sound/") + QString::fromLatin1(files[i]);
        if (QFileInfo(path).isFile()) m_effects[i] = sdl->LoadWAV(NativePath(path).constData());
    }
}

void SdlAudio::PlaySoundEffect(bool isCorrect) {
    const int channel = isCorrect ? 0 : 1;
    if (!m_effects[channel] || !Wake()) return;
    // A key pressed while its sound still rings starts that sound again from the beginning.
    sdl->HaltChannel(channel);
    sdl->PlayChannel(channel, m_effects[channel], 0);
    SoundStarted();
}

void SdlAudio::FreeMusic() {
    if (!m_music) return;
    sdl->HaltMusic();
    sdl->FreeMusic(m_music);
    m_music = nullptr;
    m_musicName.clear();
}

void SdlAudio::FreeEffects() {
    for (int i = 0; i < kEffectChannels; ++i) {
        if (!m_effects[i]) continue;
        // A closed mixer has no channels; halting one then reads freed memory.
        if (m_open) sdl->HaltChannel(i);
        sdl->FreeChunk(m_effects[i]);
        m_effects[i] = nullptr;
    }
}

}  // namespace kd
