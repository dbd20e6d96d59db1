// The cast: seventeen racers, each 64 x 64 and facing right (they race left to right), and the
// boss facing left. Every one stands on a soft ground shadow near the bottom edge so they line
// up in a lane, and keeps the corners clear so the lane shows through.
#include <QtMath>

#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Style.h"

namespace kd::assetgen {
namespace {

// ---- the three crazy-ball siblings ------------------------------------------------------------

enum class BallMood { Wild, Dizzy, Cool };

void CrazyBall(QPainter& p, const QColor& base, BallMood mood) {
    const QPointF c(35, 34);
    const double r = 21;
    GroundShadow(p, QPointF(35, 59), 22, 4);
    SpeedLines(p, 12, {24, 33, 42}, 10, Mix(base, Qt::white, 0.35), 2.4);

    // Hair tuft: each sibling wears its own.
    p.setPen(InkPen(1.8));
    p.setBrush(Mix(base, kInk, 0.25));
    if (mood == BallMood::Wild) {
        QPainterPath flame;
        flame.moveTo(24, 18);
        flame.lineTo(22, 5);
        flame.lineTo(30, 13);
        flame.lineTo(33, 2);
        flame.lineTo(38, 13);
        flame.lineTo(45, 5);
        flame.lineTo(44, 17);
        flame.closeSubpath();
        p.drawPath(flame);
    } else if (mood == BallMood::Dizzy) {
        p.setBrush(Qt::NoBrush);
        p.setPen(InkPen(2.2));
        QPainterPath curl;
        curl.moveTo(33, 14);
        curl.cubicTo(30, 6, 40, 1, 43, 6);
        curl.cubicTo(45, 10, 39, 12, 38, 8);
        p.drawPath(curl);
    } else {
        QPainterPath lick;
        lick.moveTo(27, 16);
        lick.cubicTo(26, 6, 40, 2, 48, 8);
        lick.cubicTo(41, 8, 38, 11, 40, 16);
        lick.closeSubpath();
        p.drawPath(lick);
    }

    FillOutlined(p, Circle(c, r), BallBrush(c, r, base), 2.2);
    Shine(p, c + QPointF(-10, -10), 6, 3.5);

    // Mismatched eyes are the family trait.
    if (mood == BallMood::Dizzy) {
        Eye(p, QPointF(40, 28), 7.5, 8, QPointF(0.3, 0.1), 3.2);
        p.setPen(InkPen(1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(52, 29), 5, 5.5);
        QPainterPath spiral;
        for (int i = 0; i <= 24; ++i) {
            const double a = i * 0.55;
            const double rr = 0.2 + i * 0.16;
            const QPointF pt(52 + rr * std::cos(a), 29 + rr * std::sin(a));
            i == 0 ? spiral.moveTo(pt) : spiral.lineTo(pt);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(InkPen(1.2));
        p.drawPath(spiral);
    } else {
        Eye(p, QPointF(40, 27), 8, 8.5, QPointF(0.55, mood == BallMood::Wild ? -0.3 : 0.2), 3.4);
        Eye(p, QPointF(52, 29), 4.8, 5.2, QPointF(0.6, 0.5), 2.0);
    }
    if (mood == BallMood::Cool) {
        // Heavy lids: unbothered and still a little mad.
        p.setPen(InkPen(1.6));
        p.setBrush(Mix(base, kInk, 0.2));
        p.drawChord(QRectF(32, 18.5, 16, 17), 20 * 16, 140 * 16);
        p.drawChord(QRectF(47.2, 23.8, 9.6, 10.4), 20 * 16, 140 * 16);
    }
    if (mood == BallMood::Wild) {
        p.setPen(InkPen(2.2));
        p.drawLine(QPointF(33, 17), QPointF(45, 20));
        p.drawLine(QPointF(49, 22), QPointF(56, 20));
    }

    // Big grin with teeth.
    QPainterPath mouth;
    mouth.moveTo(34, 40);
    mouth.cubicTo(38, 50, 50, 50, 55, 38);
    mouth.closeSubpath();
    FillOutlined(p, mouth, QColor(120, 20, 40), 1.8);
    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(33, 38, 24, 4));
    p.setBrush(QColor(255, 120, 150));
    p.drawEllipse(QPointF(45, 49), 6, 4);
    p.restore();
    p.setPen(InkPen(1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
    if (mood == BallMood::Cool) {
        QPainterPath drop;  // sweat: calm face, racing heart
        drop.moveTo(22, 20);
        drop.cubicTo(18, 27, 19, 30, 22, 30);
        drop.cubicTo(25, 30, 26, 27, 22, 20);
        FillOutlined(p, drop, QColor(170, 225, 255), 1.2);
    }
}

// ---- 4 Mouse ----------------------------------------------------------------------------------

void Mouse(QPainter& p) {
    GroundShadow(p, QPointF(33, 59), 24, 4);
    const QColor fur(168, 172, 190);
    // Tail curls up behind.
    QPainterPath tail;
    tail.moveTo(14, 46);
    tail.cubicTo(4, 48, 0, 38, 6, 32);
    tail.cubicTo(10, 28, 14, 32, 11, 35);
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(4.2));
    p.drawPath(tail);
    p.setPen(InkPen(2.2, QColor(255, 160, 180)));
    p.drawPath(tail);

    FillOutlined(p, Circle(QPointF(24, 57), 4), QColor(255, 160, 180), 1.6);  // back foot
    QPainterPath body;
    body.addEllipse(QPointF(30, 43), 18, 14);
    FillOutlined(p, body, BallBrush(QPointF(30, 43), 18, fur), 2.0);
    FillOutlined(p, Circle(QPointF(39, 58), 4), QColor(255, 160, 180), 1.6);  // front foot

    // Far ear, head, near ear.
    FillOutlined(p, Circle(QPointF(48, 14), 7.5), Mix(fur, kInk, 0.2), 1.8);
    QPainterPath head;
    head.moveTo(34, 24);
    head.cubicTo(38, 14, 52, 16, 58, 28);
    head.cubicTo(62, 34, 62, 38, 58, 40);
    head.cubicTo(50, 44, 38, 44, 34, 38);
    head.closeSubpath();
    FillOutlined(p, head, BallBrush(QPointF(46, 30), 15, fur), 2.0);
    FillOutlined(p, Circle(QPointF(39, 15), 10), fur, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 170, 190));
    p.drawEllipse(QPointF(39.5, 15.5), 6, 6.5);

    // Face: eye, nose, whiskers, cheek.
    p.setBrush(kInk);
    p.drawEllipse(QPointF(50, 27), 3.2, 4);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(49, 25.6), 1.2, 1.2);
    FillOutlined(p, Circle(QPointF(59.5, 34), 3.2), QColor(255, 110, 150), 1.4);
    p.setPen(InkPen(1.0, QColor(60, 50, 80)));
    p.drawLine(QPointF(54, 36), QPointF(63, 33));
    p.drawLine(QPointF(54, 37.5), QPointF(63, 38));
    p.drawLine(QPointF(53, 39), QPointF(61, 42));
    Blush(p, QPointF(47, 35), 3.5, 2.2);
    Shine(p, QPointF(22, 36), 5, 2.5);
}

// ---- 5 Ponpy: a fluffy puff with a pompom ----------------------------------------------------

void Ponpy(QPainter& p) {
    GroundShadow(p, QPointF(33, 60), 20, 4);
    const QColor cream(255, 240, 205);
    // Pompom on a springy stem.
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(2.2));
    QPainterPath stem;
    stem.moveTo(36, 18);
    stem.cubicTo(34, 12, 44, 10, 42, 5);
    p.drawPath(stem);
    FillOutlined(p, Circle(QPointF(43, 6), 5), BallBrush(QPointF(43, 6), 5, QColor(255, 105, 160)), 1.8);

