#include "platform/audio/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <QFile>
#include <QFileInfo>
#include <initializer_list>
#include <mutex>

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
    decltype(&Mix_HookMusic) HookMusic;
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

// The first of the library's names that loads, or null.
void* OpenLibrary(std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (void* lib = dlopen(name, RTLD_NOW | RTLD_LOCAL)) return lib;
    return nullptr;
}

// The library's functions, or null when it is not installed (then there is no sound).
const Sdl* LoadSdl() {
    static const Sdl* const sdl = []() -> const Sdl* {
        void* lib = OpenLibrary({"libSDL2_mixer-2.0.so.0", "libSDL2_mixer.so"});
        if (!lib) return nullptr;
        static Sdl s;
        // dlsym on the mixer's handle also finds SDL's own functions, its dependency.
        const bool ok =
            Bind(lib, "SDL_SetHint", s.SetHint) && Bind(lib, "SDL_InitSubSystem", s.InitSubSystem) &&
            Bind(lib, "SDL_QuitSubSystem", s.QuitSubSystem) && Bind(lib, "Mix_Init", s.Init) &&
            Bind(lib, "Mix_Quit", s.Quit) && Bind(lib, "Mix_OpenAudio", s.OpenAudio) &&
            Bind(lib, "Mix_CloseAudio", s.CloseAudio) &&
            Bind(lib, "Mix_AllocateChannels", s.AllocateChannels) &&
            Bind(lib, "Mix_ReserveChannels", s.ReserveChannels) && Bind(lib, "Mix_HookMusic", s.HookMusic) &&
            Bind(lib, "Mix_LoadWAV", s.LoadWAV) && Bind(lib, "Mix_PlayChannel", s.PlayChannel) &&
            Bind(lib, "Mix_HaltChannel", s.HaltChannel) && Bind(lib, "Mix_FreeChunk", s.FreeChunk) &&
            Bind(lib, "Mix_Playing", s.Playing) && Bind(lib, "Mix_QuerySpec", s.QuerySpec);
        return ok ? &s : nullptr;
    }();
    return sdl;
}

// Set by the first successful open; every other use of the library comes after one.
const Sdl* sdl = nullptr;

// FluidSynth, the little of its C interface used here.
constexpr int kFluidPlayerPlaying = 1;  // enum fluid_player_status

struct Fluid {
    fluid_settings_t* (*new_settings)();
    int (*setnum)(fluid_settings_t*, const char*, double);
    int (*setstr)(fluid_settings_t*, const char*, const char*);
    void (*delete_settings)(fluid_settings_t*);
    fluid_synth_t* (*new_synth)(fluid_settings_t*);
    int (*sfload)(fluid_synth_t*, const char*, int);
    void (*set_gain)(fluid_synth_t*, float);
    int (*system_reset)(fluid_synth_t*);
    int (*write_s16)(fluid_synth_t*, int, void*, int, int, void*, int, int);
    void (*delete_synth)(fluid_synth_t*);
    fluid_player_t* (*new_player)(fluid_synth_t*);
    int (*player_add)(fluid_player_t*, const char*);
    int (*player_play)(fluid_player_t*);
    int (*player_stop)(fluid_player_t*);
    int (*player_status)(fluid_player_t*);
    void (*delete_player)(fluid_player_t*);
};

// The library SDL_mixer itself plays MIDI with; null when it is not installed (no music then).
const Fluid* LoadFluid() {
    static const Fluid* const loaded = []() -> const Fluid* {
        void* lib = OpenLibrary({"libfluidsynth.so.3", "libfluidsynth.so"});
        if (!lib) return nullptr;
        static Fluid f;
        const bool ok =
            Bind(lib, "new_fluid_settings", f.new_settings) && Bind(lib, "fluid_settings_setnum", f.setnum) &&
            Bind(lib, "fluid_settings_setstr", f.setstr) &&
            Bind(lib, "delete_fluid_settings", f.delete_settings) &&
            Bind(lib, "new_fluid_synth", f.new_synth) && Bind(lib, "fluid_synth_sfload", f.sfload) &&
            Bind(lib, "fluid_synth_set_gain", f.set_gain) &&
            Bind(lib, "fluid_synth_system_reset", f.system_reset) &&
            Bind(lib, "fluid_synth_write_s16", f.write_s16) &&
            Bind(lib, "delete_fluid_synth", f.delete_synth) && Bind(lib, "new_fluid_player", f.new_player) &&
            Bind(lib, "fluid_player_add", f.player_add) && Bind(lib, "fluid_player_play", f.player_play) &&
            Bind(lib, "fluid_player_stop", f.player_stop) &&
            Bind(lib, "fluid_player_get_status", f.player_status) &&
            Bind(lib, "delete_fluid_player", f.delete_player);
        return ok ? &f : nullptr;
    }();
    return loaded;
}

