// The shipped pictures: present under the names the screens ask for, at the sizes the screens
// lay out, sharp twins at twice the size, sprites that let the background show around them.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cmath>
#include <optional>

#include "platform/widgets/Bitmaps.h"
#include "tools/assetgen/Assets.h"

namespace {

enum class Kind { Character, Background, Prop };

struct Expected {
    const char* name;
    int width, height;
    Kind kind;
};

const Expected kPictures[] = {
    {"1", 64, 64, Kind::Character},
    {"2", 64, 64, Kind::Character},
    {"3", 64, 64, Kind::Character},
    {"4", 64, 64, Kind::Character},
    {"5", 64, 64, Kind::Character},
    {"11", 64, 64, Kind::Character},
    {"12", 64, 64, Kind::Character},
    {"13", 64, 64, Kind::Character},
    {"21", 64, 64, Kind::Character},
    {"22", 64, 64, Kind::Character},
    {"31", 64, 64, Kind::Character},
    {"32", 64, 64, Kind::Character},
    {"41", 64, 64, Kind::Character},
    {"42", 64, 64, Kind::Character},
    {"51", 64, 64, Kind::Character},
    {"52", 64, 64, Kind::Character},
    {"53", 64, 64, Kind::Character},
    {"BOSS", 64, 64, Kind::Character},
    {"BACK", 561, 419, Kind::Background},
    {"KEYDERBYBACK", 659, 281, Kind::Background},
    {"BACKWALLPAPER", 405, 121, Kind::Background},
    {"TYPINGWALLPAPER", 305, 53, Kind::Background},
    {"WALLPAPER", 640, 480, Kind::Background},
    {"TRACK", 649, 196, Kind::Background},
    {"RESULTPANEL", 400, 253, Kind::Background},
    {"ARENA", 707, 301, Kind::Background},
    {"POST", 100, 221, Kind::Prop},
    {"BALLPLAYER", 40, 40, Kind::Prop},
    {"BALLBOSS", 40, 40, Kind::Prop},
    {"ICON", 256, 256, Kind::Prop},
    {"icon-16", 16, 16, Kind::Prop},
    {"icon-32", 32, 32, Kind::Prop},
    {"icon-48", 48, 48, Kind::Prop},
    {"icon-64", 64, 64, Kind::Prop},
    {"icon-128", 128, 128, Kind::Prop},
};

QImage LoadPicture(const QString& name, bool twice = false) {
    const QString path = QStringLiteral(KD_SOURCE_DIR "/resources/pictures/") + name +
                         (twice ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

std::vector<QString> Names(Kind kind) {
    std::vector<QString> names;
    for (const Expected& e : kPictures)
        if (e.kind == kind) names.push_back(QString::fromLatin1(e.name));
    return names;
}

double OpaqueShare(const QImage& img) {
    long opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 128;
    return double(opaque) / (img.width() * img.height());
}

// Relative luminance and contrast ratio as used for text legibility.
double Luminance(QRgb c) {
    auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Pictures, EveryPictureIsThereAtItsSizeWithATwinAtTwiceTheSize) {
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.name);
        const QImage one = LoadPicture(e.name), two = LoadPicture(e.name, true);
        ASSERT_FALSE(one.isNull());
        ASSERT_FALSE(two.isNull());
        EXPECT_EQ(one.size(), QSize(e.width, e.height));
        EXPECT_EQ(two.size(), QSize(2 * e.width, 2 * e.height));
    }
}

TEST(Pictures, TheTwinShowsTheSameDrawing) {
    // Halving the @2x picture must give back (almost) the 1x one; a twin drawn from another
    // design or offset by a few pixels fails.
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.name);
        const QImage one = LoadPicture(e.name);
        const QImage half =
            LoadPicture(e.name, true).scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double diff = 0;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x) {
                const QRgb a = one.pixel(x, y), b = half.pixel(x, y);
                diff += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                        std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            }
        EXPECT_LT(diff / (one.width() * one.height() * 4.0), 14.0);
    }
}

