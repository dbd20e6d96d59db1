#pragma once
#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <functional>

#include "common/PlayEvents.h"
#include "learning/Statistics.h"

class QAbstractAxis;
class QButtonGroup;
class QChart;
class QChartView;
class QDateTimeAxis;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScatterSeries;
class QTableWidget;
class QWidget;

// The look the statistics window's tabs share: colours, tables, charts and notes.
namespace kd::stats {

inline constexpr QColor kStatsText(235, 238, 245);
inline constexpr QColor kUncertainText(150, 156, 172);

// The statistics window's style sheet and backdrop, also worn by the class windows.
QString WindowStyle();
void PaintWindowBackground(QWidget* w);

// The colour of the i-th kind of game on a chart and in its legend.
QColor SeriesColor(int i);

// Names shown for a mode and a genre ("練習", "慣用句").
QString ModeName(GameMode mode);
QString GenreName(const QString& genre);

QString Percent(double rate);
QString Millis(double ms);
// "（参考）" after a name whose figures rest on too few attempts.
QString UncertainMark(bool uncertain);

void SetFontPixels(QWidget* w, int px);
QLabel* TitleLabel(const QString& text = QString());
// A note shown where figures would be; the window's style sheet finds it by its name.
QLabel* NoteLabel(const QString& text);
// The widget centred in a row (with stretches: an aligned label loses its height for its
// width and a wrapped note would be cut).
QHBoxLayout* Centred(QWidget* w);
// A note in the middle of a page, a little above the centre.
QWidget* NotePage(QLabel* note);
QPushButton* Toggle(const QString& name, const QString& text, QButtonGroup* group, int id);
// Calls chosen(id) when a button of the exclusive group becomes the checked one, however that
// happened: a click, Space, or an assistive tool's toggle action (which never clicks).
void OnChosen(QButtonGroup* group, QObject* receiver, std::function<void(int)> chosen);

QTableWidget* MakeTable(const QString& name, const QStringList& headers);
// Fills one row; figures on too few attempts are greyed and say so. `align` holds a letter per
// column (l, c, r); by default text on the left and figures on the right.
void SetRow(QTableWidget* t, int row, const QStringList& cells, bool uncertain, const QString& align = {});

QChart* NewChart(const QString& title);
QChartView* NewChartView(const QString& name);
// Shows `chart` in `view` and deletes the chart it showed before.
void ReplaceChart(QChartView* view, QChart* chart);
void StyleAxis(QAbstractAxis* axis, const QString& title);
QDateTimeAxis* TimeAxis(qint64 from, qint64 to);
// Stars for personal bests.
QScatterSeries* BestMarkers();

inline constexpr int kMaxChartPoints = 250;

// Several thousand games would make one marker each: they are averaged into time slices.
template <typename Value>
QList<QPointF> Thinned(const QVector<GamePoint>& games, Value value, qint64 from, qint64 to) {
    QList<QPointF> out;
    if (games.size() <= kMaxChartPoints) {
        for (const GamePoint& g : games) out << QPointF(double(g.startedAt), value(g));
        return out;
    }
    const double slice = double(std::max<qint64>(to - from, 1)) / kMaxChartPoints;
    double sumX = 0, sumY = 0;
    int n = 0, current = -1;
    for (const GamePoint& g : games) {
        const int s = int((g.startedAt - from) / slice);
        if (s != current && n > 0) {
            out << QPointF(sumX / n, sumY / n);
            sumX = sumY = 0;
            n = 0;
        }
        current = s;
        sumX += double(g.startedAt);
        sumY += value(g);
        ++n;
    }
    if (n > 0) out << QPointF(sumX / n, sumY / n);
    return out;
}

}  // namespace kd::stats
