#pragma once
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

namespace kd::assetgen {

// One picture: its resource name, its size at 1x, and how to draw it in 1x coordinates.
struct PictureRecipe {
    QString name;
    QSize size;
    bool opaque = false;  // backgrounds cover every pixel; sprites keep an alpha channel
    std::function<void(QPainter&)> draw;
};

std::vector<PictureRecipe> CharacterPictures();  // 1-5, 11-13, 21, 22, 31, 32, 41, 42, 51-53, BOSS
std::vector<PictureRecipe> SceneryPictures();    // backgrounds, track, arena, post, balls
std::vector<PictureRecipe> IconPictures();       // ICON and icon-<n>
std::vector<PictureRecipe> AllPictures();

QImage Render(const PictureRecipe& recipe, int scale);
// PNG bytes that depend only on the pixels.
QByteArray EncodePng(const QImage& image);

}  // namespace kd::assetgen
