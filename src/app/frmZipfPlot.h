#pragma once
// The Zipf plot of a count: log10 frequency against log10 rank for every listed entry, with
// the least-squares line (ZipfFit) drawn over it and its slope and R² printed on the plot.
// Saved as PNG or SVG.

#include "reports/ZipfFit.h"

#include <QWidget>

class QLabel;

class QChart;
class QChartView;

namespace lxty {
class WordTable;
}

namespace lxty::app {

class frmZipfPlot : public QWidget {
    Q_OBJECT
public:
    explicit frmZipfPlot(QWidget* parent = nullptr);

    // Plots the included entries of table in frequency order (the chain must be built).
    void Plot(const WordTable& table);
    const LineFit& Fit() const { return m_fit; }
    // Saves the plot as SVG when path ends in ".svg", else as PNG; false after a message.
    bool SaveTo(const QString& path);

private:
    void ChooseFile(bool svg);

    LineFit m_fit;
    QChart* m_chart = nullptr;
    QChartView* m_chvPlot = nullptr;
    QLabel* m_lblFit = nullptr;
};

} // namespace lxty::app
