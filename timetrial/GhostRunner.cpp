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

}  // namespace

GhostRunner::GhostRunner(QWidget* screen, TickCounter& clock, std::function<void()> moved)
    : QObject(screen), m_clock(clock), m_moved(std::move(moved)) {
    lblGhostGap = MakeLabel(screen, QStringLiteral("lblGhostGap"), QString(), kLabelX, kLabelY, 230, 22);
    SetPixelFont(lblGhostGap, 14, true);
    lblGhostGap->setIndent(6);
    lblGhostGap->hide();
    // Wide enough for every gap under 100 seconds, so a new gap is only new text: no resize,
    // nothing around the label painted again.
    lblGhostGap->setText(GapLine(-88880));
    m_gapSize = lblGhostGap->sizeHint();
    tmrGhost = new Timer(this, QStringLiteral("tmrGhost"), 16, [this] { tmrGhost_Timer(); });
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
    tmrGhost->Stop();
    m_lastGap.reset();
    const bool moved = m_x != kBallStartX;
    m_x = kBallStartX;
    if (!m_enabled) {
        lblGhostGap->hide();
    } else if (m_timeline.IsEmpty()) {
        // Said once, and left alone while the run goes on.
        Paint(kEvenColor);
        lblGhostGap->setText(NoBestText());
        lblGhostGap->setFixedSize(lblGhostGap->sizeHint());
        lblGhostGap->show();
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

void GhostRunner::tmrGhost_Timer() {
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
        tmrGhost->Stop();
        return;
    }
    tmrGhost->SetInterval(int(std::clamp<qint64>(*next - elapsedMs, 1, 60000)));
    tmrGhost->Start();
}

void GhostRunner::OnCorrectKey(int k, qint32 elapsedMs) {
    if (!HasGhost()) return;
    if (const auto gap = m_timeline.GapAtKey(k, elapsedMs)) {
        m_lastGap = gap;
        ShowGap(*gap);
    }
}

void GhostRunner::Stop() {
    tmrGhost->Stop();
}

void GhostRunner::Paint(const QColor& text) {
    // Restyling costs a re-polish; the colour changes only when the side does.
    if (text == m_paintedColor) return;
    m_paintedColor = text;
    // A dark plate keeps the text readable over the track picture.
    lblGhostGap->setStyleSheet(QStringLiteral("QLabel { color: %1; background: rgba(20,28,60,180); "
                                              "border-radius: 4px; }")
                                   .arg(text.name()));
}

void GhostRunner::ShowGap(qint64 gapMs) {
    const GapSide side = SideOfGap(gapMs);
    Paint(side == GapSide::Ahead ? kAheadColor : side == GapSide::Behind ? kBehindColor : kEvenColor);
    lblGhostGap->setText(GapLine(gapMs));
    const QSize want = lblGhostGap->sizeHint();
    if (want.width() > m_gapSize.width() || want.height() > m_gapSize.height())
        m_gapSize = m_gapSize.expandedTo(want);
    if (lblGhostGap->size() != m_gapSize) lblGhostGap->setFixedSize(m_gapSize);
    lblGhostGap->show();
}

}  // namespace kd
