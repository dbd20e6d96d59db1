// Writes every picture, piece of music and key sound into the project, or with --check tells
// whether the committed files are what the generators make (pictures within rounding).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

#include "tools/assetgen/Assets.h"

using namespace kd::assetgen;

namespace {

std::vector<GeneratedFile> Select(const QString& only) {
    if (only == QLatin1String("pictures")) return PictureFiles();
    if (only == QLatin1String("music")) return MusicFiles();
    if (only == QLatin1String("sounds")) return SoundFiles();
    return AllFiles();
}

int Check(const QDir& root, const std::vector<GeneratedFile>& files) {
    int stale = 0;
    for (const GeneratedFile& f : files) {
        QFile file(root.filePath(f.path));
        if (!file.open(QIODevice::ReadOnly)) {
            std::printf("missing: %s\n", qPrintable(f.path));
            ++stale;
        } else if (const QByteArray committed = file.readAll(); !MatchesCommitted(f, committed)) {
            const auto why = f.path.endsWith(QLatin1String(".png"))
                                 ? PictureDifference(QImage::fromData(f.bytes), QImage::fromData(committed))
                                 : std::nullopt;
            std::printf("differs: %s%s\n", qPrintable(f.path),
                        why ? qPrintable(QStringLiteral(": ") + *why) : "");
            ++stale;
        }
    }
    std::printf("%d files checked, %d stale\n", int(files.size()), stale);
    if (stale) std::printf("run kd_assetgen to rebuild them, then commit\n");
    return stale ? 1 : 0;
}

int Write(const QDir& root, const std::vector<GeneratedFile>& files) {
    for (const GeneratedFile& f : files) {
        const QString path = root.filePath(f.path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(f.bytes) != f.bytes.size() || !out.commit()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("%d files written below %s\n", int(files.size()), qPrintable(root.absolutePath()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool check = false;
    QString only;
    QString rootPath = QStringLiteral(KD_SOURCE_DIR);
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--check"))
            check = true;
        else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i];
        else if (args[i].startsWith(QLatin1String("-"))) {
            std::fprintf(stderr,
                         "usage: kd_assetgen [--check] [--only pictures|music|sounds] [PROJECT_DIR]\n");
            return 2;
        } else
            rootPath = args[i];
    }
    const QDir root(rootPath);
    const auto files = Select(only);
    return check ? Check(root, files) : Write(root, files);
}
