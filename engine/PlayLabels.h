#pragma once
#include <QString>

namespace kd {

// The three play labels of a play screen, as the typing judge sees them: readingText (text
// still to type), romajiTyped (romaji typed for the current kana) and questionText (kanji form or
// whole English word). Screens forward to their QLabels; tests and benchmarks use strings.
class PlayLabels {
  public:
    virtual ~PlayLabels() = default;
    virtual QString Display() const = 0;
    virtual void SetDisplay(const QString& text) = 0;
    virtual QString Input() const = 0;
    virtual void SetInput(const QString& text) = 0;
    virtual QString Monitor() const = 0;
    virtual void SetMonitor(const QString& text) = 0;

    // Edits the judge makes on every key; an implementation that owns its strings can do
    // them in place.
    virtual void RemoveDisplayFront(int count) { SetDisplay(Display().mid(count)); }
    virtual void AppendInput(QChar ch) { SetInput(Input() + ch); }
    virtual void ClearInput() { SetInput(QString()); }
};

// Plain strings: the labels of a test or a benchmark.
class StringPlayLabels : public PlayLabels {
  public:
    QString Display() const override { return display; }
    void SetDisplay(const QString& text) override { display = text; }
    QString Input() const override { return input; }
    void SetInput(const QString& text) override { input = text; }
    QString Monitor() const override { return monitor; }
    void SetMonitor(const QString& text) override { monitor = text; }
    void RemoveDisplayFront(int count) override { display.remove(0, count); }
    void AppendInput(QChar ch) override { input.append(ch); }
    void ClearInput() override { input.resize(0); }  // keeps the buffer for the next unit

    QString display, input, monitor;
};

}  // namespace kd
