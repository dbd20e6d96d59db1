#include "play/GuideText.h"

#include <QCoreApplication>
#include <QPainter>

#include "platform/widgets/CachedGlyphs.h"

namespace kd {

QList<GuideRun> GuideRuns(const GuideLine& line) {
    QList<GuideRun> runs;
    auto add = [&runs](const QString& text, const QColor& color, bool marked = false) {
        if (!text.isEmpty()) runs.append({text, color, marked});
    };
    add(line.typed, kGuideTypedColor);
    add(line.next, kGuideNextColor, true);
    add(line.rest, kGuideRestColor);
    if (!line.keyCap.isEmpty())
        add(QCoreApplication::translate("GuideText", "  ［%1］").arg(line.keyCap), kGuideTypedColor);
    if (!line.cannotType.isEmpty())
        add(QCoreApplication::translate("GuideText", " （%1 は打てません）").arg(line.cannotType),
            kGuideTypedColor);
    return runs;
}

QString GuideLineSpoken(const GuideLine& line) {
    if (!line.keyCap.isEmpty())
        return QCoreApplication::translate("GuideText", "キーガイド：次は %1（%2）、%3")
            .arg(line.next, line.keyCap, line.next + line.rest);
    if (line.next.isEmpty() && line.cannotType.isEmpty())
        return QCoreApplication::translate("GuideText", "ローマ字ガイド");
    QString text = QCoreApplication::translate("GuideText", "ローマ字ガイド：");
    if (!line.next.isEmpty())
        text += QCoreApplication::translate("GuideText", "次は %1、%2").arg(line.next, line.next + line.rest);
    if (!line.cannotType.isEmpty())
        text += QCoreApplication::translate("GuideText", "（%1 は打てません）").arg(line.cannotType);
    return text;
}

GuideLabel::GuideLabel(QWidget* parent, int pixelSize) : QLabel(parent) {
    setObjectName(QStringLiteral("romajiGuide"));
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    setFont(f);
    // Light letters need the dark strip also where the screen around it is light. A palette, not
    // a style sheet: style sheets make every repaint of the label resolve its rules again.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(24, 32, 64));
    setPalette(pal);
    setAutoFillBackground(true);
    setAccessibleName(GuideLineSpoken(GuideLine()));
}

GuideLabel::~GuideLabel() = default;

void GuideLabel::SetLine(const GuideLine& line) {
    m_runs = GuideRuns(line);
    QString plain;
    for (const GuideRun& r : m_runs) plain += r.text;
    setText(plain);
    setAccessibleName(GuideLineSpoken(line));
    update();  // the same letters in other colours leave the text as it was
}

void GuideLabel::paintEvent(QPaintEvent*) {
    if (m_runs.isEmpty()) return;
    if (!m_glyphs) m_glyphs = std::make_unique<CachedGlyphs>(font());
    qreal width = 0;
    for (const GuideRun& r : m_runs) width += m_glyphs->Width(r.text);
    const QRectF area = contentsRect();
    qreal x = area.center().x() - width / 2;
    const qreal y = area.top() + (area.height() - m_glyphs->LineHeight()) / 2;
    const QFontMetricsF fm(font());
    QPainter p(this);
    for (const GuideRun& r : m_runs) {
        p.setPen(r.color);
        const qreal end = m_glyphs->Draw(p, x, y, r.text);
        if (r.marked) {
            const qreal under = y + m_glyphs->Ascent() + fm.underlinePos();
            p.fillRect(QRectF(x, under, end - x, qMax<qreal>(1, fm.lineWidth())), r.color);
        }
        x = end;
    }
}

void GuideLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) m_glyphs.reset();
    QLabel::changeEvent(event);
}

}  // namespace kd
