#pragma once
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QStaticText>
#include <QStringView>
#include <array>
#include <bitset>
#include <memory>

class QPainter;

namespace kd {

class DirectPaint;

// Draws short lines of printable ASCII from glyphs laid out once per character, so a label that
// changes many times a second (a clock, the romaji guide) does not shape its text again on each
// repaint. Other text is drawn the ordinary way.
class CachedGlyphs {
  public:
    explicit CachedGlyphs(const QFont& font) : m_font(font), m_metrics(font) {}

    const QFont& Font() const { return m_font; }
    // Ascent plus descent: the height of the line box.
    qreal LineHeight() const { return m_metrics.ascent() + m_metrics.descent(); }
    qreal Ascent() const { return m_metrics.ascent(); }
    qreal Width(QStringView text) const;
    // Draws text with the top of its line box at y and its left end at x, in the painter's pen.
    // Returns the x after the text.
    qreal Draw(QPainter& p, qreal x, qreal y, QStringView text) const;

  private:
    static constexpr char16_t kFirst = 0x20, kLast = 0x7e;
    static bool Cached(QStringView text);
    const QStaticText& Glyph(char16_t c) const;

    QFont m_font;
    QFontMetricsF m_metrics;
    mutable std::array<QStaticText, kLast - kFirst + 1> m_glyphs;
    mutable std::array<qreal, kLast - kFirst + 1> m_advance{};
    mutable std::bitset<kLast - kFirst + 1> m_ready;
};

// A label for a clock's digits: the same text, alignment, colours and accessible text as a
// QLabel, drawn from cached glyphs (ten new texts a second would otherwise be shaped ten times).
class ClockLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClockLabel(QWidget* parent = nullptr);

    // Sets the text as setText does; while the label's window is plainly on screen the new
    // look goes straight to it (see DirectPaint) instead of through a repaint of the window.
    void ShowClockText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void DrawText(QPainter& p);

    std::unique_ptr<CachedGlyphs> m_glyphs;
    DirectPaint* m_direct;
};

}  // namespace kd
