// The rank-frequency fit on data whose line is known.

#include "reports/ZipfFit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lxty {
namespace {

// Frequencies c / rank^s for ranks 1..n, kept as exact doubles or rounded to whole counts.
std::vector<double> PowerLaw(int n, double c, double s) {
    std::vector<double> f;
    for (int r = 1; r <= n; ++r)
        f.push_back(c / std::pow(r, s));
    return f;
}

TEST(ZipfFit, RecoversKnownSlopes) {
    struct Case {
        double exponent;
        int ranks;
        bool rounded;     // whole counts, as a word table holds them
        double tolerance; // on the slope
        double minR2;
    };
    for (const Case& c :
         {Case{1.0, 1000, false, 1e-9, 1 - 1e-12}, Case{1.5, 1000, false, 1e-9, 1 - 1e-12},
          Case{1.0, 5000, true, 0.02, 0.99}, Case{1.5, 300, true, 0.02, 0.99}}) {
        SCOPED_TRACE(c.exponent);
        const std::vector<double> f = PowerLaw(c.ranks, 1e6, c.exponent);
        LineFit fit;
        if (c.rounded) {
            std::vector<std::int64_t> counts;
            for (double v : f)
                counts.push_back(std::llround(v));
            fit = FitZipf(counts);
        } else {
            std::vector<double> x, y;
            for (int r = 1; r <= c.ranks; ++r) {
                x.push_back(std::log10(r));
                y.push_back(std::log10(f[r - 1]));
            }
            fit = FitLine(x, y);
            EXPECT_NEAR(6.0, fit.intercept, 1e-9);
        }
        EXPECT_EQ(static_cast<std::size_t>(c.ranks), fit.points);
        EXPECT_NEAR(-c.exponent, fit.slope, c.tolerance);
        EXPECT_GE(fit.rSquared, c.minR2);
        EXPECT_LE(fit.rSquared, 1.0 + 1e-12);
    }
}

TEST(ZipfFit, TooFewOrDegeneratePoints) {
    struct Case {
        std::vector<std::int64_t> counts;
        std::size_t points;
        double slope, intercept, r2;
    };
    for (const Case& c : {
             Case{{}, 0, 0, 0, 0}, Case{{100}, 1, 0, 2, 0}, // one point: no line
             Case{{100, 10}, 2, -1 / std::log10(2), 2, 1},  // two points: the line through both
             Case{{5, 5, 5, 5}, 4, 0, std::log10(5), 1},    // a flat list lies on its line
             Case{{0, 0}, 0, 0, 0, 0},                      // no positive count
             Case{{100, 0, 0, 10}, 2, -0.5 / std::log10(2), 2, 1}, // ranks keep their place
         }) {
        const LineFit fit = FitZipf(c.counts);
        EXPECT_EQ(c.points, fit.points);
        EXPECT_NEAR(c.slope, fit.slope, 1e-12);
        EXPECT_NEAR(c.intercept, fit.intercept, 1e-12);
        EXPECT_NEAR(c.r2, fit.rSquared, 1e-12);
    }
}

TEST(ZipfFit, ScatterLowersRSquared) {
    // Alternate points above and below a line of slope -1: the slope stays near -1, R² drops.
    std::vector<double> x, y;
    for (int r = 1; r <= 200; ++r) {
        x.push_back(std::log10(r));
        y.push_back(3 - std::log10(r) + (r % 2 ? 0.3 : -0.3));
    }
    const LineFit fit = FitLine(x, y);
    EXPECT_NEAR(-1.0, fit.slope, 0.05);
    EXPECT_LT(fit.rSquared, 0.95);
    EXPECT_GT(fit.rSquared, 0.5);
}

} // namespace
} // namespace lxty
