#include "platform/widgets/Bitmaps.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>

namespace kd {

namespace {

QSize ExpectedSize(const QString& name) {
    static const QHash<QString, QSize> sizes = {
        {QStringLiteral("BACK"), {561, 419}},          {QStringLiteral("KEYDERBYBACK"), {659, 281}},
        {QStringLiteral("BACKWALLPAPER"), {405, 121}}, {QStringLiteral("TYPINGWALLPAPER"), {305, 53}},
        {QStringLiteral("WALLPAPER"), {640, 480}},     {QStringLiteral("TRACK"), {649, 196}},
        {QStringLiteral("RESULTPANEL"), {400, 253}},   {QStringLiteral("ARENA"), {707, 301}},
        {QStringLiteral("POST"), {100, 221}},          {QStringLiteral("BALLPLAYER"), {40, 40}},
        {QStringLiteral("BALLBOSS"), {40, 40}},        {QStringLiteral("ICON"), {256, 256}},
    };
    return sizes.value(name, QSize(64, 64));
}

QPixmap StandIn(const QString& name) {
    QPixmap pm(ExpectedSize(name));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

}  // namespace

QPixmap Bitmap(const QString& name) {
    // On a high-density screen the picture drawn at twice the size keeps edges sharp.
    const bool hiDpi = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    const QString key = QStringLiteral("kd:") + name + (hiDpi ? QStringLiteral("@2x") : QString());
    QPixmap pm;
    if (QPixmapCache::find(key, &pm)) return pm;
    const QString base = QStringLiteral(":/pictures/") + name;
    if (hiDpi && QFile::exists(base + QStringLiteral("@2x.png")) && pm.load(base + QStringLiteral("@2x.png"))) {
        pm.setDevicePixelRatio(2.0);
    } else if (!pm.load(base + QStringLiteral(".png"))) {
        pm = StandIn(name);
    }
    QPixmapCache::insert(key, pm);
    return pm;
}

QPixmap ScaledBitmap(const QString& name, int width, int height, Qt::AspectRatioMode mode) {
    const QPixmap pm = Bitmap(name);
    const qreal dpr = pm.devicePixelRatio();
    QPixmap out = pm.scaled(qRound(width * dpr), qRound(height * dpr), mode, Qt::SmoothTransformation);
    out.setDevicePixelRatio(dpr);
    return out;
}

QPixmap CharaBitmap(int charaNo) { return Bitmap(QString::number(charaNo)); }

}  // namespace kd
