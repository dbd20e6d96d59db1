#pragma once
#include <QHash>
#include <QString>
#include <QWidget>

#include "learning/Statistics.h"

namespace kd::stats {

enum class KeyboardLayout { US, JIS };
enum class KeyColouring { MissRate, Slowness };

// A keyboard picture whose keys are coloured by the player's figures: green for a sure key,
// through yellow to red for the worst. Keys without figures stay grey; a figure on too few
// attempts is drawn faded.
class KeyboardView : public QWidget {
    Q_OBJECT
  public:
    explicit KeyboardView(QWidget* parent = nullptr);

    void SetKeys(const QVector<UnitStat>& keys);
    // Kana keys (games typed with kana input): the JIS keyboard with kana legends, each key's
    // figures gathering its Shift kana too (ぁ on あ, っ on つ, 、 on ね).
    void SetKanaLegends(bool on);
    void SetLayout(KeyboardLayout layout);
    void SetColouring(KeyColouring colouring);
    KeyboardLayout Layout() const { return m_layout; }
    KeyColouring Colouring() const { return m_colouring; }

    // 0 (best) .. 1 (worst) for a key, or -1 without figures.
    double Badness(const QString& key) const;

    QSize sizeHint() const override { return {720, 230}; }
    QSize minimumSizeHint() const override { return {480, 160}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QHash<QString, UnitStat> m_keys;
    double m_bestRate = 0, m_worstRate = 0;
    double m_fastest = 0, m_slowest = 0;
    KeyboardLayout m_layout = KeyboardLayout::JIS;
    KeyColouring m_colouring = KeyColouring::MissRate;
    bool m_kana = false;
};

// Figures of kana keys gathered by physical key, named by the key's plain kana.
QVector<UnitStat> KanaKeysByPlace(const QVector<UnitStat>& keys);

// The colour of a badness from 0 (sky blue, 得意) through yellow (ふつう) to 1 (rose, 苦手).
QColor BadnessColor(double badness);
// The finger that strikes a letter key on a QWERTY keyboard ("左人差し指").
QString FingerOf(const QString& key);

}  // namespace kd::stats
