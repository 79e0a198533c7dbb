#include "app/frmZipfPlot.h"

#include "app/WindowBuilder.h"

#include "engine/WordTable.h"

#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <cmath>

namespace lxty::app {

namespace {

// Points closer than this in log10 rank are drawn once: a million ranks become a few
// thousand points, and the plot looks the same.
constexpr double kRankStep = 0.001;

} // namespace

frmZipfPlot::frmZipfPlot(QWidget* parent) : QWidget(parent, Qt::Window) {
    NameWindow(this, "frmZipfPlot", QStringLiteral("Zipf plot"));
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chvPlot =
        Named(new QChartView(m_chart, this), "chvPlot", QStringLiteral("Rank-frequency plot"));
    m_chvPlot->setRenderHint(QPainter::Antialiasing);
    m_chvPlot->setFocusPolicy(Qt::StrongFocus);
    m_lblFit = Make<QLabel>(this, "lblFit", QString(), QStringLiteral("Fitted line"));
    m_lblFit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* savePng = Make<QPushButton>(this, "cmdSavePng", QStringLiteral("Save as &PNG..."),
                                      QStringLiteral("Save as PNG"));
    auto* saveSvg = Make<QPushButton>(this, "cmdSaveSvg", QStringLiteral("Save as S&VG..."),
                                      QStringLiteral("Save as SVG"));
    LayOutToolWindow(this, nullptr, m_chvPlot, m_lblFit, {savePng, saveSvg, CloseButton(this)},
                     {720, 540});
    connect(savePng, &QPushButton::clicked, this, [this] { ChooseFile(false); });
    connect(saveSvg, &QPushButton::clicked, this, [this] { ChooseFile(true); });
}

void frmZipfPlot::Plot(const WordTable& table) {
    const std::vector<std::int64_t> counts = FrequenciesByRank(table);
    m_fit = FitZipf(counts);

    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes())
        m_chart->removeAxis(axis);
    auto* points = new QScatterSeries;
    points->setName(QStringLiteral("entries"));
    points->setMarkerSize(5);
    points->setBorderColor(Qt::transparent);
    double lastX = -1, maxX = 0, maxY = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] <= 0)
            continue;
        const double x = std::log10(static_cast<double>(i + 1));
        if (x - lastX < kRankStep && i + 1 != counts.size())
            continue;
        const double y = std::log10(static_cast<double>(counts[i]));
        points->append(x, y);
        lastX = x;
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("least-squares line"));
    QPen pen(QColor(200, 40, 40));
    pen.setWidthF(2);
    line->setPen(pen);
    if (m_fit.points >= 2) {
        line->append(0, m_fit.intercept);
        line->append(maxX, m_fit.intercept + m_fit.slope * maxX);
    }
    m_chart->addSeries(points);
    m_chart->addSeries(line);
    auto* axisX = new QValueAxis;
    axisX->setTitleText(QStringLiteral("log10 rank"));
    axisX->setRange(0, std::max(1.0, std::ceil(maxX * 2) / 2));
    axisX->setLabelFormat(QStringLiteral("%.1f"));
    auto* axisY = new QValueAxis;
    axisY->setTitleText(QStringLiteral("log10 frequency"));
    axisY->setRange(0, std::max(1.0, std::ceil(maxY * 2) / 2));
    axisY->setLabelFormat(QStringLiteral("%.1f"));
    axisX->applyNiceNumbers();
    axisY->applyNiceNumbers();
    m_chart->addAxis(axisX, Qt::AlignBottom);
    m_chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(points), static_cast<QAbstractSeries*>(line)}) {
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    const QString fit = m_fit.points >= 2
                            ? QStringLiteral("slope %1, intercept %2, R\u00B2 %3 (%4 entries)")
                                  .arg(m_fit.slope, 0, 'f', 3)
                                  .arg(m_fit.intercept, 0, 'f', 3)
                                  .arg(m_fit.rSquared, 0, 'f', 4)
                                  .arg(m_fit.points)
                            : QStringLiteral("too few entries for a line");
    // On the plot itself, so that a saved picture says it too.
    m_chart->setTitle(QStringLiteral("Rank and frequency: ") + fit);
    m_lblFit->setText(fit);
}

bool frmZipfPlot::SaveTo(const QString& path) {
    bool ok = false;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(m_chvPlot->size());
        svg.setViewBox(m_chvPlot->rect());
        svg.setTitle(windowTitle());
        QPainter painter;
        if (painter.begin(&svg)) {
            m_chvPlot->render(&painter);
            ok = painter.end();
        }
        ok = ok && QFileInfo::exists(path);
    } else {
        ok = m_chvPlot->grab().save(path, "PNG");
    }
    if (!ok)
        QMessageBox::warning(this, QStringLiteral("Save plot"),
                             QStringLiteral("The plot could not be saved as %1.").arg(path));
    return ok;
}

void frmZipfPlot::ChooseFile(bool svg) {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save plot"), QString(),
                                                      svg ? QStringLiteral("SVG pictures (*.svg)")
                                                          : QStringLiteral("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    const QString suffix = svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    SaveTo(path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix);
}

} // namespace lxty::app
