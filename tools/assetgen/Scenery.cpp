// Backgrounds and props. Where the screens put text, the picture stays calm and keeps the
// contrast the text colours need; the busy details live at the edges.
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <map>
#include <vector>

#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Style.h"

namespace kd::assetgen {
namespace {

const QColor kTrackRed(214, 98, 62);
const QColor kGrass(92, 196, 90);

void FillGradient(QPainter& p, const QRectF& r, QPointF from, QPointF to,
                  std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient g(from, to);
    for (const auto& [at, c] : stops) g.setColorAt(at, c);
    p.fillRect(r, g);
}

void DiagonalStripes(QPainter& p, const QRectF& r, double gap, double width, const QColor& c) {
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.setPen(QPen(c, width));
    for (double x = r.left() - r.height(); x < r.right(); x += gap)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    p.restore();
}

// A point anywhere in r. y is drawn before x, spelt out rather than left to the order in which
// a compiler evaluates arguments, so every compiler makes the committed pictures.
QPointF RandomPoint(Lcg& rnd, const QRectF& r) {
    const double y = rnd.Uniform(r.top(), r.bottom());
    const double x = rnd.Uniform(r.left(), r.right());
    return {x, y};
}

void Bokeh(QPainter& p, const QRectF& r, int count, std::uint32_t seed, double rMin, double rMax, int alpha) {
    static const QColor tints[] = {QColor(255, 120, 180), QColor(120, 210, 255), QColor(255, 220, 100),
                                   QColor(150, 255, 170), QColor(200, 150, 255)};
    Lcg rnd(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPoint(rnd, r);
        const double rad = rnd.Uniform(rMin, rMax);
        QRadialGradient g(c, rad);
        const QColor t = tints[rnd.Below(5)];
        g.setColorAt(0.0, WithAlpha(t, alpha));
        g.setColorAt(0.8, WithAlpha(t, alpha / 2));
        g.setColorAt(1.0, WithAlpha(t, 0));
        p.setBrush(g);
        p.drawEllipse(c, rad, rad);
    }
}

void Stars(QPainter& p, const QRectF& r, int count, std::uint32_t seed, double maxR) {
    Lcg rnd(seed);
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPoint(rnd, r);
        const double rad = rnd.Uniform(0.6, maxR);
        const int a = 120 + rnd.Below(120);
        if (rad > maxR * 0.7)
            Sparkle(p, c, rad * 2.2, QColor(255, 250, 220, a));
        else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 240, a));
            p.drawEllipse(c, rad * 0.7, rad * 0.7);
        }
    }
}

// Letters drawn as strokes on a unit square, so a key's label looks the same on every machine
// whatever fonts it has.
const std::vector<std::vector<QPointF>>& LetterStrokes(char letter) {
    static const std::map<char, std::vector<std::vector<QPointF>>> strokes = {
        {'A', {{{0, 1}, {0.5, 0}, {1, 1}}, {{0.22, 0.62}, {0.78, 0.62}}}},
        {'D', {{{0, 0}, {0, 1}, {0.5, 1}, {0.88, 0.82}, {1, 0.5}, {0.88, 0.18}, {0.5, 0}, {0, 0}}}},
        {'E', {{{1, 0}, {0, 0}, {0, 1}, {1, 1}}, {{0, 0.5}, {0.75, 0.5}}}},
        {'F', {{{1, 0}, {0, 0}, {0, 1}}, {{0, 0.5}, {0.75, 0.5}}}},
        {'J', {{{1, 0}, {1, 0.72}, {0.82, 0.96}, {0.5, 1}, {0.18, 0.96}, {0, 0.74}}}},
        {'K', {{{0, 0}, {0, 1}}, {{1, 0}, {0, 0.62}}, {{0.32, 0.42}, {1, 1}}}},
        {'L', {{{0, 0}, {0, 1}, {1, 1}}}},
        {'S',
         {{{1, 0.14},
           {0.74, 0},
           {0.26, 0},
           {0.02, 0.16},
           {0.08, 0.4},
           {0.92, 0.6},
           {0.98, 0.84},
           {0.74, 1},
           {0.26, 1},
           {0, 0.86}}}},
        {'T', {{{0, 0}, {1, 0}}, {{0.5, 0}, {0.5, 1}}}},
        {'W', {{{0, 0}, {0.24, 1}, {0.5, 0.36}, {0.76, 1}, {1, 0}}}},
        {'Y', {{{0, 0}, {0.5, 0.5}, {1, 0}}, {{0.5, 0.5}, {0.5, 1}}}},
        {'Z', {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}},
    };
    static const std::vector<std::vector<QPointF>> none;
    const auto it = strokes.find(letter);
    return it == strokes.end() ? none : it->second;
}

