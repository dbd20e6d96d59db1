#pragma once
// The shared look of every picture: dark plum outlines, flat colours with a soft light from the
// upper left, glossy highlights. All coordinates are in the picture's own 1x pixels; the painter
// is scaled for the @2x files.
#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>

namespace kd::assetgen {

inline const QColor kInk(42, 31, 61);

// A tiny generator of our own so scattered details land in the same places on every machine.
class Lcg {
  public:
    explicit Lcg(std::uint32_t seed) : m_state(seed) {}
    std::uint32_t Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    double Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() / double(1u << 24)); }
    int Below(int n) { return int(Next() % std::uint32_t(n)); }

  private:
    std::uint32_t m_state;
};

QColor Mix(const QColor& a, const QColor& b, double t);
QColor WithAlpha(QColor c, int alpha);

// Outline pen in ink (or another colour), round caps and joins.
QPen InkPen(double width = 2.0, const QColor& color = kInk);
// A ball lit from the upper left.
QBrush BallBrush(QPointF centre, double radius, const QColor& base);
// Vertical light-to-dark fill for flat-topped shapes.
QBrush BodyBrush(double top, double bottom, const QColor& base);

void FillOutlined(QPainter& p, const QPainterPath& path, const QBrush& fill, double width = 2.0);
void Shine(QPainter& p, QPointF centre, double rx, double ry, double angleDeg = -35, int alpha = 190);
void GroundShadow(QPainter& p, QPointF centre, double rx, double ry, int alpha = 60);
// White eye with a pupil pushed towards `look` (-1..1 in each axis).
void Eye(QPainter& p, QPointF centre, double rx, double ry, QPointF look, double pupil, double width = 1.6);
// Short rounded strokes trailing behind something that runs to the right.
void SpeedLines(QPainter& p, double xRight, std::initializer_list<double> ys, double length, const QColor& c,
                double width = 2.2);
void Blush(QPainter& p, QPointF centre, double rx, double ry);
void Sparkle(QPainter& p, QPointF centre, double r, const QColor& c);

QPainterPath StarPath(QPointF centre, double outer, double inner, int points, double rotationDeg = -90);
QPainterPath Circle(QPointF centre, double r);
QPainterPath RoundRect(const QRectF& r, double radius);
// Checkered band: a finish line or a flag.
void Checker(QPainter& p, const QRectF& area, double cell, const QColor& a, const QColor& b);

}  // namespace kd::assetgen