// Set with the first synthesizer; every use of the library's functions comes after one.
const Fluid* fluid = nullptr;

// One channel per key sound, so a wrong key never cuts off the sound of a correct one.
constexpr int kEffectChannels = 2;

QByteArray NativePath(const QString& path) {
    return QFile::encodeName(path);
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
    CloseSynth();
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
    if (!OpenDevice()) {
        sdl->Quit();
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

bool SdlAudio::OpenDevice() {
    if (sdl->OpenAudio(kFrequency, AUDIO_S16SYS, 2, kBufferFrames) != 0) return false;
    sdl->AllocateChannels(kEffectChannels);
    sdl->ReserveChannels(kEffectChannels);
    m_open = true;
    // The music is mixed from the synthesizer; a reopened device needs the hook again.
    sdl->HookMusic(&SdlAudio::MixMusic, this);
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
    std::lock_guard lock(m_musicLock);
    return m_open && m_player && fluid->player_status(m_player) == kFluidPlayerPlaying;
}

void SdlAudio::PlayMidi(const QString& fileName) {
    if (!Open()) return;
    // A piece already sounding under this name goes on; asking for another one replaces it.
    if (MusicPlaying() && fileName == m_musicName) return;
    FreeMusic();
    const QString path = m_mediaFolder + QStringLiteral("/Midi/") + fileName;
    if (!QFileInfo(path).isFile() || !OpenSynth()) return;
    std::lock_guard lock(m_musicLock);
    m_player = fluid->new_player(m_synth);
    if (!m_player) return;
    if (fluid->player_add(m_player, NativePath(path).constData()) != 0 || fluid->player_play(m_player) != 0) {
        fluid->delete_player(m_player);
        m_player = nullptr;
        return;
    }
    m_musicName = fileName;
    SoundStarted();
}

bool SdlAudio::OpenSynth() {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    sdl->QuerySpec(&frequency, &format, &channels);
    // The synthesizer writes 16-bit stereo, as the device is asked to play.
    if (format != AUDIO_S16SYS || channels != 2) return false;
    if (m_synth && m_synthFrequency == frequency) return true;
    CloseSynth();
    if (!(fluid = LoadFluid())) return false;
    // The first SoundFont that loads. The program used to load it again for every piece (about
    // 6 MB read each time, and FluidSynth's loader left some memory behind every time); one
    // synthesizer now lives as long as the sound.
    for (const QString& font : m_soundFont.split(u';', Qt::SkipEmptyParts)) {
        if (!QFileInfo(font).isFile()) continue;
        m_settings = fluid->new_settings();
        fluid->setnum(m_settings, "synth.sample-rate", frequency);
        fluid->setstr(m_settings, "player.timing-source", "sample");
        m_synth = fluid->new_synth(m_settings);
        if (m_synth && fluid->sfload(m_synth, NativePath(font).constData(), 1) >= 0) break;
        CloseSynth();
    }
    if (!m_synth) return false;
    // As loud as SDL_mixer's own MIDI plays at full volume (measured: 1.2 times FluidSynth's 1.0).
    fluid->set_gain(m_synth, 1.2f);
    m_synthFrequency = frequency;
    return true;
}

void SdlAudio::CloseSynth() {
    std::lock_guard lock(m_musicLock);
    if (m_player) fluid->delete_player(m_player);
    if (m_synth) fluid->delete_synth(m_synth);
    if (m_settings) fluid->delete_settings(m_settings);
    m_player = nullptr;
    m_synth = nullptr;
    m_settings = nullptr;
}

void SdlAudio::MixMusic(void* self, unsigned char* stream, int bytes) {
    auto* a = static_cast<SdlAudio*>(self);
    std::lock_guard lock(a->m_musicLock);
    if (!a->m_player) return;  // SDL_mixer has filled the buffer with silence
    const int frames = bytes / 4;
    fluid->write_s16(a->m_synth, frames, stream, 0, 2, stream, 1, 2);
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
    std::lock_guard lock(m_musicLock);
    m_musicName.clear();
    if (!m_player) return;
    fluid->player_stop(m_player);
    fluid->delete_player(m_player);
    m_player = nullptr;
    // Notes still held or ringing stop with the piece.
    fluid->system_reset(m_synth);
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
