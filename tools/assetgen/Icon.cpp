// The program icon: a keyboard key with the red crazy ball bursting out of it, and a finish flag.
// Small sizes drop the flag and thicken the lines so the ball still reads at 16 pixels.
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Style.h"

namespace kd::assetgen {
namespace {

void DrawIcon(QPainter& p, int pixels) {
    const bool small = pixels <= 32;
    p.scale(pixels / 256.0, pixels / 256.0);
    const double line = small ? 14 : (pixels <= 64 ? 9 : 6);
    // Key cap.
    const QRectF cap = small ? QRectF(18, 24, 220, 214) : QRectF(12, 20, 232, 224);
    FillOutlined(p, RoundRect(cap, small ? 56 : 44),
                 BodyBrush(cap.top(), cap.bottom(), QColor(120, 110, 200)), line);
    const QRectF top(36, 28, 184, 176);
    p.setPen(Qt::NoPen);
    p.setBrush(BodyBrush(top.top(), top.bottom(), QColor(170, 165, 245)));
    p.drawRoundedRect(top, 34, 34);
    if (!small) {
        // Finish flag behind the ball.
        p.setPen(InkPen(line));
        p.drawLine(QPointF(190, 190), QPointF(190, 44));
        QPainterPath flag;
        flag.moveTo(192, 48);
        flag.cubicTo(206, 40, 218, 56, 232, 48);
        flag.lineTo(232, 96);
        flag.cubicTo(218, 104, 206, 88, 192, 96);
        flag.closeSubpath();
        p.save();
        p.setClipPath(flag);
        Checker(p, QRectF(190, 38, 44, 66), 12, Qt::white, kInk);
        p.restore();
        p.setPen(InkPen(line * 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(flag);
    }
    // The red crazy ball.
    const QPointF c(small ? 128 : 116, small ? 126 : 124);
    const double r = small ? 84 : 70;
    if (!small)
        SpeedLines(p, c.x() - r - 8, {c.y() - 30, c.y(), c.y() + 30}, 26, QColor(255, 255, 255, 200), 9);
    FillOutlined(p, Circle(c, r), BallBrush(c, r, QColor(240, 60, 60)), line);
    Shine(p, c + QPointF(-r * 0.45, -r * 0.45), r * 0.28, r * 0.16);
    const double eyeLine = small ? 10 : line * 0.8;
    if (pixels <= 16) {
        // One big eye and the grin: at 16 pixels a second eye is only a smudge.
        Eye(p, c + QPointF(r * 0.3, -r * 0.25), r * 0.42, r * 0.46, QPointF(0.5, 0), r * 0.22, eyeLine);
    } else {
        Eye(p, c + QPointF(r * 0.15, -r * 0.25), r * 0.36, r * 0.38, QPointF(0.55, -0.2), r * 0.16, eyeLine);
        Eye(p, c + QPointF(r * 0.68, -r * 0.15), r * 0.22, r * 0.25, QPointF(0.6, 0.4), r * 0.1, eyeLine);
    }
    QPainterPath mouth;
    mouth.moveTo(c + QPointF(-r * 0.05, r * 0.25));
    mouth.cubicTo(c + QPointF(r * 0.15, r * 0.75), c + QPointF(r * 0.7, r * 0.7),
                  c + QPointF(r * 0.85, r * 0.2));
    mouth.closeSubpath();
    FillOutlined(p, mouth, QColor(120, 20, 40), eyeLine);
}

PictureRecipe IconRecipe(const QString& name, int pixels) {
    return PictureRecipe{name, QSize(pixels, pixels), false, [pixels](QPainter& p) { DrawIcon(p, pixels); }};
}

}  // namespace

std::vector<PictureRecipe> IconPictures() {
    std::vector<PictureRecipe> icons{IconRecipe("ICON", 256)};
    for (int n : {16, 32, 48, 64, 128}) icons.push_back(IconRecipe(QStringLiteral("icon-%1").arg(n), n));
    return icons;
}

}  // namespace kd::assetgen
