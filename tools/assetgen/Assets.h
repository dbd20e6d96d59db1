#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
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

// How far a colour channel may move when a pixel with this alpha goes to premultiplied form and
// back: premultiplying rounds to the nearest of alpha + 1 steps, and Qt unpremultiplies with a
// reciprocal estimate whose rounding of exact halves depends on the processor. That is one unit
// for alpha 86..254, up to 128 for alpha 1; opaque pixels come back exact, and the colour of a
// fully transparent pixel means nothing.
int RoundTripTolerance(int alpha);

// Where two decoded pictures differ by more than a premultiplied round trip can explain (size,
// alpha, or a colour channel beyond RoundTripTolerance), described for a failure message;
// nothing when they agree.
std::optional<QString> PictureDifference(const QImage& expected, const QImage& actual);

// Whether a committed file still is what the generator makes. Music and sounds must match byte
// for byte; pictures are rendered premultiplied and stored unpremultiplied, so their decoded
// pixels may differ by what PictureDifference allows.
bool MatchesCommitted(const GeneratedFile& generated, const QByteArray& committed);

}  // namespace kd::assetgen