    FillOutlined(p, RoundRect(QRectF(22, 52, 10, 7), 3.5), QColor(255, 150, 60), 1.6);
    FillOutlined(p, RoundRect(QRectF(38, 52, 10, 7), 3.5), QColor(255, 150, 60), 1.6);
    // Scalloped fluff outline.
    QPainterPath fluff;
    fluff.setFillRule(Qt::WindingFill);
    const QPointF c(34, 36);
    const int bumps = 14;
    for (int i = 0; i < bumps; ++i) {
        const double a = 2 * M_PI * i / bumps;
        fluff.addEllipse(c + QPointF(17.5 * std::cos(a), 16.5 * std::sin(a)), 5.5, 5.5);
    }
    fluff.addEllipse(c, 18, 17);
    fluff = fluff.simplified();
    FillOutlined(p, fluff, BallBrush(c, 22, cream), 2.0);
    Shine(p, QPointF(24, 26), 5, 3);

    // Face looking right.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(41, 33), 2.8, 3.6);
    p.drawEllipse(QPointF(50, 33), 2.4, 3.2);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(40.2, 31.8), 1.1, 1.1);
    p.drawEllipse(QPointF(49.4, 31.8), 0.9, 0.9);
    p.setPen(InkPen(1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(41, 35, 9, 6), 200 * 16, 140 * 16);
    Blush(p, QPointF(37, 40), 3.2, 2);
    Blush(p, QPointF(53, 39), 2.6, 1.8);
}

// ---- 11 CrazyPhone ----------------------------------------------------------------------------

void CrazyPhone(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 20, 4);
    // Running legs.
    p.setPen(InkPen(2.6));
    p.drawLine(QPointF(26, 50), QPointF(18, 58));
    p.drawLine(QPointF(36, 50), QPointF(44, 57));
    p.setPen(InkPen(3.6));
    p.drawLine(QPointF(17, 58), QPointF(13, 58));
    p.drawLine(QPointF(44, 57), QPointF(49, 58));
    // Ringing arcs.
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(1.8, QColor(255, 80, 80)));
    p.drawArc(QRectF(45, 5, 12, 12), -60 * 16, 120 * 16);
    p.drawArc(QRectF(41, 1, 20, 20), -50 * 16, 100 * 16);

    p.save();
    p.translate(31, 32);
    p.rotate(10);  // leaning into the run
    // Antenna.
    p.setPen(InkPen(2.4));
    p.drawLine(QPointF(8, -22), QPointF(8, -30));
    FillOutlined(p, Circle(QPointF(8, -30), 3), QColor(255, 70, 70), 1.4);
    const QRectF body(-13, -24, 26, 46);
    FillOutlined(p, RoundRect(body, 7), BodyBrush(body.top(), body.bottom(), QColor(255, 150, 40)), 2.2);
    // Screen with a face on it.
    const QRectF screen(-9, -19, 18, 17);
    FillOutlined(p, RoundRect(screen, 3), QColor(190, 245, 150), 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(-1, -13), 2.6, 3.2);
    p.drawEllipse(QPointF(5.5, -14), 1.6, 1.6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(-0.2, -14), 1.0, 1.0);
    QPainterPath grin;
    grin.moveTo(-4, -8);
    grin.quadTo(2, -3, 8, -9);
    grin.closeSubpath();
    FillOutlined(p, grin, QColor(120, 20, 40), 1.2);
    // Keypad.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 3 && col == 1 ? QColor(255, 80, 80) : QColor(255, 235, 200));
            p.drawRoundedRect(QRectF(-8.5 + col * 6.3, 1 + row * 4.8, 4.4, 3.4), 1.2, 1.2);
        }
    Shine(p, QPointF(-9, -21), 3, 1.5, -90, 200);
    p.restore();
    // Arm waving forward.
    p.setPen(InkPen(2.4));
    p.drawLine(QPointF(43, 30), QPointF(52, 26));
    FillOutlined(p, Circle(QPointF(53, 25), 2.8), QColor(255, 240, 220), 1.4);
}

