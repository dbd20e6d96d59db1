#pragma once
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QTransform>
#include <functional>

class QWidget;
class QWindow;

namespace kd {

// Puts a small opaque widget's new look straight onto its X11 window, past Qt's backing store.
// A clock that changes ten times a second would otherwise pay each time for Qt's whole repaint
// round (a posted update, a wait for the X server to let go of the shared image, the flush),
// which is most of what an idle game costs. Zoomed, it draws at the window's pixel density.
// Where it cannot (another platform, the widget hidden or covered, an unusual visual, a widget
// whose edges do not land on whole pixels, as often at 150 %) Put says so and the caller
// repaints the usual way.
//
// The widget's paintEvent must still draw the same look: Qt repaints from it whenever it needs
// the widget (an expose, a grab), and an expose of the window asks for that repaint, so the
// backing store, which missed the direct puts, is brought up to date before it is shown.
class DirectPaint : public QObject {
  public:
    explicit DirectPaint(QWidget* widget);
    ~DirectPaint() override;

    // Draws the widget's whole rectangle (draw must cover every pixel) and puts it on screen;
    // false when that is not possible here.
    bool Put(const std::function<void(QPainter&)>& draw);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Where the widget's pixels go: the widget with the native window, the widget's rectangle
    // in that window's pixels, and the window's pixel density.
    struct Placement {
        QWidget* host = nullptr;
        QRect pixels;
        qreal dpr = 1;
        QPainter::RenderHints hints = QPainter::TextAntialiasing;
    };
    // False when the widget is hidden or covered, or its pixels would not be whole ones.
    bool Place(Placement* place) const;
    // Whether a widget is clipped by a parent or has a sibling over it, up to its window.
    static bool Covered(const QWidget* widget);
    void Watch(QWindow* window);
    void ForgetGc();

    QWidget* m_widget;
    QPointer<QWindow> m_watched;
    QImage m_image;
    quint32 m_window = 0;     // the X window checked last
    bool m_windowOk = false;  // whether that window takes our pixels as they are
    quint8 m_depth = 0;
    quint32 m_gc = 0;
    void* m_connection = nullptr;  // the X connection, once a window was checked
    quint64 m_maxBytes = 0;        // the largest request it takes
};

}  // namespace kd
