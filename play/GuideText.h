#pragma once
#include <QColor>
#include <QLabel>
#include <QList>
#include <QString>
#include <memory>

#include "engine/RomajiGuide.h"
#include "platform/widgets/Colors.h"

namespace kd {

class CachedGlyphs;

// The colours of the guide line on the dark typing panel: what was typed is dimmed, the next
// key stands out, the rest reads like the reading above it.
inline const QColor kGuideTypedColor(128, 136, 160);
inline const QColor kGuideNextColor = kGold;
inline const QColor kGuideRestColor(224, 232, 255);

// A stretch of the guide line in one look; the next key is marked (underlined).
struct GuideRun {
    QString text;
    QColor color;
    bool marked = false;
    bool operator==(const GuideRun&) const = default;
};

// The line as drawn: typed part dimmed, next key marked, the rest, and a kana the judge cannot
// type named at the end. Empty parts are left out.
QList<GuideRun> GuideRuns(const GuideLine& line);
// The same line for screen readers: "ローマ字ガイド：次は s、shika"
QString GuideLineSpoken(const GuideLine& line);

// The guide's strip: light bold letters on a dark band, centred. It holds the line's plain text
// and spoken form for readers, and draws its runs from cached glyphs, since it changes with
// every key.
class GuideLabel : public QLabel {
    Q_OBJECT
  public:
    explicit GuideLabel(QWidget* parent, int pixelSize = 15);
    ~GuideLabel() override;
    void SetLine(const GuideLine& line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QList<GuideRun> m_runs;
    std::unique_ptr<CachedGlyphs> m_glyphs;
};

}  // namespace kd