// ---- 12 Blue ghost ----------------------------------------------------------------------------

void BlueGhost(QPainter& p) {
    GroundShadow(p, QPointF(36, 60), 16, 3, 40);
    const QColor blue(110, 190, 255);
    QPainterPath ghost;
    ghost.moveTo(20, 32);
    ghost.cubicTo(20, 10, 54, 6, 56, 28);
    ghost.cubicTo(57, 38, 54, 46, 50, 50);
    // Wavy hem streaming back to the left.
    ghost.cubicTo(46, 54, 42, 48, 38, 53);
    ghost.cubicTo(34, 57, 30, 50, 25, 54);
    ghost.cubicTo(18, 58, 12, 54, 4, 56);
    ghost.cubicTo(10, 50, 16, 46, 20, 32);
    ghost.closeSubpath();
    FillOutlined(p, ghost, BallBrush(QPointF(38, 28), 26, blue), 2.2);
    Shine(p, QPointF(30, 17), 6, 3);
    // Little arms reaching forward.
    QPainterPath arm;
    arm.moveTo(52, 36);
    arm.cubicTo(58, 33, 62, 36, 60, 39);
    arm.cubicTo(58, 41, 55, 40, 53, 41);
    FillOutlined(p, arm, blue, 1.8);
    // Eyes and a round "oooh" mouth.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(40, 26), 3, 4.6);
    p.drawEllipse(QPointF(50, 26), 2.6, 4.2);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(40.8, 24.2), 1.2, 1.4);
    p.drawEllipse(QPointF(50.7, 24.2), 1.0, 1.3);
    FillOutlined(p, Circle(QPointF(46, 36), 3.2), QColor(40, 60, 120), 1.4);
    Blush(p, QPointF(35, 32), 3, 2);
    SpeedLines(p, 14, {20, 30}, 9, QColor(180, 225, 255), 2.0);
}

// ---- 13 Po4: a bouncy jelly blob --------------------------------------------------------------

void Po4(QPainter& p) {
    GroundShadow(p, QPointF(38, 60), 18, 3.5);
    // Bounce trail behind it.
    p.setBrush(Qt::NoBrush);
    QPen dash = InkPen(1.8, QColor(140, 220, 90));
    dash.setDashPattern({2.0, 2.0});
    p.setPen(dash);
    QPainterPath trail;
    trail.moveTo(2, 56);
    trail.quadTo(9, 26, 18, 52);
    p.drawPath(trail);

    const QColor lime(130, 220, 70);
    QPainterPath blob;
    blob.moveTo(18, 56);
    blob.cubicTo(14, 40, 24, 16, 40, 16);
    blob.cubicTo(54, 16, 62, 36, 60, 52);
    blob.cubicTo(59, 58, 24, 59, 18, 56);
    blob.closeSubpath();
    FillOutlined(p, blob, BallBrush(QPointF(40, 36), 24, lime), 2.2);
    Shine(p, QPointF(30, 26), 6, 3.2);
    Shine(p, QPointF(24, 37), 1.8, 1.8, 0, 220);
    // Happy squint eyes and open mouth.
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(2.0));
    p.drawArc(QRectF(40, 29, 7, 7), 20 * 16, 140 * 16);
    p.drawArc(QRectF(50, 29, 6, 6), 20 * 16, 140 * 16);
    QPainterPath mouth;
    mouth.moveTo(43, 40);
    mouth.quadTo(49, 50, 55, 40);
    mouth.closeSubpath();
    FillOutlined(p, mouth, QColor(120, 20, 40), 1.6);
    Blush(p, QPointF(39, 39), 3, 2);
    // Springy lines under the bounce.
    p.setPen(InkPen(1.6, QColor(90, 160, 50)));
    p.drawLine(QPointF(30, 62), QPointF(34, 62));
    p.drawLine(QPointF(44, 62), QPointF(48, 62));
}

// ---- 21 The charging fighter ------------------------------------------------------------------