// A keyboard key with its letter, the game's recurring motif.
void Keycap(QPainter& p, const QRectF& r, const QColor& c, char letter, double lineWidth = 1.6) {
    FillOutlined(p, RoundRect(r, r.width() * 0.2), Mix(c, kInk, 0.25), lineWidth);
    const QRectF top = r.adjusted(r.width() * 0.14, r.height() * 0.08, -r.width() * 0.14, -r.height() * 0.26);
    p.setPen(Qt::NoPen);
    p.setBrush(BodyBrush(top.top(), top.bottom(), Mix(c, Qt::white, 0.25)));
    p.drawRoundedRect(top, top.width() * 0.18, top.width() * 0.18);
    const double size = top.height() * 0.56;
    QRectF glyph(0, 0, size * 0.78, size);
    glyph.moveCenter(top.center());
    p.setPen(InkPen(std::max(0.9, r.width() * 0.07), Mix(c, kInk, 0.75)));
    p.setBrush(Qt::NoBrush);
    for (const auto& stroke : LetterStrokes(letter)) {
        QPainterPath path;
        for (size_t i = 0; i < stroke.size(); ++i) {
            const QPointF at(glyph.left() + stroke[i].x() * glyph.width(),
                             glyph.top() + stroke[i].y() * glyph.height());
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.drawPath(path);
    }
}

// The home row and its neighbours, handed out in turn to the keys of one picture.
char KeyLetter(int index) {
    static const char letters[] = "ASDFJKLEWTYZ";
    return letters[index % (sizeof(letters) - 1)];
}

void Cloud(QPainter& p, QPointF at, double s, int alpha = 235) {
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    cloud.addEllipse(at + QPointF(0, 0) * s, 14 * s, 10 * s);
    cloud.addEllipse(at + QPointF(14, -6) * s, 14 * s, 13 * s);
    cloud.addEllipse(at + QPointF(30, 0) * s, 14 * s, 10 * s);
    cloud.addRoundedRect(QRectF(at + QPointF(-10, 0) * s, QSizeF(50 * s, 10 * s)), 5 * s, 5 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, alpha));
    p.drawPath(cloud.simplified());
}

QPainterPath Hills(double left, double right, double baseY, double bottom,
                   std::initializer_list<QPointF> peaks) {
    QPainterPath path;
    path.moveTo(left, bottom);
    path.lineTo(left, baseY);
    QPointF last(left, baseY);
    for (const QPointF& pk : peaks) {
        const double midX = (last.x() + pk.x()) / 2;
        path.cubicTo(QPointF(midX, last.y()), QPointF(midX, pk.y()), pk);
        last = pk;
    }
    const double midX = (last.x() + right) / 2;
    path.cubicTo(QPointF(midX, last.y()), QPointF(midX, baseY), QPointF(right, baseY));
    path.lineTo(right, bottom);
    path.closeSubpath();
    return path;
}

void Flowers(QPainter& p, const QRectF& r, int count, std::uint32_t seed) {
    static const QColor petals[] = {QColor(255, 255, 255), QColor(255, 220, 80), QColor(255, 140, 190)};
    Lcg rnd(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPoint(rnd, r);
        if (rnd.Below(3) == 0) {
            p.setBrush(QColor(60, 150, 60, 160));  // tuft of grass
            QPainterPath tuft;
            tuft.moveTo(c + QPointF(-3, 2));
            tuft.lineTo(c + QPointF(-1.5, -3));
            tuft.lineTo(c + QPointF(0, 1));
            tuft.lineTo(c + QPointF(1.5, -3.5));
            tuft.lineTo(c + QPointF(3, 2));
            tuft.closeSubpath();
            p.drawPath(tuft);
            continue;
        }
        p.setBrush(petals[rnd.Below(3)]);
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(c + QPointF(k % 2 ? 1.3 : -1.3, k < 2 ? 1.3 : -1.3), 1.2, 1.2);
        p.setBrush(QColor(255, 180, 40));
        p.drawEllipse(c, 0.9, 0.9);
    }
}

void Speckles(QPainter& p, const QRectF& r, int count, std::uint32_t seed, const QColor& light,
              const QColor& dark) {
    Lcg rnd(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPoint(rnd, r);
        p.setBrush(rnd.Below(2) ? light : dark);
        p.drawEllipse(c, 0.7, 0.7);
    }
}

void Chevron(QPainter& p, QPointF tip, double size, const QColor& c) {
    QPainterPath ch;
    ch.moveTo(tip + QPointF(-size, -size));
    ch.lineTo(tip);
    ch.lineTo(tip + QPointF(-size, size));
    p.setPen(InkPen(size * 0.45, c));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ch);
}

