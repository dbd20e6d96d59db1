#include "tools/assetgen/Pictures.h"

#include <QBuffer>
#include <QImageWriter>

namespace kd::assetgen {

std::vector<PictureRecipe> AllPictures() {
    std::vector<PictureRecipe> all = CharacterPictures();
    for (auto& s : SceneryPictures()) all.push_back(std::move(s));
    for (auto& s : IconPictures()) all.push_back(std::move(s));
    return all;
}

QImage Render(const PictureRecipe& recipe, int scale) {
    QImage image(recipe.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(scale, scale);
        recipe.draw(p);
    }
    return image.convertToFormat(recipe.opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

QByteArray EncodePng(const QImage& image) {
    QImage clean = image;
    // Resolution and text chunks would only add bytes that differ between tools.
    clean.setDotsPerMeterX(3780);
    clean.setDotsPerMeterY(3780);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0);  // for PNG: the strongest zlib level
    writer.write(clean);
    return bytes;
}

}  // namespace kd::assetgen