void Charger(QPainter& p) {
    GroundShadow(p, QPointF(34, 60), 22, 4);
    const QColor skin(255, 214, 170);
    const QColor gi(245, 245, 255);
    SpeedLines(p, 12, {30, 40, 50}, 9, QColor(200, 200, 230), 2.2);
    // Legs mid-stride.
    p.setPen(InkPen(4.4));
    p.drawLine(QPointF(30, 46), QPointF(19, 56));
    p.drawLine(QPointF(36, 46), QPointF(45, 57));
    p.setPen(InkPen(4.4, QColor(80, 60, 50)));
    p.drawLine(QPointF(17, 57), QPointF(21, 57));
    p.drawLine(QPointF(45, 58), QPointF(50, 58));
    // Body leaning forward.
    p.save();
    p.translate(33, 40);
    p.rotate(22);
    FillOutlined(p, RoundRect(QRectF(-8, -10, 16, 18), 5), BodyBrush(-10, 8, gi), 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 60));
    p.drawRect(QRectF(-8, 3, 16, 3));  // black belt
    p.restore();
    // Punching arm and fist.
    p.setPen(InkPen(5.2));
    p.drawLine(QPointF(38, 35), QPointF(54, 33));
    p.setPen(InkPen(3.0, gi));
    p.drawLine(QPointF(38, 35), QPointF(52, 33));
    FillOutlined(p, Circle(QPointF(57, 32.5), 5), BallBrush(QPointF(57, 32.5), 5, skin), 1.8);
    // Headband tails flying back.
    QPainterPath tails;
    tails.moveTo(24, 16);
    tails.cubicTo(16, 10, 10, 18, 3, 12);
    tails.cubicTo(8, 20, 16, 20, 24, 20);
    tails.moveTo(24, 19);
    tails.cubicTo(16, 22, 10, 28, 4, 25);
    tails.cubicTo(10, 31, 18, 26, 24, 22);
    FillOutlined(p, tails, QColor(230, 40, 50), 1.6);
    // Head with headband.
    const QPointF hc(36, 20);
    FillOutlined(p, Circle(hc, 12.5), BallBrush(hc, 12.5, skin), 2.0);
    p.save();
    p.setClipPath(Circle(hc, 12.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 40));
    p.drawRect(QRectF(22, 4, 28, 9));  // hair
    p.setBrush(QColor(230, 40, 50));
    p.drawRect(QRectF(22, 12, 28, 5));
    p.restore();
    p.setPen(InkPen(2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(hc, 12.5, 12.5);
    // Determined eye and brow, shouting mouth.
    p.setPen(InkPen(2.2));
    p.drawLine(QPointF(39, 19), QPointF(46, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(44, 23.5), 2, 2.4);
    QPainterPath shout;
    shout.moveTo(40, 28);
    shout.lineTo(47, 27);
    shout.lineTo(44, 31);
    shout.closeSubpath();
    FillOutlined(p, shout, QColor(120, 20, 40), 1.4);
}

// ---- 22 DabuDabu: chubby in baggy trousers ----------------------------------------------------

void DabuDabu(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 24, 4);
    const QColor skin(255, 200, 170);
    const QColor denim(70, 120, 205);
    // Big round body.
    const QPointF bc(32, 32);
    FillOutlined(p, Circle(bc, 22), BallBrush(bc, 22, skin), 2.2);
    // Striped shirt stretched over the belly.
    p.save();
    p.setClipPath(Circle(bc, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 110, 90));
    p.drawRect(QRectF(8, 29, 50, 12));
    p.setBrush(QColor(255, 240, 220));
    p.drawRect(QRectF(8, 32, 50, 2.5));
    p.drawRect(QRectF(8, 37, 50, 2.5));
    p.restore();
    p.setPen(InkPen(1.6));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(11, 29), QPointF(53, 29));
    // Baggy trousers: wide, sagging, cuffs piled on the shoes.
    QPainterPath pants;
    pants.moveTo(10, 34);
    pants.cubicTo(8, 46, 8, 54, 12, 58);
    pants.lineTo(29, 58);
    pants.lineTo(32, 50);
    pants.lineTo(35, 58);
    pants.lineTo(53, 58);
    pants.cubicTo(57, 54, 57, 46, 54, 34);
    pants.cubicTo(42, 38, 22, 38, 10, 34);
    pants.closeSubpath();
    FillOutlined(p, pants, BodyBrush(34, 58, denim), 2.2);
    p.setPen(InkPen(1.2, Mix(denim, kInk, 0.5)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 42, 10, 6), 200 * 16, 140 * 16);  // folds
    p.drawArc(QRectF(14, 48, 12, 6), 200 * 16, 140 * 16);
    p.drawArc(QRectF(40, 44, 11, 6), 200 * 16, 140 * 16);
    p.drawArc(QRectF(39, 50, 12, 6), 200 * 16, 140 * 16);
    // Suspenders and buttons.
    p.setPen(InkPen(2.6, QColor(255, 200, 60)));
    p.drawLine(QPointF(22, 36.5), QPointF(24, 14));
    p.drawLine(QPointF(42, 36.5), QPointF(42, 14));
    FillOutlined(p, Circle(QPointF(22, 37), 2), QColor(255, 200, 60), 1.2);
    FillOutlined(p, Circle(QPointF(42, 37), 2), QColor(255, 200, 60), 1.2);
    // Shoes peeking out.
    FillOutlined(p, RoundRect(QRectF(14, 56, 13, 6), 3), QColor(120, 70, 50), 1.6);
    FillOutlined(p, RoundRect(QRectF(38, 56, 15, 6), 3), QColor(120, 70, 50), 1.6);
    // Contented face near the top right.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(39, 19), 2.2, 2.8);
    p.drawEllipse(QPointF(48, 19), 1.9, 2.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(38.4, 18), 0.8, 0.8);
    p.drawEllipse(QPointF(47.5, 18), 0.7, 0.7);
    QPainterPath smile;
    smile.moveTo(39, 24);
    smile.quadTo(44, 29, 49, 23.5);
    smile.closeSubpath();
    FillOutlined(p, smile, QColor(120, 20, 40), 1.5);
    Blush(p, QPointF(35, 27), 3.5, 2.2);
    Blush(p, QPointF(51, 26), 2.5, 2);
    Shine(p, QPointF(20, 18), 5, 3);
    FillOutlined(p, Circle(QPointF(11, 28), 4.5), skin, 1.8);  // hand at the side
}

