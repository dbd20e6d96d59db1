#include "stats/KeyboardView.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "engine/KanaGuide.h"
#include "engine/KanaLayout.h"
#include "platform/widgets/Colors.h"

namespace kd::stats {

namespace {

struct Row {
    double indent;  // in key widths
    QString keys;
};

// The printable keys of each layout, row by row; letters are where they are on both.
const Row kUsRows[] = {
    {0.0, QStringLiteral("`1234567890-=")},
    {1.5, QStringLiteral("qwertyuiop[]\\")},
    {1.8, QStringLiteral("asdfghjkl;'")},
    {2.3, QStringLiteral("zxcvbnm,./")},
};
const Row kJisRows[] = {
    {0.0, QStringLiteral("1234567890-^\\")},
    {1.5, QStringLiteral("qwertyuiop@[")},
    {1.8, QStringLiteral("asdfghjkl;:]")},
    {2.3, QStringLiteral("zxcvbnm,./\\")},
};
// The same JIS keys by their kana.
const Row kJisKanaRows[] = {
    {0.0, QStringLiteral("ぬふあうえおやゆよわほへー")},
    {1.5, QStringLiteral("たていすかんなにらせ゛゜")},
    {1.8, QStringLiteral("ちとしはきくまのりれけむ")},
    {2.3, QStringLiteral("つさそひこみもねるめろ")},
};

}  // namespace

QVector<UnitStat> KanaKeysByPlace(const QVector<UnitStat>& keys) {
    QVector<UnitStat> out;
    QHash<QString, int> at;
    for (const UnitStat& k : keys) {
        KanaKeyPlace place;
        const char16_t plain = k.name.size() == 1 && PlaceOfKana(k.name[0].unicode(), place)
                                   ? KanaOfKey(place.keycode, false)
                                   : 0;
        const QString name = plain ? QString(QChar(plain)) : k.name;
        auto it = at.constFind(name);
        if (it == at.constEnd()) {
            at.insert(name, int(out.size()));
            out.append(k);
            out.last().name = name;
            continue;
        }
        UnitStat& u = out[*it];
        const double timeMs = u.avgMs * double(u.timed) + k.avgMs * double(k.timed);
        u.attempts += k.attempts;
        u.misses += k.misses;
        u.timed += k.timed;
        u.missRate = u.attempts > 0 ? double(u.misses) / double(u.attempts) : 0;
        u.avgMs = u.timed > 0 ? timeMs / double(u.timed) : 0;
        u.uncertain = u.attempts < kCertainAttempts;
    }
    return out;
}

QColor BadnessColor(double badness) {
    const double b = std::clamp(badness, 0.0, 1.0);
    // Sky blue through yellow to rose, as bright as the game's menu colours: a green-to-red
    // ramp left 得意 and ふつう (or 得意 and 苦手) alike to players with red-green colour
    // blindness. Black figures stay readable on every step.
    const QColor good = QColor::fromRgbF(0.30f, 0.70f, 1.00f);
    const QColor fair = QColor::fromRgbF(1.00f, 0.85f, 0.35f);
    const QColor weak = QColor::fromRgbF(0.95f, 0.30f, 0.45f);
    const auto mix = [](const QColor& from, const QColor& to, double t) {
        return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                                float(from.greenF() + (to.greenF() - from.greenF()) * t),
                                float(from.blueF() + (to.blueF() - from.blueF()) * t));
    };
    return b < 0.5 ? mix(good, fair, b * 2) : mix(fair, weak, (b - 0.5) * 2);
}

QString FingerOf(const QString& key) {
    if (key.size() != 1) return QString();
    QChar c = key.at(0).toLower();
    // A kana key is struck by the finger of its place on the keyboard.
    KanaKeyPlace place;
    if (PlaceOfKana(c.unicode(), place)) {
        const QString legend = JisLegendOf(place.keycode);
        c = legend == QStringLiteral("¥") ? QChar(u'\\') : legend.at(0).toLower();
    }
    struct F {
        const char* keys;
        const char* name;
    };
    static const F fingers[] = {
        {"1qaz`", QT_TRANSLATE_NOOP("KeyboardView", "左小指")},
        {"2wsx", QT_TRANSLATE_NOOP("KeyboardView", "左薬指")},
        {"3edc", QT_TRANSLATE_NOOP("KeyboardView", "左中指")},
        {"4rfv5tgb", QT_TRANSLATE_NOOP("KeyboardView", "左人差し指")},
        {"6yhn7ujm", QT_TRANSLATE_NOOP("KeyboardView", "右人差し指")},
        {"8ik,", QT_TRANSLATE_NOOP("KeyboardView", "右中指")},
        {"9ol.", QT_TRANSLATE_NOOP("KeyboardView", "右薬指")},
        {"0p;/-[@:'=]^\\", QT_TRANSLATE_NOOP("KeyboardView", "右小指")},
    };
    for (const F& f : fingers)
        if (QLatin1String(f.keys).contains(c)) return QCoreApplication::translate("KeyboardView", f.name);
    if (c == u' ') return QCoreApplication::translate("KeyboardView", "親指");
    return QString();
}

