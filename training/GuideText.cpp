#include "training/GuideText.h"

#include <QLabel>

namespace kd {

namespace {

QString Span(const QColor& color, const QString& text, const char* extra = "") {
    if (text.isEmpty()) return {};
    return QStringLiteral("<span style=\"color:%1;%2\">%3</span>")
        .arg(color.name(), QLatin1String(extra), text.toHtmlEscaped());
}

}  // namespace

QString GuideLineHtml(const GuideLine& line) {
    QString html = Span(kGuideTypedColor, line.typed) +
                   Span(kGuideNextColor, line.next, "font-weight:bold;text-decoration:underline;") +
                   Span(kGuideRestColor, line.rest);
    if (!line.cannotType.isEmpty())
        html += Span(kGuideTypedColor, QStringLiteral(" （%1 は打てません）").arg(line.cannotType));
    return html;
}

QString GuideLineSpoken(const GuideLine& line) {
    if (line.next.isEmpty() && line.cannotType.isEmpty()) return QStringLiteral("ローマ字ガイド");
    QString text = QStringLiteral("ローマ字ガイド：");
    if (!line.next.isEmpty()) text += QStringLiteral("次は %1、%2").arg(line.next, line.next + line.rest);
    if (!line.cannotType.isEmpty()) text += QStringLiteral("（%1 は打てません）").arg(line.cannotType);
    return text;
}

void ShowGuideLine(QLabel* label, const GuideLine& line) {
    label->setTextFormat(Qt::RichText);
    label->setText(GuideLineHtml(line));
    label->setAccessibleName(GuideLineSpoken(line));
}

}  // namespace kd