// ---- 31 PinkMoai ------------------------------------------------------------------------------

void PinkMoai(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 22, 4);
    const QColor pink(255, 140, 190);
    // Profile facing right: flat top, heavy brow, long nose, pursed lips, jutting chin.
    QPainterPath head;
    head.moveTo(16, 58);
    head.lineTo(14, 14);
    head.cubicTo(14, 6, 22, 3, 34, 3);
    head.lineTo(44, 4);
    head.cubicTo(48, 5, 49, 10, 48, 14);
    head.lineTo(52, 17);  // brow
    head.lineTo(50, 21);
    head.lineTo(58, 33);  // nose tip
    head.cubicTo(58, 36, 54, 37, 51, 36);
    head.lineTo(54, 40);  // upper lip
    head.lineTo(51, 42);
    head.lineTo(54, 45);  // lower lip
    head.lineTo(50, 48);
    head.lineTo(52, 53);  // chin
    head.lineTo(46, 58);
    head.closeSubpath();
    FillOutlined(p, head, BodyBrush(3, 58, pink), 2.2);
    // Shadows of the brow and cheek carve the face.
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Mix(pink, kInk, 0.45), 150));
    QPainterPath socket;
    socket.moveTo(35, 18);
    socket.lineTo(49, 19);
    socket.lineTo(47, 24);
    socket.cubicTo(42, 26, 37, 24, 35, 18);
    p.drawPath(socket);
    p.drawRect(QRectF(16, 10, 3, 44));
    QPainterPath cheek;
    cheek.moveTo(36, 30);
    cheek.cubicTo(40, 40, 40, 46, 44, 52);
    cheek.lineTo(40, 52);
    cheek.cubicTo(37, 44, 35, 38, 36, 30);
    p.drawPath(cheek);
    // Ear and stone cracks.
    FillOutlined(p, RoundRect(QRectF(22, 18, 6, 18), 3), Mix(pink, kInk, 0.15), 1.6);
    p.setPen(InkPen(1.0, Mix(pink, kInk, 0.55)));
    p.drawLine(QPointF(27, 44), QPointF(30, 48));
    p.drawLine(QPointF(30, 48), QPointF(28, 52));
    p.drawLine(QPointF(30, 8), QPointF(33, 11));
    // A determined eye under the brow, and a happy blush.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(44, 21.5), 2.2, 1.6);
    Blush(p, QPointF(44, 33), 3, 2);
    Shine(p, QPointF(26, 8), 5, 2, -10, 150);
    Sparkle(p, QPointF(8, 10), 4, QColor(255, 220, 120));
    Sparkle(p, QPointF(6, 40), 2.6, QColor(255, 240, 180));
}

// ---- 32 CrazyPiraBall -------------------------------------------------------------------------

void PiraBall(QPainter& p) {
    GroundShadow(p, QPointF(34, 60), 22, 4);
    const QColor scales(70, 150, 170);
    const QColor belly(255, 90, 70);
    // Tail and dorsal fin behind the body.
    QPainterPath tail;
    tail.moveTo(14, 34);
    tail.lineTo(2, 22);
    tail.lineTo(5, 34);
    tail.lineTo(2, 46);
    tail.closeSubpath();
    FillOutlined(p, tail, Mix(scales, kInk, 0.2), 1.8);
    QPainterPath fin;
    fin.moveTo(22, 16);
    fin.lineTo(26, 4);
    fin.lineTo(31, 11);
    fin.lineTo(36, 2);
    fin.lineTo(40, 13);
    fin.closeSubpath();
    FillOutlined(p, fin, Mix(scales, kInk, 0.2), 1.8);
    // Body: blue-green back, red belly.
    const QPointF c(32, 34);
    const double r = 21;
    FillOutlined(p, Circle(c, r), BallBrush(c, r, scales), 2.2);
    p.save();
    p.setClipPath(Circle(c, r));
    p.setPen(Qt::NoPen);
    p.setBrush(BallBrush(c, r, belly));
    p.drawEllipse(QPointF(30, 56), 24, 16);
    p.restore();
    // Gaping jaws facing right, lined with teeth.
    QPainterPath jaws;
    jaws.moveTo(34, 34);
    jaws.lineTo(56, 22);
    jaws.cubicTo(60, 30, 60, 40, 56, 46);
    jaws.closeSubpath();
    FillOutlined(p, jaws, QColor(110, 10, 30), 2.0);
    p.setPen(InkPen(1.0));
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) {
        const double t = 0.25 + 0.2 * i;
        const QPointF top = QPointF(34, 34) + (QPointF(56, 22) - QPointF(34, 34)) * t;
        const QPointF bot = QPointF(34, 34) + (QPointF(56, 46) - QPointF(34, 34)) * t;
        QPainterPath tooth;
        tooth.moveTo(top + QPointF(-2.2, -1.2));
        tooth.lineTo(top + QPointF(2.2, -2.4));
        tooth.lineTo(top + QPointF(0.8, 4.5));
        tooth.closeSubpath();
        tooth.moveTo(bot + QPointF(-2.2, 1.2));
        tooth.lineTo(bot + QPointF(2.2, 2.4));
        tooth.lineTo(bot + QPointF(0.8, -4.5));
        tooth.closeSubpath();
        p.drawPath(tooth);
    }
    // Mean little eye.
    Eye(p, QPointF(38, 22), 5, 5, QPointF(0.6, 0.2), 2.2, 1.6);
    p.setPen(InkPen(2.2));
    p.drawLine(QPointF(32, 16), QPointF(43, 19));
    Shine(p, QPointF(22, 24), 4, 2.5);
    // Side fin.
    QPainterPath side;
    side.moveTo(24, 38);
    side.lineTo(16, 44);
    side.lineTo(26, 45);
    side.closeSubpath();
    FillOutlined(p, side, Mix(belly, kInk, 0.15), 1.6);
}

