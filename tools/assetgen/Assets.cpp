#include "tools/assetgen/Assets.h"

#include "tools/assetgen/Music.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Sounds.h"

namespace kd::assetgen {

std::vector<GeneratedFile> PictureFiles() {
    std::vector<GeneratedFile> files;
    for (const PictureSpec& spec : AllPictures()) {
        const QString base = QStringLiteral("resources/pictures/") + spec.name;
        files.push_back({base + QStringLiteral(".png"), EncodePng(Render(spec, 1))});
        files.push_back({base + QStringLiteral("@2x.png"), EncodePng(Render(spec, 2))});
    }
    return files;
}

std::vector<GeneratedFile> MusicFiles() {
    std::vector<GeneratedFile> files;
    for (const Piece& piece : AllPieces())
        files.push_back({QStringLiteral("resources/Midi/") + piece.fileName, piece.compose()});
    return files;
}

std::vector<GeneratedFile> SoundFiles() {
    return {{QStringLiteral("resources/Sound/correct.wav"), CorrectKeyWave()},
            {QStringLiteral("resources/Sound/miss.wav"), MissKeyWave()}};
}

std::vector<GeneratedFile> AllFiles() {
    std::vector<GeneratedFile> all = PictureFiles();
    for (auto& f : MusicFiles()) all.push_back(std::move(f));
    for (auto& f : SoundFiles()) all.push_back(std::move(f));
    return all;
}

}  // namespace kd::assetgen