// ---- BACK: selection, practice result and time-trial ranking -----------------------------------

void Back(QPainter& p) {
    const QRectF r(0, 0, 561, 419);
    FillGradient(p, r, {0, 0}, {561, 419},
                 {{0.0, QColor(44, 56, 124)}, {0.55, QColor(64, 50, 132)}, {1.0, QColor(96, 46, 128)}});
    DiagonalStripes(p, r, 18, 6, QColor(255, 255, 255, 10));
    Bokeh(p, r, 26, 11, 14, 46, 38);
    // Faint keys drifting along the sides, away from the text in the middle. The selection screen
    // shows only the top left 441 x 390 of this picture and the ranking 461 x 396, so everything
    // that matters stays inside that corner.
    Lcg rnd(5);
    for (int i = 0; i < 14; ++i) {
        const bool right = i % 2;
        const double x = right ? rnd.Uniform(396, 410) : rnd.Uniform(-4, 10);
        const double y = 14 + (i / 2) * 50 + (right ? 25 : 0) + rnd.Uniform(-6, 6);
        p.save();
        p.translate(x, y);
        p.rotate(rnd.Uniform(-12, 12));
        p.setOpacity(0.24);
        Keycap(p, QRectF(0, 0, 26, 26), QColor(190, 200, 255), KeyLetter(i));
        p.restore();
    }
    Stars(p, r, 40, 21, 1.8);
    // Checkered ribbon along the bottom of the smallest window that shows this picture.
    p.setOpacity(0.5);
    Checker(p, QRectF(0, 378, 561, 12), 6, QColor(255, 255, 255), QColor(30, 30, 60));
    p.setOpacity(1);
}

// ---- WALLPAPER: the main menu ------------------------------------------------------------------

void RacerBall(QPainter& p, QPointF c, double r, const QColor& base) {
    FillOutlined(p, Circle(c, r), BallBrush(c, r, base), 1.4);
    Eye(p, c + QPointF(r * 0.25, -r * 0.2), r * 0.33, r * 0.36, QPointF(0.6, 0), r * 0.15, 1.0);
    Eye(p, c + QPointF(r * 0.72, -r * 0.12), r * 0.2, r * 0.24, QPointF(0.6, 0.3), r * 0.1, 1.0);
    SpeedLines(p, c.x() - r - 3, {c.y() - r * 0.4, c.y() + r * 0.3}, r * 0.9, WithAlpha(Qt::white, 160), 1.6);
}