// ---- 41 ColorBubbles --------------------------------------------------------------------------

void Bubble(QPainter& p, QPointF c, double r, const QColor& tint) {
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.35), r * 1.2);
    g.setColorAt(0.0, QColor(255, 255, 255, 230));
    g.setColorAt(0.5, WithAlpha(Mix(tint, Qt::white, 0.3), 215));
    g.setColorAt(1.0, WithAlpha(tint, 245));
    FillOutlined(p, Circle(c, r), QBrush(g), r > 8 ? 2.0 : 1.5);
    Shine(p, c + QPointF(-r * 0.38, -r * 0.4), r * 0.3, r * 0.17, -40, 230);
}

void ColorBubbles(QPainter& p) {
    GroundShadow(p, QPointF(34, 60), 22, 4);
    Bubble(p, QPointF(6, 16), 3, QColor(120, 220, 255));
    Bubble(p, QPointF(11, 8), 2.2, QColor(255, 150, 200));
    Bubble(p, QPointF(16, 44), 10, QColor(255, 80, 90));
    Bubble(p, QPointF(22, 24), 9, QColor(255, 215, 50));
    Bubble(p, QPointF(30, 50), 8, QColor(90, 210, 110));
    Bubble(p, QPointF(36, 14), 7, QColor(170, 110, 255));
    Bubble(p, QPointF(42, 36), 17, QColor(60, 175, 255));
    // The leader's face.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(46, 32), 2.6, 3.4);
    p.drawEllipse(QPointF(54, 32), 2.2, 3.0);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(45.3, 30.8), 1.0, 1.0);
    p.drawEllipse(QPointF(53.5, 30.8), 0.9, 0.9);
    p.setPen(InkPen(1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(46, 35, 9, 6), 200 * 16, 140 * 16);
    Blush(p, QPointF(43, 39), 2.8, 1.8);
}

// ---- 42 WarubireBall: brazen and not sorry ----------------------------------------------------

