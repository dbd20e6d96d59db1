#include "timetrial/GhostRunner.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "platform/core/TickCounter.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Timer.h"

namespace kd {

namespace {

const QColor kAheadColor(120, 255, 120);
const QColor kBehindColor(255, 150, 120);
const QColor kEvenColor(240, 240, 240);
// A dark plate keeps the text readable over the track picture.
const QColor kPlateColor(20, 28, 60, 180);

// The gap's label: its text on a rounded translucent plate, painted directly rather than by a
// style sheet, whose rules would be resolved again on every key.
class GapLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(kPlateColor);
            p.drawRoundedRect(QRectF(rect()), 4, 4);
        }
        QLabel::paintEvent(event);
    }
};

}  // namespace

GhostRunner::GhostRunner(QWidget* screen, TickCounter& clock, std::function<void()> moved)
    : QObject(screen), m_clock(clock), m_moved(std::move(moved)) {
    ghostGapText = new GapLabel(screen);
    ghostGapText->setObjectName(QStringLiteral("ghostGapText"));
    ghostGapText->setGeometry(kLabelX, kLabelY, 230, 22);
    SetPixelFont(ghostGapText, 14, true);
    ghostGapText->setIndent(6);
    ghostGapText->hide();
    // Wide enough for every gap under 100 seconds, so a new gap is only new text: no resize,
    // nothing around the label painted again.
    ghostGapText->setText(GapLine(-88880));
    m_gapSize = ghostGapText->sizeHint();
    m_gapChars = ghostGapText->text().size();
    ghostTimer = new Timer(this, QStringLiteral("ghostTimer"), 16, [this] { MoveGhost(); });
}

void GhostRunner::SetPicture(const QPixmap& ball) {
    QPixmap p(ball.size());
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setOpacity(0.4);
    painter.drawPixmap(0, 0, ball);
    m_picture = p;
}

void GhostRunner::Load(std::optional<PlayedGame> best) {
    m_enabled = true;
    m_best = std::move(best);
    m_timeline = m_best ? GhostTimeline::FromGame(*m_best) : GhostTimeline();
    Reset();
}

void GhostRunner::Disable() {
    m_enabled = false;
    m_best.reset();
    m_timeline = GhostTimeline();
    Reset();
}

void GhostRunner::Reset() {
    ghostTimer->Stop();
    m_lastGap.reset();
    const bool moved = m_x != kBallStartX;
    m_x = kBallStartX;
    if (!m_enabled) {
        ghostGapText->hide();
    } else if (m_timeline.IsEmpty()) {
        // Said once, and left alone while the run goes on.
        Paint(kEvenColor);
        ghostGapText->setText(NoBestText());
        ghostGapText->setFixedSize(ghostGapText->sizeHint());
        ghostGapText->show();
    } else {
        ShowGap(0);
    }
    if (moved && m_moved) m_moved();
}

void GhostRunner::Begin(qint32 startTick) {
    if (!HasGhost()) return;
    m_startTick = startTick;
    Step(0);
}

void GhostRunner::MoveGhost() {
    Step(std::max<qint32>(0, TickDiff(m_clock.GetTickCount(), m_startTick)));
}

void GhostRunner::Step(qint32 elapsedMs) {
    const int x = TimeTrialBallX(m_timeline.HitsAt(elapsedMs));
    if (x != m_x) {
        m_x = x;
        if (m_moved) m_moved();
    }
    const auto next = m_timeline.NextStepAfter(elapsedMs);
    if (!next) {
        ghostTimer->Stop();
        return;
    }
    ghostTimer->SetInterval(int(std::clamp<qint64>(*next - elapsedMs, 1, 60000)));
    ghostTimer->Start();
}

void GhostRunner::OnCorrectKey(int k, qint32 elapsedMs) {
    if (!HasGhost()) return;
    if (const auto gap = m_timeline.GapAtKey(k, elapsedMs)) {
        m_lastGap = gap;
        ShowGap(*gap);
    }
}

void GhostRunner::Stop() {
    ghostTimer->Stop();
}

void GhostRunner::Paint(const QColor& text) {
    // The colour changes only when the side does.
    if (text == m_paintedColor) return;
    m_paintedColor = text;
    SetForeColor(ghostGapText, text);
}

void GhostRunner::ShowGap(qint64 gapMs) {
    const GapSide side = SideOfGap(gapMs);
    Paint(side == GapSide::Ahead ? kAheadColor : side == GapSide::Behind ? kBehindColor : kEvenColor);
    ghostGapText->setText(GapLine(gapMs));
    // Laying the text out to measure it costs as much as drawing it: only a longer text than
    // any before may need more room.
    if (ghostGapText->text().size() > m_gapChars) {
        m_gapChars = ghostGapText->text().size();
        m_gapSize = m_gapSize.expandedTo(ghostGapText->sizeHint());
    }
    if (ghostGapText->size() != m_gapSize) ghostGapText->setFixedSize(m_gapSize);
    ghostGapText->show();
}

}  // namespace kd
