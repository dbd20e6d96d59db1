#include "platform/widgets/Bitmaps.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>
#include <future>
#include <mutex>
#include <optional>

#include "platform/widgets/Colors.h"
#include "platform/widgets/Zoom.h"

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
    p.setPen(kGrey);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

// On a high-density screen the picture drawn at twice the size keeps edges sharp.
bool HiDpi() {
    return PictureDensity() > 1.0;
}

QString CacheKey(const QString& name, bool hiDpi) {
    return QStringLiteral("kd:") + name + (hiDpi ? QStringLiteral("@2x") : QString());
}

// Pictures being decoded on a worker thread, by cache key. QImage may be decoded off the
// user-interface thread; the QPixmap is made from it on the thread that asks for it.
std::mutex g_pendingLock;
QHash<QString, std::shared_future<QImage>>& Pending() {
    static QHash<QString, std::shared_future<QImage>> pending;
    return pending;
}

std::optional<QImage> TakePrefetched(const QString& key) {
    std::shared_future<QImage> image;
    {
        const std::lock_guard<std::mutex> guard(g_pendingLock);
        auto it = Pending().find(key);
        if (it == Pending().end()) return std::nullopt;
        image = *it;
        Pending().erase(it);
    }
    return image.get();
}

}  // namespace

void PrefetchBitmaps(const QStringList& names) {
    const bool hiDpi = HiDpi();
    const std::lock_guard<std::mutex> guard(g_pendingLock);
    for (const QString& name : names) {
        const QString key = CacheKey(name, hiDpi);
        if (Pending().contains(key) || QPixmapCache::find(key, nullptr)) continue;
        const QString base = QStringLiteral(":/pictures/") + name;
        Pending().insert(key, std::async(std::launch::async, [base, hiDpi] {
                                  QImage image;
                                  if (hiDpi && image.load(base + QStringLiteral("@2x.png"))) {
                                      image.setDevicePixelRatio(2.0);
                                      return image;
                                  }
                                  image.load(base + QStringLiteral(".png"));
                                  return image;
                              }).share());
    }
}

QPixmap Bitmap(const QString& name) {
    const bool hiDpi = HiDpi();
    const QString key = CacheKey(name, hiDpi);
    QPixmap pm;
    if (QPixmapCache::find(key, &pm)) return pm;
    if (const std::optional<QImage> image = TakePrefetched(key); image && !image->isNull()) {
        pm = QPixmap::fromImage(*image);
        QPixmapCache::insert(key, pm);
        return pm;
    }
    const QString base = QStringLiteral(":/pictures/") + name;
    if (hiDpi && QFile::exists(base + QStringLiteral("@2x.png")) &&
        pm.load(base + QStringLiteral("@2x.png"))) {
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

QPixmap CharaBitmap(int charaNo) {
    return Bitmap(QString::number(charaNo));
}

namespace {
const char* const kPictureName = "kdPictureName";
}  // namespace

void SetNamedPicture(QLabel* label, const QString& name) {
    label->setProperty(kPictureName, name);
    label->setPixmap(Bitmap(name));
}

void RefreshNamedPictures() {
    for (QWidget* w : QApplication::allWidgets()) {
        auto* label = qobject_cast<QLabel*>(w);
        if (!label) continue;
        const QString name = label->property(kPictureName).toString();
        if (!name.isEmpty()) label->setPixmap(Bitmap(name));
    }
}

}  // namespace kd