void WarubireBall(QPainter& p) {
    GroundShadow(p, QPointF(33, 60), 22, 4);
    const QColor amber(255, 150, 40);
    const QPointF c(32, 34);
    const double r = 22;
    SpeedLines(p, 9, {28, 38}, 7, QColor(255, 200, 140), 2.0);
    FillOutlined(p, Circle(c, r), BallBrush(c, r, amber), 2.2);
    Shine(p, QPointF(21, 22), 5, 3);
    // Sticking plaster from the last scrape, worn with pride.
    p.save();
    p.translate(22, 17);
    p.rotate(-30);
    FillOutlined(p, RoundRect(QRectF(-7, -2.5, 14, 5), 2.5), QColor(255, 225, 185), 1.3);
    p.setPen(InkPen(0.8, QColor(200, 150, 110)));
    p.drawLine(QPointF(-2, -1.5), QPointF(-2, 1.5));
    p.drawLine(QPointF(2, -1.5), QPointF(2, 1.5));
    p.restore();
    // One raised brow above the shades.
    p.setPen(InkPen(2.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(38, 15, 9, 6), 20 * 16, 140 * 16);
    // Sunglasses.
    QPainterPath shades;
    shades.addRoundedRect(QRectF(34, 22, 11, 8), 3, 3);
    shades.addRoundedRect(QRectF(47, 22, 9, 8), 3, 3);
    FillOutlined(p, shades, QColor(30, 25, 45), 1.6);
    p.setPen(InkPen(1.8));
    p.drawLine(QPointF(45, 24), QPointF(47, 24));
    p.drawLine(QPointF(34, 24), QPointF(24, 26));
    p.setPen(InkPen(1.2, QColor(140, 200, 255)));
    p.drawLine(QPointF(36, 27), QPointF(39, 24));
    p.drawLine(QPointF(49, 27), QPointF(51.5, 24.5));
    // Lopsided smirk with a gum bubble.
    p.setPen(InkPen(2.0));
    QPainterPath smirk;
    smirk.moveTo(38, 42);
    smirk.cubicTo(42, 44, 46, 43, 51, 38);
    p.drawPath(smirk);
    QRadialGradient gum(QPointF(54, 41), 7);
    gum.setColorAt(0, QColor(255, 210, 230));
    gum.setColorAt(1, QColor(255, 120, 180));
    FillOutlined(p, Circle(QPointF(55, 42), 6.5), QBrush(gum), 1.6);
    Shine(p, QPointF(53, 39.5), 1.8, 1.0, -40, 230);
}

// ---- 51-53 the silly shapes -------------------------------------------------------------------

void StickLegs(QPainter& p, QPointF a, QPointF b, double footY) {
    p.setPen(InkPen(2.4));
    p.drawLine(a, QPointF(a.x() - 4, footY));
    p.drawLine(b, QPointF(b.x() + 4, footY));
    p.setPen(InkPen(3.6));
    p.drawLine(QPointF(a.x() - 8, footY), QPointF(a.x() - 3, footY));
    p.drawLine(QPointF(b.x() + 3, footY), QPointF(b.x() + 8, footY));
}

void Tongue(QPainter& p, QPointF tip, double w, double h) {
    QPainterPath t;
    t.moveTo(tip + QPointF(-w / 2, -h));
    t.lineTo(tip + QPointF(-w / 2, -h * 0.3));
    t.cubicTo(tip + QPointF(-w / 2, h * 0.2), tip + QPointF(w / 2, h * 0.2), tip + QPointF(w / 2, -h * 0.3));
    t.lineTo(tip + QPointF(w / 2, -h));
    FillOutlined(p, t, QColor(255, 110, 140), 1.4);
}

void SillyTriangle(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 20, 4);
    StickLegs(p, QPointF(24, 50), QPointF(40, 50), 58);
    const QColor mint(90, 225, 175);
    p.save();
    p.translate(32, 34);
    p.rotate(9);
    QPainterPath tri;
    tri.moveTo(0, -28);
    tri.lineTo(24, 16);
    tri.lineTo(-24, 16);
    tri.closeSubpath();
    QPen pen = InkPen(2.4);
    p.setPen(pen);
    p.setBrush(BodyBrush(-28, 16, mint));
    p.drawPath(tri);
    Shine(p, QPointF(-6, -12), 4, 2, -60);
    // Eyes that disagree about where to look.
    Eye(p, QPointF(-1, -2), 5.2, 5.6, QPointF(-0.4, -0.6), 2.2);
    Eye(p, QPointF(10, -1), 4.6, 5.0, QPointF(0.7, 0.4), 2.0);
    QPainterPath mouth;
    mouth.moveTo(0, 6);
    mouth.quadTo(8, 12, 14, 5);
    p.setPen(InkPen(1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
    Tongue(p, QPointF(10, 13), 5, 5);
    p.restore();
}

void SillySnowman(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 20, 4);
    const QColor snow(245, 250, 255);
    // Flailing twig arms.
    p.setPen(InkPen(2.0, QColor(120, 80, 50)));
    p.drawLine(QPointF(18, 40), QPointF(5, 30));
    p.drawLine(QPointF(9, 33), QPointF(6, 27));
    p.drawLine(QPointF(45, 40), QPointF(57, 46));
    p.drawLine(QPointF(53, 44), QPointF(56, 50));
    FillOutlined(p, Circle(QPointF(31, 45), 15), BallBrush(QPointF(31, 45), 15, snow), 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(33, 41), 1.6, 1.6);
    p.drawEllipse(QPointF(34, 48), 1.6, 1.6);
    p.save();
    p.translate(32, 22);
    p.rotate(-12);  // head wobbling off balance
    FillOutlined(p, Circle(QPointF(0, 0), 11), BallBrush(QPointF(0, 0), 11, snow), 2.2);
    // Scarf.
    FillOutlined(p, RoundRect(QRectF(-10, 8, 20, 5), 2.5), QColor(230, 50, 60), 1.6);
    // Bucket hat, askew.
    QPainterPath bucket;
    bucket.moveTo(-9, -8);
    bucket.lineTo(-6, -19);
    bucket.lineTo(6, -19);
    bucket.lineTo(9, -8);
    bucket.closeSubpath();
    p.save();
    p.rotate(18);
    FillOutlined(p, bucket, BodyBrush(-19, -8, QColor(90, 140, 240)), 1.8);
    p.restore();
    // Googly eyes, carrot nose pointing ahead, goofy grin.
    Eye(p, QPointF(1, -2), 3.8, 4.2, QPointF(0.8, -0.6), 1.8, 1.4);
    Eye(p, QPointF(8, -1), 3.2, 3.6, QPointF(-0.5, 0.6), 1.5, 1.4);
    QPainterPath carrot;
    carrot.moveTo(6, 2);
    carrot.lineTo(22, 6);
    carrot.lineTo(6, 6);
    carrot.closeSubpath();
    FillOutlined(p, carrot, QColor(255, 140, 30), 1.4);
    p.setPen(InkPen(1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-4, 1, 10, 6), 200 * 16, 140 * 16);
    p.restore();
    FillOutlined(p, RoundRect(QRectF(20, 30, 6, 11), 2.5), QColor(230, 50, 60), 1.4);  // scarf end
}

void SillySquare(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 20, 4);
    StickLegs(p, QPointF(24, 50), QPointF(40, 50), 58);
    const QColor gold(255, 212, 60);
    p.save();
    p.translate(32, 31);
    p.rotate(-7);
    // Slightly wobbly sides: it tries to be a square.
    QPainterPath sq;
    sq.moveTo(-20, -20);
    sq.quadTo(0, -23, 20, -20);
    sq.quadTo(23, 0, 20, 20);
    sq.quadTo(0, 22, -20, 20);
    sq.quadTo(-22, 0, -20, -20);
    sq.closeSubpath();
    p.setPen(InkPen(2.4));
    p.setBrush(BodyBrush(-22, 22, gold));
    p.drawPath(sq);
    Shine(p, QPointF(-12, -13), 4.5, 2.2, -20);
    Eye(p, QPointF(4, -6), 7, 7.5, QPointF(0.5, 0.5), 2.6);
    Eye(p, QPointF(15, -6), 3.8, 4.2, QPointF(0.2, -0.7), 1.7);
    // Gaping mouth with one lonely tooth.
    QPainterPath mouth;
    mouth.addEllipse(QPointF(10, 9), 6, 5);
    FillOutlined(p, mouth, QColor(120, 20, 40), 1.6);
    p.setPen(InkPen(0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4.2, 3.4, 3.2));
    // Sweat drop of confusion.
    QPainterPath drop;
    drop.moveTo(-14, -2);
    drop.cubicTo(-18, 5, -17, 8, -14, 8);
    drop.cubicTo(-11, 8, -10, 5, -14, -2);
    FillOutlined(p, drop, QColor(170, 225, 255), 1.2);
    p.restore();
}

