#pragma once
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPaintEvent>
#include <QPointer>
#include <QRegion>
#include <QStringList>
#include <QWidget>
#include <string>

namespace kd::test {

// Every paint event of every widget while it lives: which widget, and the region it was asked
// to paint. For guarding how much of a window a change repaints; nothing is compared by pixel.
class PaintRecorder : public QObject {
  public:
    PaintRecorder() { qApp->installEventFilter(this); }
    ~PaintRecorder() override { qApp->removeEventFilter(this); }

    struct Paint {
        QPointer<QWidget> widget;
        QString name;
        QRegion region;  // in the widget's own coordinates
    };
    QList<Paint> paints;

    // Pending updates become paint events now, then the record starts afresh.
    void Settle() {
        Flush();
        paints.clear();
    }
    static void Flush() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    QStringList Names() const {
        QStringList names;
        for (const Paint& p : paints)
            if (!names.contains(p.name)) names << p.name;
        return names;
    }
    // What was painted, in the coordinates of `in` (a window or any ancestor).
    QRegion Painted(QWidget* in) const {
        QRegion all;
        for (const Paint& p : paints)
            if (p.widget && (p.widget == in || in->isAncestorOf(p.widget)))
                all += p.region.translated(p.widget->mapTo(in, QPoint()));
        return all;
    }
    // "x,y wxh; ..." for a failure message.
    static std::string Text(const QRegion& r) {
        std::string out;
        for (const QRect& rect : r)
            out += QStringLiteral("%1,%2 %3x%4; ")
                       .arg(rect.x())
                       .arg(rect.y())
                       .arg(rect.width())
                       .arg(rect.height())
                       .toStdString();
        return out;
    }
    static qint64 Area(const QRegion& r) {
        qint64 a = 0;
        for (const QRect& rect : r) a += qint64(rect.width()) * rect.height();
        return a;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            if (auto* w = qobject_cast<QWidget*>(watched))
                paints.append({w, w->objectName(), static_cast<QPaintEvent*>(event)->region()});
        return false;
    }
};

}  // namespace kd::test
