// Puts every 1x picture of resources/pictures on one sheet, with its name and size, over a
// checkerboard so transparent parts show. Usage: kd_contactsheet [PROJECT_DIR] [OUT.png]
#include <QCollator>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

struct Entry {
    QString name;
    QImage image;
};

// Characters in cast order first, then everything else by name.
bool CastOrder(const Entry& a, const Entry& b) {
    bool aNum = false, bNum = false;
    const int an = a.name.toInt(&aNum), bn = b.name.toInt(&bNum);
    if (aNum != bNum) return aNum;
    if (aNum) return an < bn;
    if ((a.name == QLatin1String("BOSS")) != (b.name == QLatin1String("BOSS")))
        return a.name == QLatin1String("BOSS");
    return a.name < b.name;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDir root(args.size() > 1 ? args[1] : QStringLiteral(KD_SOURCE_DIR));
    const QString out = args.size() > 2 ? args[2] : root.filePath(QStringLiteral("docs/contact-sheet.png"));

    std::vector<Entry> entries;
    const QDir pictures(root.filePath(QStringLiteral("resources/pictures")));
    for (const QString& file : pictures.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        if (file.contains(QLatin1Char('@'))) continue;
        entries.push_back({QFileInfo(file).completeBaseName(), QImage(pictures.filePath(file))});
    }
    if (entries.empty()) {
        std::fprintf(stderr, "no pictures in %s\n", qPrintable(pictures.path()));
        return 1;
    }
    std::sort(entries.begin(), entries.end(), CastOrder);

    // Shelf layout: left to right, a new row when the next picture does not fit.
    const int sheetWidth = 1480, pad = 14, labelHeight = 18;
    std::vector<QPoint> at;
    int x = pad, y = pad + 34, rowHeight = 0;
    for (const Entry& e : entries) {
        const int w = std::max(e.image.width(), 112);
        if (x + w + pad > sheetWidth) {
            x = pad;
            y += rowHeight + labelHeight + pad;
            rowHeight = 0;
        }
        at.push_back(QPoint(x, y));
        x += w + pad;
        rowHeight = std::max(rowHeight, e.image.height());
    }
    QImage sheet(sheetWidth, y + rowHeight + labelHeight + pad, QImage::Format_RGB32);
    sheet.fill(QColor(48, 44, 64));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    QFont titleFont = p.font();
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(Qt::white);
    p.drawText(QPoint(pad, 28), QStringLiteral("Key Derby pictures (1x)"));
    QFont labelFont = p.font();
    labelFont.setPixelSize(12);
    labelFont.setBold(false);
    p.setFont(labelFont);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const QRect r(at[i], e.image.size());
        for (int cy = r.top(); cy < r.bottom(); cy += 8)
            for (int cx = r.left(); cx < r.right(); cx += 8)
                p.fillRect(QRect(cx, cy, 8, 8).intersected(r), ((cx - r.left()) / 8 + (cy - r.top()) / 8) % 2
                                                                   ? QColor(200, 200, 200)
                                                                   : QColor(235, 235, 235));
        p.drawImage(r.topLeft(), e.image);
        p.setPen(QColor(230, 230, 240));
        p.drawText(QPoint(r.left(), r.bottom() + 15),
                   QStringLiteral("%1  %2x%3").arg(e.name).arg(e.image.width()).arg(e.image.height()));
    }
    p.end();
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!sheet.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%d pictures on %s\n", int(entries.size()), qPrintable(out));
    return 0;
}