void Wallpaper(QPainter& p) {
    const QRectF r(0, 0, 640, 480);
    FillGradient(p, r, {0, 0}, {0, 480},
                 {{0.0, QColor(24, 30, 88)},
                  {0.45, QColor(52, 48, 130)},
                  {0.7, QColor(120, 70, 150)},
                  {0.86, QColor(255, 150, 110)},
                  {1.0, QColor(255, 200, 120)}});
    Stars(p, QRectF(0, 0, 640, 300), 90, 7, 2.0);
    Bokeh(p, QRectF(0, 0, 640, 330), 12, 3, 20, 60, 26);
    // Moon.
    QRadialGradient moonGlow(QPointF(560, 70), 70);
    moonGlow.setColorAt(0, QColor(255, 250, 210, 90));
    moonGlow.setColorAt(1, QColor(255, 250, 210, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(moonGlow);
    p.drawEllipse(QPointF(560, 70), 70, 70);
    p.setBrush(QColor(255, 248, 215));
    p.drawEllipse(QPointF(560, 70), 26, 26);
    p.setBrush(QColor(235, 225, 190));
    p.drawEllipse(QPointF(552, 64), 5, 5);
    p.drawEllipse(QPointF(568, 80), 3.5, 3.5);
    // Keys floating in the sky at the sides.
    const struct {
        double x, y, s, a;
        QColor c;
    } keys[] = {{26, 60, 30, -14, QColor(255, 120, 170)},  {70, 150, 22, 10, QColor(120, 210, 255)},
                {20, 250, 26, 18, QColor(255, 220, 90)},   {590, 170, 24, -8, QColor(150, 240, 150)},
                {548, 250, 30, 12, QColor(200, 150, 255)}, {480, 30, 18, 20, QColor(255, 180, 110)}};
    int letter = 0;
    for (const auto& k : keys) {
        p.save();
        p.translate(k.x, k.y);
        p.rotate(k.a);
        p.setOpacity(0.55);
        Keycap(p, QRectF(-k.s / 2, -k.s / 2, k.s, k.s), k.c, KeyLetter(letter++));
        p.restore();
    }
    p.setOpacity(1);
    // Hills and the race track sweeping across the bottom.
    FillOutlined(p, Hills(0, 640, 390, 480, {{110, 360}, {260, 380}, {420, 350}, {560, 372}}),
                 QColor(46, 120, 110), 0);
    FillOutlined(p, Hills(0, 640, 410, 480, {{160, 392}, {330, 412}, {500, 396}}),
                 BodyBrush(390, 480, kGrass), 0);
    // The main menu's description box covers y 378 to 456 between x 40 and 600: the track runs
    // along the bottom edge below it, so the racers stay in sight.
    QPainterPath track;
    track.moveTo(0, 454);
    track.cubicTo(200, 446, 420, 446, 640, 450);
    track.lineTo(640, 480);
    track.lineTo(0, 480);
    track.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(BodyBrush(446, 480, kTrackRed));
    p.drawPath(track);
    QPen lane(QColor(255, 255, 255, 200), 1.6);
    lane.setDashPattern({8, 5});
    p.setPen(lane);
    p.setBrush(Qt::NoBrush);
    QPainterPath mid;
    mid.moveTo(0, 476);
    mid.cubicTo(200, 472, 420, 472, 640, 474);
    p.drawPath(mid);
    Flowers(p, QRectF(0, 400, 640, 14), 30, 10);
    Flowers(p, QRectF(604, 440, 36, 8), 4, 9);
    // The three crazy balls racing home, and the finish flag.
    RacerBall(p, QPointF(250, 467), 8.5, QColor(240, 60, 60));
    RacerBall(p, QPointF(200, 468), 8, QColor(165, 85, 225));
    RacerBall(p, QPointF(152, 468), 8, QColor(50, 120, 235));
    p.setPen(InkPen(3));
    p.drawLine(QPointF(602, 452), QPointF(602, 356));
    p.save();
    QPainterPath flag;
    flag.moveTo(603, 358);
    flag.cubicTo(615, 352, 625, 364, 638, 358);
    flag.lineTo(638, 382);
    flag.cubicTo(625, 388, 615, 376, 603, 382);
    flag.closeSubpath();
    p.setClipPath(flag);
    Checker(p, QRectF(603, 350, 36, 40), 6, Qt::white, kInk);
    p.restore();
    p.setPen(InkPen(1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
    FillOutlined(p, Circle(QPointF(602, 354), 3), QColor(255, 210, 60), 1.2);
}

// ---- KEYDERBYBACK: the four-lane race track ---------------------------------------------------

void DerbyTrack(QPainter& p) {
    const QRectF all(0, 0, 659, 281);
    p.fillRect(all, kGrass);
    for (int lane = 0; lane < 4; ++lane) {
        const QRectF band(0, lane * 65.25, 659, 65.25);
        FillGradient(p, band, band.topLeft(), band.bottomLeft(),
                     {{0.0, Mix(kTrackRed, Qt::white, lane % 2 ? 0.04 : 0.1)},
                      {1.0, Mix(kTrackRed, kInk, lane % 2 ? 0.14 : 0.08)}});
    }
    Speckles(p, QRectF(0, 0, 659, 261), 900, 31, QColor(255, 200, 170, 90), QColor(120, 40, 20, 70));
    // Starting boxes behind the start line, direction chevrons down each lane.
    p.fillRect(QRectF(0, 0, 66, 261), QColor(255, 255, 255, 28));
    p.fillRect(QRectF(66, 0, 3, 261), QColor(255, 255, 255, 220));
    for (int lane = 0; lane < 4; ++lane)
        for (double x : {200.0, 360.0, 520.0}) {
            Chevron(p, QPointF(x, lane * 65 + 33), 7, QColor(255, 255, 255, 55));
            Chevron(p, QPointF(x + 12, lane * 65 + 33), 7, QColor(255, 255, 255, 55));
        }
    // Finish line where a runner's nose crosses.
    Checker(p, QRectF(640, 0, 12, 261), 6, Qt::white, QColor(30, 30, 40));
    p.fillRect(QRectF(652, 0, 7, 261), Mix(kTrackRed, kInk, 0.2));
    // Grass verge below the last lane.
    FillGradient(p, QRectF(0, 261, 659, 20), {0, 261}, {0, 281},
                 {{0.0, Mix(kGrass, kInk, 0.2)}, {0.3, kGrass}, {1.0, Mix(kGrass, Qt::white, 0.15)}});
    Flowers(p, QRectF(4, 266, 650, 12), 60, 33);
}

// ---- BACKWALLPAPER: the question panel ---------------------------------------------------------

void QuestionPanel(QPainter& p) {
    const QRectF r(0, 0, 405, 121);
    FillGradient(p, r, {0, 0}, {0, 121},
                 {{0.0, QColor(255, 214, 96)}, {0.6, QColor(255, 176, 70)}, {1.0, QColor(250, 140, 60)}});
    DiagonalStripes(p, r, 14, 5, QColor(255, 255, 255, 34));
    Bokeh(p, r, 10, 41, 8, 24, 50);
    // Keys and a finish flag in the corners the text boxes leave free.
    p.save();
    p.translate(8, 14);
    p.rotate(-12);
    Keycap(p, QRectF(0, 0, 24, 24), QColor(255, 120, 160), 'F', 1.4);
    p.restore();
    p.save();
    p.translate(366, 8);
    p.rotate(10);
    Keycap(p, QRectF(0, 0, 22, 22), QColor(120, 200, 255), 'J', 1.4);
    p.restore();
    p.save();
    p.translate(372, 76);
    p.rotate(-8);
    Keycap(p, QRectF(0, 0, 24, 24), QColor(140, 230, 120), 'K', 1.4);
    p.restore();
    p.setPen(InkPen(2));
    p.drawLine(QPointF(14, 112), QPointF(14, 62));
    Checker(p, QRectF(15, 62, 24, 16), 4, Qt::white, kInk);
    p.setPen(InkPen(1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(15, 62, 24, 16));
    Sparkle(p, QPointF(330, 14), 5, QColor(255, 255, 255, 220));
    Sparkle(p, QPointF(70, 36), 4, QColor(255, 255, 255, 200));
    Sparkle(p, QPointF(390, 112), 4, QColor(255, 255, 255, 200));
    // Bevelled rim so the panel reads as a board.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 245, 210, 200), 2));
    p.drawLine(QPointF(1, 1), QPointF(404, 1));
    p.drawLine(QPointF(1, 1), QPointF(1, 120));
    p.setPen(QPen(QColor(150, 70, 30, 200), 2));
    p.drawLine(QPointF(1, 120), QPointF(404, 120));
    p.drawLine(QPointF(404, 1), QPointF(404, 120));
}

// ---- TYPINGWALLPAPER: behind the question text -------------------------------------------------

void TypingBox(QPainter& p) {
    // A slate dark enough for white text to reach 4.5:1 everywhere on it; the dark-blue text on
    // it gets a pale outline from the panel instead. Kept nearly flat so no letter falls on a
    // bright patch.
    const QRectF r(0, 0, 305, 53);
    FillGradient(p, r, {0, 0}, {0, 53},
                 {{0.0, QColor(82, 110, 138)}, {0.5, QColor(78, 106, 134)}, {1.0, QColor(74, 102, 130)}});
    DiagonalStripes(p, r, 6, 1, QColor(255, 255, 255, 7));
    p.setPen(QPen(QColor(130, 160, 186), 1));
    p.drawLine(QPointF(0, 0.5), QPointF(305, 0.5));
    p.setPen(QPen(QColor(50, 68, 92), 1));
    p.drawLine(QPointF(0, 52.5), QPointF(305, 52.5));
}

// ---- TRACK: the time-trial course --------------------------------------------------------------

void TimeTrialTrack(QPainter& p) {
    const QRectF r(0, 0, 649, 196);
    FillGradient(p, QRectF(0, 0, 649, 140), {0, 0}, {0, 140},
                 {{0.0, QColor(100, 185, 255)}, {1.0, QColor(205, 238, 255)}});
    Cloud(p, QPointF(60, 30), 1.0);
    Cloud(p, QPointF(250, 18), 0.8);
    Cloud(p, QPointF(430, 40), 1.1);
    Cloud(p, QPointF(560, 16), 0.7, 200);
    FillOutlined(p, Hills(0, 649, 120, 150, {{90, 88}, {230, 110}, {380, 84}, {520, 104}, {620, 92}}),
                 QColor(120, 200, 150), 0);
    FillOutlined(p, Hills(0, 649, 136, 160, {{150, 118}, {330, 130}, {480, 114}}), QColor(86, 176, 110), 0);
    // Fence along the back of the track.
    p.fillRect(QRectF(0, 138, 649, 20), kGrass);
    p.setPen(InkPen(2, QColor(255, 255, 255)));
    for (double x = 4; x < 649; x += 28) p.drawLine(QPointF(x, 126), QPointF(x, 148));
    p.drawLine(QPointF(0, 131), QPointF(649, 131));
    p.drawLine(QPointF(0, 141), QPointF(649, 141));
    // Running surface: the ball rolls on its far edge.
    const QRectF lane(0, 148, 649, 26);
    FillGradient(p, lane, lane.topLeft(), lane.bottomLeft(),
                 {{0.0, Mix(kTrackRed, Qt::white, 0.12)}, {1.0, Mix(kTrackRed, kInk, 0.12)}});
    Speckles(p, lane, 400, 51, QColor(255, 200, 170, 90), QColor(120, 40, 20, 70));
    p.fillRect(QRectF(0, 148, 649, 2), QColor(255, 255, 255, 230));
    p.fillRect(QRectF(0, 172, 649, 2), QColor(255, 255, 255, 230));
    for (double x = 100; x < 600; x += 100) p.fillRect(QRectF(x, 152, 2, 18), QColor(255, 255, 255, 110));
    p.fillRect(QRectF(5, 150, 3, 22), QColor(255, 255, 255));  // start
    FillGradient(p, QRectF(0, 174, 649, 22), {0, 174}, {0, 196},
                 {{0.0, Mix(kGrass, kInk, 0.2)}, {0.3, kGrass}, {1.0, Mix(kGrass, Qt::white, 0.1)}});
    Flowers(p, QRectF(4, 178, 640, 16), 55, 53);
    // Goal: a checkered strip across the lane and a flag over it.
    Checker(p, QRectF(636, 150, 10, 22), 5, Qt::white, QColor(30, 30, 40));
    p.setPen(InkPen(3));
    p.drawLine(QPointF(641, 150), QPointF(641, 40));
    QPainterPath flag;
    flag.moveTo(640, 42);
    flag.cubicTo(628, 36, 616, 48, 602, 42);
    flag.lineTo(602, 68);
    flag.cubicTo(616, 74, 628, 62, 640, 68);
    flag.closeSubpath();
    p.save();
    p.setClipPath(flag);
    Checker(p, QRectF(600, 34, 42, 42), 6.5, Qt::white, kInk);
    p.restore();
    p.setPen(InkPen(1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
    FillOutlined(p, Circle(QPointF(641, 38), 3.5), QColor(255, 210, 60), 1.2);
    (void)r;
}

// ---- RESULTPANEL: behind the time-trial figures ------------------------------------------------

void Trophy(QPainter& p, QPointF base, double s) {
    const QColor gold(255, 200, 50);
    p.save();
    p.translate(base);
    p.scale(s, s);
    FillOutlined(p, RoundRect(QRectF(-10, -6, 20, 6), 1.5), BodyBrush(-6, 0, QColor(150, 90, 60)), 1.4);
    FillOutlined(p, RoundRect(QRectF(-3, -14, 6, 9), 1), gold, 1.4);
    QPainterPath cup;
    cup.moveTo(-12, -36);
    cup.lineTo(12, -36);
    cup.cubicTo(12, -22, 6, -14, 0, -14);
    cup.cubicTo(-6, -14, -12, -22, -12, -36);
    cup.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(3.2));
    p.drawArc(QRectF(-19, -34, 10, 12), 90 * 16, 180 * 16);
    p.drawArc(QRectF(9, -34, 10, 12), 90 * 16, -180 * 16);
    p.setPen(InkPen(1.6, gold));
    p.drawArc(QRectF(-19, -34, 10, 12), 90 * 16, 180 * 16);
    p.drawArc(QRectF(9, -34, 10, 12), 90 * 16, -180 * 16);
    FillOutlined(p, cup, BodyBrush(-36, -14, gold), 1.6);
    Sparkle(p, QPointF(-4, -29), 4, QColor(255, 255, 255, 220));
    p.restore();
}

void ResultPanel(QPainter& p) {
    const QRectF r(0, 0, 400, 253);
    FillGradient(p, r, {0, 0}, {400, 253},
                 {{0.0, QColor(34, 46, 104)}, {0.6, QColor(44, 38, 110)}, {1.0, QColor(64, 36, 104)}});
    // Soft light rays from the top right corner.
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        QPainterPath ray;
        const double a0 = qDegreesToRadians(100.0 + i * 12), a1 = a0 + qDegreesToRadians(5);
        ray.moveTo(400, 0);
        ray.lineTo(400 + 520 * std::cos(a0), 520 * std::sin(a0));
        ray.lineTo(400 + 520 * std::cos(a1), 520 * std::sin(a1));
        ray.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 9));
        p.drawPath(ray);
    }
    p.restore();
    Bokeh(p, r, 10, 61, 10, 30, 30);
    // Confetti along the edges, clear of the two columns of labels.
    Lcg rnd(63);
    static const QColor confetti[] = {QColor(255, 110, 150), QColor(255, 220, 80), QColor(110, 220, 255),
                                      QColor(150, 240, 140)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
        const bool top = i % 2;
        const double y = top ? rnd.Uniform(2, 6) : rnd.Uniform(240, 251);  // y first, as in RandomPoint
        const QPointF c(rnd.Uniform(6, 394), y);
        p.save();
        p.translate(c);
        p.rotate(rnd.Uniform(0, 180));
        p.setBrush(WithAlpha(confetti[rnd.Below(4)], 170));
        p.drawRect(QRectF(-2.5, -1, 5, 2));
        p.restore();
    }
    Trophy(p, QPointF(34, 246), 0.95);
    Sparkle(p, QPointF(62, 214), 4, QColor(255, 240, 180, 200));
    // Gold frame.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 205, 90), 2));
    p.drawRoundedRect(QRectF(2, 2, 396, 249), 8, 8);
    p.setPen(QPen(QColor(255, 205, 90, 90), 1));
    p.drawRoundedRect(QRectF(6, 6, 388, 241), 6, 6);
}

// ---- ARENA, POST and the two balls: the boss battle --------------------------------------------

void Arena(QPainter& p) {
    const QRectF r(0, 0, 707, 301);
    FillGradient(p, r, {0, 0}, {0, 301},
                 {{0.0, QColor(36, 22, 72)},
                  {0.5, QColor(104, 44, 118)},
                  {0.78, QColor(230, 100, 100)},
                  {0.9, QColor(255, 170, 100)}});
    Stars(p, QRectF(0, 0, 707, 130), 70, 71, 1.8);
    // Blood-red moon behind the boss's side.
    QRadialGradient glow(QPointF(560, 70), 80);
    glow.setColorAt(0, QColor(255, 120, 100, 110));
    glow.setColorAt(1, QColor(255, 120, 100, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(560, 70), 80, 80);
    p.setBrush(QColor(255, 150, 120));
    p.drawEllipse(QPointF(560, 70), 30, 30);
    // The boss's castle on the right, friendly hills on the left.
    const QColor castle(58, 34, 84);
    p.setBrush(castle);
    QPainterPath keep;
    keep.addRect(QRectF(500, 170, 180, 60));
    keep.addRect(QRectF(520, 120, 34, 60));
    keep.addRect(QRectF(620, 110, 34, 70));
    keep.addRect(QRectF(570, 140, 30, 40));
    keep.moveTo(516, 122);
    keep.lineTo(537, 88);
    keep.lineTo(558, 122);
    keep.moveTo(616, 112);
    keep.lineTo(637, 74);
    keep.lineTo(658, 112);
    keep.moveTo(566, 142);
    keep.lineTo(585, 116);
    keep.lineTo(604, 142);
    keep.setFillRule(Qt::WindingFill);
    p.drawPath(keep);
    p.setBrush(QColor(255, 210, 90));
    for (const QPointF& w :
         {QPointF(533, 140), QPointF(633, 130), QPointF(580, 156), QPointF(640, 186), QPointF(530, 190)})
        p.drawRoundedRect(QRectF(w, QSizeF(6, 10)), 3, 3);
    FillOutlined(p, Hills(0, 420, 240, 301, {{60, 200}, {170, 226}, {290, 206}}), QColor(70, 90, 140), 0);
    // Pale sand in front: the purple boss and the red ball stand out against it by lightness.
    FillOutlined(p, Hills(0, 707, 262, 301, {{120, 246}, {300, 258}, {470, 222}, {640, 232}}),
                 BodyBrush(222, 290, QColor(236, 196, 140)), 0);
    // Bunting: blue pennants on the player's side, red on the boss's.
    for (int side = 0; side < 2; ++side) {
        const double x0 = side ? 420 : 20, x1 = side ? 690 : 280;
        p.setPen(InkPen(1.2, QColor(30, 20, 40)));
        p.setBrush(Qt::NoBrush);
        QPainterPath rope;
        rope.moveTo(x0, 28);
        rope.quadTo((x0 + x1) / 2, 52, x1, 28);
        p.drawPath(rope);
        for (int i = 1; i < 10; ++i) {
            const double t = i / 10.0;
            const QPointF at = rope.pointAtPercent(t);
            QPainterPath pennant;
            pennant.moveTo(at + QPointF(-7, 0));
            pennant.lineTo(at + QPointF(7, 0));
            pennant.lineTo(at + QPointF(0, 14));
            pennant.closeSubpath();
            const QColor c = side ? (i % 2 ? QColor(230, 50, 70) : QColor(255, 200, 60))
                                  : (i % 2 ? QColor(60, 130, 240) : QColor(255, 255, 255));
            FillOutlined(p, pennant, c, 1.0);
        }
    }
    // Stone floor the runners stand on (their feet at y 289).
    const QRectF floor(0, 284, 707, 17);
    FillGradient(p, floor, floor.topLeft(), floor.bottomLeft(),
                 {{0.0, QColor(150, 130, 170)}, {1.0, QColor(90, 70, 110)}});
    p.setPen(QPen(QColor(60, 45, 80), 1));
    p.drawLine(QPointF(0, 284.5), QPointF(707, 284.5));
    p.drawLine(QPointF(0, 292.5), QPointF(707, 292.5));
    for (double x = 0; x < 707; x += 36) {
        p.drawLine(QPointF(x, 285), QPointF(x, 292));
        p.drawLine(QPointF(x + 18, 293), QPointF(x + 18, 301));
    }
    // Team colours glow on each half of the floor.
    p.fillRect(QRectF(0, 284, 300, 17), QColor(80, 150, 255, 40));
    p.fillRect(QRectF(400, 284, 307, 17), QColor(255, 70, 70, 40));
}

void Post(QPainter& p) {
    // Two glass tubes hold the scored balls (player's on the left, boss's on the right).
    for (int side = 0; side < 2; ++side) {
        const QRectF tube(side ? 53 : 3, 14, 44, 200);
        const QColor tint = side ? QColor(255, 90, 90) : QColor(90, 160, 255);
        QLinearGradient g(tube.topLeft(), tube.topRight());
        g.setColorAt(0.0, WithAlpha(Mix(tint, Qt::white, 0.5), 110));
        g.setColorAt(0.3, WithAlpha(Mix(tint, Qt::white, 0.7), 60));
        g.setColorAt(1.0, WithAlpha(tint, 100));
        FillOutlined(p, RoundRect(tube, 8), QBrush(g), 2.0);
        p.setPen(InkPen(2.4, QColor(255, 255, 255, 150)));
        p.drawLine(QPointF(tube.left() + 7, tube.top() + 12), QPointF(tube.left() + 7, tube.bottom() - 14));
        FillOutlined(p, RoundRect(QRectF(tube.left() - 2, 12, tube.width() + 4, 7), 3),
                     BodyBrush(12, 19, QColor(255, 200, 60)), 1.6);
    }
    // Centre pole with a star on top, and the base.
    FillOutlined(p, RoundRect(QRectF(47, 10, 6, 206), 2), BodyBrush(10, 216, QColor(230, 230, 245)), 1.4);
    FillOutlined(p, StarPath(QPointF(50, 9), 9, 4, 5), BodyBrush(0, 18, QColor(255, 210, 60)), 1.6);
    FillOutlined(p, RoundRect(QRectF(0, 212, 100, 9), 3), BodyBrush(212, 221, QColor(255, 190, 60)), 1.6);
}

void ScoreBall(QPainter& p, bool boss) {
    const QPointF c(20, 20);
    const QColor base = boss ? QColor(160, 30, 60) : QColor(50, 130, 240);
    FillOutlined(p, Circle(c, 18), BallBrush(c, 18, base), 2.0);
    if (boss) {
        // Two angry slits: the boss's mark.
        QPainterPath eyes;
        eyes.moveTo(9, 17);
        eyes.lineTo(18, 21);
        eyes.lineTo(11, 24);
        eyes.closeSubpath();
        eyes.moveTo(31, 17);
        eyes.lineTo(22, 21);
        eyes.lineTo(29, 24);
        eyes.closeSubpath();
        FillOutlined(p, eyes, QColor(255, 230, 90), 1.2);
        p.setPen(InkPen(1.6));
        p.drawLine(QPointF(14, 29), QPointF(26, 29));
    } else {
        FillOutlined(p, StarPath(c + QPointF(0, 1), 10, 4.2, 5), Qt::white, 1.4);
    }
    Shine(p, c + QPointF(-7, -8), 5, 2.6);
}

}  // namespace

std::vector<PictureRecipe> SceneryPictures() {
    return {
        {"BACK", {561, 419}, true, Back},
        {"WALLPAPER", {640, 480}, true, Wallpaper},
        {"KEYDERBYBACK", {659, 281}, true, DerbyTrack},
        {"BACKWALLPAPER", {405, 121}, true, QuestionPanel},
        {"TYPINGWALLPAPER", {305, 53}, true, TypingBox},
        {"TRACK", {649, 196}, true, TimeTrialTrack},
        {"RESULTPANEL", {400, 253}, true, ResultPanel},
        {"ARENA", {707, 301}, true, Arena},
        {"POST", {100, 221}, false, Post},
        {"BALLPLAYER", {40, 40}, false, [](QPainter& p) { ScoreBall(p, false); }},
        {"BALLBOSS", {40, 40}, false, [](QPainter& p) { ScoreBall(p, true); }},
    };
}

}  // namespace kd::assetgen
