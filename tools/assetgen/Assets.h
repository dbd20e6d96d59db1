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

}  // namespace kd::assetgen
