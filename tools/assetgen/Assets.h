#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

namespace kd::assetgen {

// A file the generators make, with its path below the project folder.
struct GeneratedFile {
    QString path;
    QByteArray bytes;
};

std::vector<GeneratedFile> PictureFiles();  // resources/pictures: NAME.png and NAME@2x.png
std::vector<GeneratedFile> MusicFiles();    // resources/Midi
std::vector<GeneratedFile> SoundFiles();    // resources/Sound
std::vector<GeneratedFile> AllFiles();

// Whether a committed file still is what the generator makes. Music and sounds must match byte
// for byte; a picture may differ by a rounding step per channel, since the painter's blending
// can round differently on processors with other vector units.
bool MatchesCommitted(const GeneratedFile& generated, const QByteArray& committed);

}  // namespace kd::assetgen
