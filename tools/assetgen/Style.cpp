#include "tools/assetgen/Style.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace kd::assetgen {

QColor Mix(const QColor& a, const QColor& b, double t) {
    auto lerp = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QPen InkPen(double width, const QColor& color) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QBrush BallBrush(QPointF centre, double radius, const QColor& base) {
    QRadialGradient g(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.35);
    g.setColorAt(0.0, Mix(base, Qt::white, 0.45));
    g.setColorAt(0.45, base);
    g.setColorAt(1.0, Mix(base, kInk, 0.45));
    return QBrush(g);
}

QBrush BodyBrush(double top, double bottom, const QColor& base) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0.0, Mix(base, Qt::white, 0.3));
    g.setColorAt(0.5, base);
    g.setColorAt(1.0, Mix(base, kInk, 0.3));
    return QBrush(g);
}

void FillOutlined(QPainter& p, const QPainterPath& path, const QBrush& fill, double width) {
    p.setPen(width > 0 ? InkPen(width) : Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

void Shine(QPainter& p, QPointF centre, double rx, double ry, double angleDeg, int alpha) {
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, alpha));
    p.drawEllipse(QPointF(0, 0), rx, ry);
    p.restore();
}

void GroundShadow(QPainter& p, QPointF centre, double rx, double ry, int alpha) {
    QRadialGradient g(centre, rx);
    g.setColorAt(0.0, QColor(0, 0, 0, alpha));
    g.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.translate(centre);
    p.scale(1.0, ry / rx);
    p.translate(-centre);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, rx, rx);
    p.restore();
}

void Eye(QPainter& p, QPointF centre, double rx, double ry, QPointF look, double pupil, double width) {
    p.setPen(InkPen(width));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, rx, ry);
    const QPointF pc = centre + QPointF(look.x() * (rx - pupil * 0.9), look.y() * (ry - pupil * 0.9));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(pc, pupil, pupil);
    p.setBrush(Qt::white);
    p.drawEllipse(pc + QPointF(-pupil * 0.35, -pupil * 0.4), pupil * 0.35, pupil * 0.35);
}

void SpeedLines(QPainter& p, double xRight, std::initializer_list<double> ys, double length, const QColor& c,
                double width) {
    p.setPen(InkPen(width, c));
    int i = 0;
    for (double y : ys) {
        const double len = length * (i % 2 ? 0.7 : 1.0);
        p.drawLine(QPointF(xRight - len, y), QPointF(xRight, y));
        ++i;
    }
}

void Blush(QPainter& p, QPointF centre, double rx, double ry) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 110, 140, 120));
    p.drawEllipse(centre, rx, ry);
}

void Sparkle(QPainter& p, QPointF centre, double r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(StarPath(centre, r, r * 0.28, 4, -90));
}

QPainterPath StarPath(QPointF centre, double outer, double inner, int points, double rotationDeg) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double a = qDegreesToRadians(rotationDeg + 180.0 * i / points);
        const QPointF pt = centre + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath Circle(QPointF centre, double r) {
    QPainterPath path;
    path.addEllipse(centre, r, r);
    return path;
}

QPainterPath RoundRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void Checker(QPainter& p, const QRectF& area, double cell, const QColor& a, const QColor& b) {
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    const int cols = int(std::ceil(area.width() / cell));
    const int rows = int(std::ceil(area.height() / cell));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            p.setBrush(((r + c) % 2) ? b : a);
            p.drawRect(QRectF(area.left() + c * cell, area.top() + r * cell, cell, cell));
        }
    p.restore();
}

}  // namespace kd::assetgen
