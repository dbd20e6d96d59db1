#include "tools/assetgen/Assets.h"

#include <QImage>
#include <cstdlib>

#include "tools/assetgen/Music.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Sounds.h"

namespace kd::assetgen {

std::vector<GeneratedFile> PictureFiles() {
    std::vector<GeneratedFile> files;
    for (const PictureRecipe& recipe : AllPictures()) {
        const QString base = QStringLiteral("resources/pictures/") + recipe.name;
        files.push_back({base + QStringLiteral(".png"), EncodePng(Render(recipe, 1))});
        files.push_back({base + QStringLiteral("@2x.png"), EncodePng(Render(recipe, 2))});
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

bool MatchesCommitted(const GeneratedFile& generated, const QByteArray& committed) {
    if (generated.bytes == committed) return true;
    if (!generated.path.endsWith(QLatin1String(".png"))) return false;
    const QImage a = QImage::fromData(generated.bytes).convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage::fromData(committed).convertToFormat(QImage::Format_ARGB32);
    if (a.isNull() || b.isNull() || a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qRed(pa[x]) - qRed(pb[x])) > 2 || std::abs(qGreen(pa[x]) - qGreen(pb[x])) > 2 ||
                std::abs(qBlue(pa[x]) - qBlue(pb[x])) > 2 || std::abs(qAlpha(pa[x]) - qAlpha(pb[x])) > 2)
                return false;
    }
    return true;
}

}  // namespace kd::assetgen
