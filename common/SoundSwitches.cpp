#include "common/SoundSwitches.h"

#include "common/PlayerFiles.h"
#include "common/RecordFile.h"
#include "platform/core/Audio.h"

namespace kd {

namespace {

QString DataPath(const GameState& g) {
    return SoundSwitchesPath(g);
}

// Only -1 and 0 mean anything; a stray value from a damaged file must not leave the menu
// showing OFF while the switch counts as on.
bool Switch(const QByteArray& record) {
    return RecordReader(record).Int16() == -1;
}

QByteArray SwitchRecord(bool on) {
    RecordWriter w;
    w.Int16(on ? -1 : 0);
    return w.Record();
}

}  // namespace

void LoadSoundSwitches(GameState& g) {
    const QList<QByteArray> recs = RecordFile::ReadRange(DataPath(g), 1, 2);
    g.musicOn = Switch(recs.at(0));
    g.keySoundsOn = Switch(recs.at(1));
}

bool SaveSoundSwitches(const GameState& g) {
    const bool bgm = RecordFile::Write(DataPath(g), 1, SwitchRecord(g.musicOn));
    const bool effect = RecordFile::Write(DataPath(g), 2, SwitchRecord(g.keySoundsOn));
    return bgm && effect;
}

void PlayMusic(GameState& g, const QString& midiName) {
    if (g.musicOn) g.audio.PlayMidi(midiName);
}

void StopMusic(GameState& g) {
    if (g.musicOn) g.audio.StopMidi();
}

}  // namespace kd
