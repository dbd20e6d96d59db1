#pragma once
#include <QLabel>
#include <QToolButton>
#include <QWidget>

namespace kd {

// An up-down spinner bound to a label: each step writes the new value into the label's
// caption, which is what the dialog reads. It stops at its ends rather than wrapping.
class UpDown : public QWidget {
    Q_OBJECT
  public:
    UpDown(QWidget* parent, const QString& name, QLabel* buddy, int min, int max, int increment);

    int Value() const { return m_value; }
    // Takes the value from the label (what the dialog put there), kept within range.
    void SyncFromBuddy();
    void StepUp() { Step(m_increment); }
    void StepDown() { Step(-m_increment); }

    QToolButton* upButton;
    QToolButton* downButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Step(int delta);
    QLabel* m_buddy;
    int m_min, m_max, m_increment, m_value;
};

}  // namespace kd
