#include <gtest/gtest.h>

#include <QImage>
#include <QPixmapCache>

#include "platform/widgets/Bitmaps.h"

using namespace kd;

namespace {

QImage Pixels(const QPixmap& pm) {
    return pm.toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

// A picture decoded ahead on the worker thread is the same picture, at the same density, as
// one decoded when asked for; a name without a picture still gives its stand-in.
TEST(Bitmaps, PrefetchedPicturesMatchThoseDecodedOnDemand) {
    const QStringList names = {QStringLiteral("WALLPAPER"), QStringLiteral("TRACK"),
                               QStringLiteral("NOSUCHPICTURE")};
    QPixmapCache::clear();
    QList<QPixmap> direct;
    for (const QString& name : names) direct << Bitmap(name);

    QPixmapCache::clear();
    PrefetchBitmaps(names);
    PrefetchBitmaps(names);  // asking twice starts nothing new
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QPixmap pm = Bitmap(names[i]);
        SCOPED_TRACE(names[i].toStdString());
        EXPECT_EQ(pm.size(), direct[i].size());
        EXPECT_EQ(pm.devicePixelRatio(), direct[i].devicePixelRatio());
        EXPECT_EQ(Pixels(pm), Pixels(direct[i]));
    }
    EXPECT_EQ(Bitmap(QStringLiteral("NOSUCHPICTURE")).size(), QSize(64, 64));
}
