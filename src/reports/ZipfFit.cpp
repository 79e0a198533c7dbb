#include "reports/ZipfFit.h"

#include "engine/WordTable.h"

#include <algorithm>
#include <cmath>

namespace lxty {

LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y) {
    LineFit fit;
    const std::size_t n = std::min(x.size(), y.size());
    fit.points = n;
    if (n == 0)
        return fit;
    // Centred sums: the logarithms of a million ranks lie close together, and raw sums of
    // squares would lose the digits that tell them apart.
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < n; ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= static_cast<double>(n);
    my /= static_cast<double>(n);
    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = x[i] - mx, dy = y[i] - my;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    fit.intercept = my;
    if (n < 2 || sxx == 0)
        return fit;
    fit.slope = sxy / sxx;
    fit.intercept = my - fit.slope * mx;
    fit.rSquared = syy == 0 ? 1.0 : (sxy * sxy) / (sxx * syy);
    return fit;
}

LineFit FitZipf(const std::vector<std::int64_t>& frequencies) {
    std::vector<double> x, y;
    x.reserve(frequencies.size());
    y.reserve(frequencies.size());
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        if (frequencies[i] <= 0)
            continue;
        x.push_back(std::log10(static_cast<double>(i + 1)));
        y.push_back(std::log10(static_cast<double>(frequencies[i])));
    }
    return FitLine(x, y);
}

std::vector<std::int64_t> FrequenciesByRank(const WordTable& table) {
    std::vector<std::int64_t> counts;
    for (std::int64_t i = table.FirstInFrequencyOrder(); i != 0; i = table.Next(i))
        counts.push_back(table.Entry(i).count);
    return counts;
}

} // namespace lxty
