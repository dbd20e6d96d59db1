#pragma once
#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace kd {

// Small builders so every screen states its controls as name, caption and position.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w = -1,
                  int h = -1);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                        int w = 82, int h = 25);
// A thin frame line around an area of the form, in the given colour.
QFrame* MakeOutline(QWidget* parent, const QString& name, const QRect& r, const QColor& line);
void SetForeColor(QWidget* w, const QColor& color);
QColor ForeColor(const QWidget* w);
void SetBackColor(QWidget* w, const QColor& color);
void SetPixelFont(QWidget* w, int pixelSize, bool bold = false);
// Buttons of play screens must never take the keyboard focus (Space would click them).
void NoFocusButtons(QWidget* form);

// An area cleared to its background picture and drawn on in pixels (tracks, arenas). Drawing
// goes to a back buffer; the screen repaints once per change, not once per primitive.
class DrawingArea : public QWidget {
    Q_OBJECT
  public:
    DrawingArea(QWidget* parent, const QString& name, int x, int y, int w, int h);
    void SetBackground(const QPixmap& picture);
    void SetFillColor(const QColor& color);
    void ClearToBackground();                               // back to the background picture
    void DrawPixmap(const QPixmap& picture, int x, int y);  // alpha is the transparent colour
    void DrawLine(int x1, int y1, int x2, int y2, const QColor& color);
    QImage Canvas() const;  // the box as drawn, at its pixel density

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Drawn(const QRect& area);
    // The back buffer, made at the first picture drawn over the background: a box that only
    // shows its background (a menu's wallpaper) paints it straight, without a copy of its size.
    QImage& BackBuffer();
    QImage Composed() const;  // the background alone, at the screen's pixel density
    void PaintBackground(QPainter& p, const QRegion& area) const;
    // Zoom or full screen changed the pixel density pictures are drawn at.
    void MatchDensity();
    // A box whose background covers it with opaque pixels paints every pixel itself, so
    // nothing behind it is painted again with it.
    void UpdateOpaque();
    QPixmap m_background;
    QColor m_fill = Qt::transparent;
    QImage m_canvas;
    // What was drawn over the background since the last ClearToBackground, picture by picture: two balls
    // far apart restore two small rectangles, not the whole stretch between them.
    QRegion m_drawn;
    bool m_allDirty = true;  // the whole box needs its background again
};

}  // namespace kd
