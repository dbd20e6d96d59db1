#pragma once
#include <QPixmap>
#include <QString>
#include <QStringList>

class QLabel;

namespace kd {

// The program's pictures by resource name ("WALLPAPER", "BACK", "BOSS", ...). A missing
// picture gives a plain stand-in of the expected size instead of failing.
QPixmap Bitmap(const QString& name);
// The picture drawn to fill width x height logical pixels, keeping the screen's density.
QPixmap ScaledBitmap(const QString& name, int width, int height,
                     Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio);
// Starts decoding these pictures on a worker thread, so that Bitmap() finds them ready
// instead of decoding them itself: for what the first screen shows, while the program is
// still setting itself up. Call it once the application object exists.
void PrefetchBitmaps(const QStringList& names);
// Shows a picture by name in a label, and again from its sharper (or plainer) twin whenever
// RefreshNamedPictures is called: the zoom calls it when the pixel density changes, so a
// screen opened before the change does not keep a blurred picture.
void SetNamedPicture(QLabel* label, const QString& name);
void RefreshNamedPictures();
// A character's picture by its number (1-5, 11-13, 21, 22, 31, 32, 41, 42, 51-53).
QPixmap CharaBitmap(int charaNo);

}  // namespace kd