// ---- BOSS: menacing, facing left --------------------------------------------------------------

void Boss(QPainter& p) {
    GroundShadow(p, QPointF(32, 60), 24, 4, 90);
    const QColor body(112, 52, 150);
    // Dark aura.
    QRadialGradient aura(QPointF(32, 33), 32);
    aura.setColorAt(0.55, QColor(200, 40, 80, 90));
    aura.setColorAt(1.0, QColor(200, 40, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(aura);
    p.drawEllipse(QPointF(32, 33), 31, 29);
    // Horns.
    QPainterPath horns;
    horns.moveTo(20, 16);
    horns.cubicTo(12, 10, 12, 2, 16, 0.5);
    horns.cubicTo(18, 6, 22, 9, 28, 11);
    horns.closeSubpath();
    horns.moveTo(42, 13);
    horns.cubicTo(48, 8, 50, 2, 48, 0.5);
    horns.cubicTo(52, 4, 54, 12, 48, 20);
    horns.closeSubpath();
    FillOutlined(p, horns, BodyBrush(0, 20, QColor(255, 215, 90)), 1.8);
    // Spiked body.
    const QPointF c(33, 35);
    QPainterPath spiky = StarPath(c, 27, 21, 14, -90 + 180.0 / 14);
    FillOutlined(p, spiky, BallBrush(c, 26, body), 2.2);
    Shine(p, c + QPointF(-2, -13), 6, 2.5, -10, 110);
    // Furious brows and glowing eyes, looking left.
    QPainterPath brows;
    brows.moveTo(12, 22);
    brows.lineTo(26, 28);
    brows.lineTo(27, 24);
    brows.closeSubpath();
    brows.moveTo(31, 28);
    brows.lineTo(42, 23);
    brows.lineTo(42, 27);
    brows.closeSubpath();
    FillOutlined(p, brows, kInk, 1.2);
    QRadialGradient glow(QPointF(20, 31), 8);
    glow.setColorAt(0, QColor(255, 255, 160));
    glow.setColorAt(0.5, QColor(255, 60, 40));
    glow.setColorAt(1, QColor(160, 0, 20));
    QPainterPath eyes;
    eyes.moveTo(13, 29);
    eyes.lineTo(26, 31);
    eyes.lineTo(18, 36);
    eyes.closeSubpath();
    eyes.moveTo(31, 31);
    eyes.lineTo(40, 29);
    eyes.lineTo(37, 35);
    eyes.closeSubpath();
    FillOutlined(p, eyes, QBrush(glow), 1.4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 220));
    p.drawEllipse(QPointF(17, 31.5), 1.4, 1.4);
    p.drawEllipse(QPointF(33.5, 31.5), 1.1, 1.1);
    // Jagged grin with fangs, wider toward the front (left).
    QPainterPath mouth;
    mouth.moveTo(11, 41);
    mouth.cubicTo(20, 45, 32, 45, 42, 41);
    mouth.cubicTo(36, 53, 18, 54, 11, 41);
    mouth.closeSubpath();
    FillOutlined(p, mouth, QColor(90, 0, 20), 1.8);
    p.setPen(InkPen(0.9));
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) {
        const double x = 14 + i * 6;
        const double y = 42.2 + (i == 0 || i == 4 ? -0.3 : 1.0);
        QPainterPath fang;
        fang.moveTo(x - 2.2, y);
        fang.lineTo(x + 2.2, y);
        fang.lineTo(x, y + (i % 2 ? 3.5 : 5.5));
        fang.closeSubpath();
        p.drawPath(fang);
    }
    SpeedLines(p, 64, {18, 50}, 6, QColor(200, 120, 255, 160), 2.0);
}

PictureRecipe Sprite(const QString& name, std::function<void(QPainter&)> draw) {
    return PictureRecipe{name, QSize(64, 64), false, std::move(draw)};
}

}  // namespace

std::vector<PictureRecipe> CharacterPictures() {
    return {
        Sprite("1", [](QPainter& p) { CrazyBall(p, QColor(240, 60, 60), BallMood::Wild); }),
        Sprite("2", [](QPainter& p) { CrazyBall(p, QColor(165, 85, 225), BallMood::Dizzy); }),
        Sprite("3", [](QPainter& p) { CrazyBall(p, QColor(50, 120, 235), BallMood::Cool); }),
        Sprite("4", Mouse),
        Sprite("5", Ponpy),
        Sprite("11", CrazyPhone),
        Sprite("12", BlueGhost),
        Sprite("13", Po4),
        Sprite("21", Charger),
        Sprite("22", DabuDabu),
        Sprite("31", PinkMoai),
        Sprite("32", PiraBall),
        Sprite("41", ColorBubbles),
        Sprite("42", WarubireBall),
        Sprite("51", SillyTriangle),
        Sprite("52", SillySnowman),
        Sprite("53", SillySquare),
        Sprite("BOSS", Boss),
    };
}

}  // namespace kd::assetgen