KeyboardView::KeyboardView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("keyboard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void KeyboardView::SetKeys(const QVector<UnitStat>& keys) {
    m_keys.clear();
    m_bestRate = m_worstRate = 0;
    m_fastest = m_slowest = 0;
    bool first = true, firstRate = true;
    for (const UnitStat& k : keys) {
        m_keys.insert(k.name.toLower(), k);
        if (k.uncertain) continue;
        m_bestRate = firstRate ? k.missRate : std::min(m_bestRate, k.missRate);
        m_worstRate = firstRate ? k.missRate : std::max(m_worstRate, k.missRate);
        firstRate = false;
        if (k.timed > 0 && k.avgMs > 0) {
            m_fastest = first ? k.avgMs : std::min(m_fastest, k.avgMs);
            m_slowest = first ? k.avgMs : std::max(m_slowest, k.avgMs);
            first = false;
        }
    }
    update();
}

void KeyboardView::SetKanaLegends(bool on) {
    m_kana = on;
    update();
}

void KeyboardView::SetLayout(KeyboardLayout layout) {
    m_layout = layout;
    update();
}

void KeyboardView::SetColouring(KeyColouring colouring) {
    m_colouring = colouring;
    update();
}

double KeyboardView::Badness(const QString& key) const {
    const auto it = m_keys.constFind(key.toLower());
    if (it == m_keys.constEnd()) return -1;
    // From the player's best key to the worst; keys that differ by less than a few points or
    // a tenth of a second are not painted as far apart as green and red.
    if (m_colouring == KeyColouring::MissRate)
        return std::clamp((it->missRate - m_bestRate) / std::max(m_worstRate - m_bestRate, 0.05), 0.0, 1.0);
    if (it->avgMs <= 0) return -1;
    return std::clamp((it->avgMs - m_fastest) / std::max(m_slowest - m_fastest, 100.0), 0.0, 1.0);
}

void KeyboardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const auto& rows = m_kana ? kJisKanaRows : m_layout == KeyboardLayout::US ? kUsRows : kJisRows;
    // Widest row: 13 keys plus its indent, and the space bar row below.
    const double unit = std::min(width() / 15.0, height() / 5.3);
    const double gap = unit * 0.08;
    const double left = (width() - unit * 14.8) / 2;
    QFont label = font();
    label.setPixelSize(std::max(9, int(unit * 0.36)));
    label.setBold(true);
    QFont figure = font();
    figure.setPixelSize(std::max(9, int(unit * 0.24)));

    auto drawKey = [&](const QRectF& r, const QString& key, const QString& caption) {
        const double b = Badness(key);
        const auto it = m_keys.constFind(key);
        QColor fill = b < 0 ? QColor(70, 78, 100) : BadnessColor(b);
        if (b >= 0 && it->uncertain) fill.setAlpha(110);
        QPainterPath path;
        path.addRoundedRect(r.adjusted(gap, gap, -gap, -gap), unit * 0.12, unit * 0.12);
        p.fillPath(path, fill);
        p.setPen(QPen(QColor(0, 0, 0, 160), 1));
        p.drawPath(path);
        p.setPen(b < 0 ? QColor(190, 196, 210) : kBlack);
        p.setFont(label);
        const QRectF inner = r.adjusted(gap * 2, gap, -gap * 2, -gap);
        p.drawText(inner.adjusted(0, 0, 0, -unit * 0.3), Qt::AlignCenter, caption);
        if (b >= 0) {
            p.setFont(figure);
            const QString text = m_colouring == KeyColouring::MissRate
                                     ? QString::number(it->missRate * 100, 'f', 1) + u'%'
                                     : QString::number(it->avgMs, 'f', 0) + QStringLiteral("ms");
            p.drawText(inner.adjusted(0, unit * 0.45, 0, 0), Qt::AlignHCenter | Qt::AlignTop, text);
        }
    };

    for (int r = 0; r < 4; ++r) {
        const Row& row = rows[r];
        for (int i = 0; i < row.keys.size(); ++i) {
            const QString key = row.keys.mid(i, 1);
            const QRectF rect(left + (row.indent + i) * unit, 0.1 * unit + r * unit, unit, unit);
            drawKey(rect, key, key.toUpper());
        }
    }
    const QRectF space(left + 4.0 * unit, 0.1 * unit + 4 * unit, 6.0 * unit, unit);
    drawKey(space, QStringLiteral(" "), QStringLiteral("SPACE"));
}

}  // namespace kd::stats