TEST(Pictures, TheProgramLoadsTheShippedPictures) {
    // The program keeps pictures premultiplied, so a semi-transparent pixel may come back a
    // rounding step away; anything more is a picture shown differently from the one shipped.
    for (const char* name : {"1", "53", "BOSS", "BACK", "TYPINGWALLPAPER", "ARENA", "POST", "BALLBOSS"}) {
        SCOPED_TRACE(name);
        const std::optional<QString> diff = kd::assetgen::PictureDifference(
            LoadPicture(name), kd::Bitmap(QString::fromLatin1(name)).toImage());
        EXPECT_FALSE(diff) << qPrintable(*diff);
    }
    const std::optional<QString> diff =
        kd::assetgen::PictureDifference(LoadPicture("42"), kd::CharaBitmap(42).toImage());
    EXPECT_FALSE(diff) << qPrintable(*diff);
}

TEST(Pictures, SpritesLetTheBackgroundShowAroundThem) {
    std::vector<QString> sprites = Names(Kind::Character);
    for (const char* prop : {"BALLPLAYER", "BALLBOSS", "ICON", "icon-16", "icon-48"}) sprites.push_back(prop);
    for (const QString& name : sprites)
        for (bool twice : {false, true}) {
            SCOPED_TRACE(qPrintable(name + (twice ? "@2x" : "")));
            const QImage img = LoadPicture(name, twice);
            const int w = img.width() - 1, h = img.height() - 1;
            for (QPoint corner :
                 {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h), QPoint(1, 1), QPoint(w - 1, 1)})
                EXPECT_EQ(qAlpha(img.pixel(corner)), 0) << corner.x() << "," << corner.y();
            const double share = OpaqueShare(img);
            EXPECT_GT(share, 0.15) << "hardly anything drawn";
            EXPECT_LT(share, 0.9) << "a box, not a figure";
        }
}

TEST(Pictures, NoTwoCharactersLookAlike) {
    const std::vector<QString> cast = Names(Kind::Character);
    std::vector<QImage> images;
    for (const QString& n : cast) images.push_back(LoadPicture(n));
    for (std::size_t i = 0; i < cast.size(); ++i)
        for (std::size_t j = i + 1; j < cast.size(); ++j) {
            long differing = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) {
                    const QRgb a = images[i].pixel(x, y), b = images[j].pixel(x, y);
                    const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                                  std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
                    differing += d > 60;
                }
            EXPECT_GT(differing, 64 * 64 / 10) << qPrintable(cast[i]) << " vs " << qPrintable(cast[j]);
        }
}

TEST(Pictures, BackgroundsCoverEveryPixel) {
    for (const QString& name : Names(Kind::Background)) {
        SCOPED_TRACE(qPrintable(name));
        const QImage img = LoadPicture(name);
        bool allOpaque = true;
        for (int y = 0; y < img.height() && allOpaque; ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qAlpha(img.pixel(x, y)) != 255) {
                    allOpaque = false;
                    break;
                }
        EXPECT_TRUE(allOpaque);
    }
}

TEST(Pictures, QuestionTextStaysReadableOnTheTypingWallpaper) {
    // The text to type is white, the idiom dark blue, "Go!!" green and the typed romaji red.
    const QRgb white = qRgb(255, 255, 255), darkBlue = qRgb(0, 0, 128), green = qRgb(0, 255, 0);
    const QImage img = LoadPicture("TYPINGWALLPAPER");
    double worstWhite = 99, worstBlue = 99, worstGreen = 99, worstRedDistance = 999;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            worstWhite = std::min(worstWhite, Contrast(c, white));
            worstBlue = std::min(worstBlue, Contrast(c, darkBlue));
            worstGreen = std::min(worstGreen, Contrast(c, green));
            worstRedDistance = std::min(worstRedDistance, std::hypot(qRed(c) - 255.0, qGreen(c), qBlue(c)));
        }
    EXPECT_GE(worstWhite, 3.0);
    // The dark-blue idiom is drawn with a pale outline (ContrastTest checks it), so the box
    // itself may be dark enough for white text to reach 4.5:1.
    EXPECT_GE(worstBlue, 2.5);
    EXPECT_GE(worstGreen, 3.0);
    EXPECT_GE(worstRedDistance, 200.0);  // red stands out by hue on the cool slate
}

}  // namespace
