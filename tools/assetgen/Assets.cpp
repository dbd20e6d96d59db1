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

int RoundTripTolerance(int alpha) {
    if (alpha <= 0) return 255;
    if (alpha >= 255) return 0;
    // |c - c'| <= 0.5 * 255 / alpha (premultiplied rounding, scaled back) + 0.5 (final rounding).
    return (255 + alpha) / (2 * alpha);
}

std::optional<QString> PictureDifference(const QImage& expectedImage, const QImage& actualImage) {
    if (expectedImage.isNull() || actualImage.isNull()) return QStringLiteral("a picture did not decode");
    if (expectedImage.size() != actualImage.size())
        return QStringLiteral("size %1x%2 vs %3x%4")
            .arg(actualImage.width())
            .arg(actualImage.height())
            .arg(expectedImage.width())
            .arg(expectedImage.height());
    const QImage a = expectedImage.convertToFormat(QImage::Format_ARGB32);
    const QImage b = actualImage.convertToFormat(QImage::Format_ARGB32);
    int bad = 0;
    QString first;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int alpha = qAlpha(pa[x]);
            const int tolerance = RoundTripTolerance(alpha);
            if (qAlpha(pb[x]) == alpha && std::abs(qRed(pa[x]) - qRed(pb[x])) <= tolerance &&
                std::abs(qGreen(pa[x]) - qGreen(pb[x])) <= tolerance &&
                std::abs(qBlue(pa[x]) - qBlue(pb[x])) <= tolerance)
                continue;
            if (bad++ == 0)
                first = QStringLiteral("pixel (%1,%2) %3 vs %4 expected")
                            .arg(x)
                            .arg(y)
                            .arg(pb[x], 8, 16, QLatin1Char('0'))
                            .arg(pa[x], 8, 16, QLatin1Char('0'));
        }
    }
    if (!bad) return std::nullopt;
    return first + QStringLiteral(", %1 pixels in all").arg(bad);
}

bool MatchesCommitted(const GeneratedFile& generated, const QByteArray& committed) {
    if (generated.bytes == committed) return true;
    if (!generated.path.endsWith(QLatin1String(".png"))) return false;
    return !PictureDifference(QImage::fromData(generated.bytes), QImage::fromData(committed));
}

}  // namespace kd::assetgen
