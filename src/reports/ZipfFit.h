#pragma once
// The rank-frequency line of a word list: the least-squares line of log10 frequency against
// log10 rank, the straight line Zipf's law predicts (a slope near -1 for natural text).

#include <cstdint>
#include <vector>

namespace lxty {

class WordTable;

struct LineFit {
    double slope = 0;
    double intercept = 0;
    double rSquared = 0; // 1 for a perfect fit, points lying on one horizontal line included
    std::size_t points = 0;
};

// Least squares of y on x over the pairs of x and y (the shorter length counts). Fewer than
// two points, or every x the same: slope and intercept 0 (intercept the mean of y), R² 0.
LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y);

// frequencies in rank order (rank 1 first): fits log10 frequency against log10 rank over the
// positive frequencies.
LineFit FitZipf(const std::vector<std::int64_t>& frequencies);

// The counts of the included entries of a table whose frequency chain has been built, in
// frequency order.
std::vector<std::int64_t> FrequenciesByRank(const WordTable& table);

} // namespace lxty
