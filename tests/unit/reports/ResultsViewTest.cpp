// The results view: rows in frequency order, every column sorted both ways with ties in rank
// order, the filter in its three forms, CSV and TSV that read back field for field, and the
// rank-frequency fit of its plot on data whose line is known.

#include "reports/ResultsView.h"
#include "reports/ZipfFit.h"

#include "FakeHost.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "util/StringUtils.h"

#include <cmath>
#include <gtest/gtest.h>

namespace lxty {
namespace {

struct Counted {
    test::FakeHost host;
    Settings settings;
    RunState rs;
    WordTable table;
    ResultsView view{table};
    // (word, occurrences, files): a folder run when any word has files.
    explicit Counted(std::vector<std::tuple<std::u16string, int, int>> words, bool sort = true) {
        bool folder = false;
        for (const auto& [w, n, files] : words)
            folder = folder || files > 0;
        for (const auto& [w, n, files] : words)
            for (int i = 0; i < n; ++i) {
                if (folder)
                    table.UpdateCurrentFile(u"f" + Utf8ToU16(std::to_string(i * files / n)));
                table.Count(w, folder ? FileScope::Folder : FileScope::SingleSource,
                            table.CurrentFileNumber());
            }
        if (sort)
            table.SortAlphabetically();
        table.Summarize(rs, host);
        table.BuildFrequencyChain(settings, rs, host);
        view.Reload();
    }
    std::string Column(ResultsColumn c) const {
        std::string s;
        for (std::size_t r = 0; r < view.Shown(); ++r)
            s += (r ? " " : "") + U16ToUtf8(view.Cell(r, c));
        return s;
    }
};

// The fields of a CSV text, by RFC 4180.
std::vector<std::vector<std::u16string>> ReadCsv(std::u16string_view text) {
    std::vector<std::vector<std::u16string>> rows(1, std::vector<std::u16string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                rows.back().back() += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                rows.back().back() += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            rows.back().emplace_back();
        } else if (c == u'\n') {
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    rows.pop_back(); // after the last line end
    return rows;
}

TEST(ResultsView, SortsEveryColumnBothWaysWithTiesInRankOrder) {
    Counted c({{u"beta", 3, 0}, {u"Alpha", 3, 0}, {u"gamma", 5, 0}, {u"delta", 1, 0}});
    EXPECT_EQ(4u, c.view.Total());
    EXPECT_EQ("gamma Alpha beta delta", c.Column(ResultsColumn::Entry));
    EXPECT_EQ("1 2 3 4", c.Column(ResultsColumn::Rank));
    EXPECT_EQ("41.6667% 25.0000% 25.0000% 8.3333%", c.Column(ResultsColumn::Relative));
    struct Case {
        ResultsColumn column;
        bool descending;
        const char* entries;
    };
    for (const Case& s : {Case{ResultsColumn::Entry, false, "Alpha beta delta gamma"},
                          Case{ResultsColumn::Entry, true, "gamma delta beta Alpha"},
                          Case{ResultsColumn::Frequency, false, "delta Alpha beta gamma"},
                          Case{ResultsColumn::Frequency, true, "gamma Alpha beta delta"},
                          Case{ResultsColumn::Relative, false, "delta Alpha beta gamma"},
                          Case{ResultsColumn::Rank, true, "delta beta Alpha gamma"},
                          Case{ResultsColumn::Rank, false, "gamma Alpha beta delta"}}) {
        c.view.Sort(s.column, s.descending);
        EXPECT_EQ(s.entries, c.Column(ResultsColumn::Entry));
    }
    // Words equal but for case: by key, then by the word, whether the count sorted its
    // table alphabetically or left it in ordinal order.
    for (const bool sorted : {true, false}) {
        Counted u({{u"b", 1, 0}, {u"B", 2, 0}, {u"a", 3, 0}, {u"\u00E1", 1, 0}}, sorted);
        u.view.Sort(ResultsColumn::Entry, false);
        EXPECT_EQ("a \xC3\xA1 B b", u.Column(ResultsColumn::Entry)) << sorted;
    }
}

TEST(ResultsView, FiltersByTextOrPattern) {
    Counted c({{u"lord", 9, 0},
               {u"Lords", 2, 0},
               {u"landlord", 4, 0},
               {u"load", 3, 0},
               {u"of the", 5, 0},
               {u"a.b", 1, 0}});
    struct Case {
        const char* filter;
        bool caseSignificant;
        bool accepted;
        const char* shown;
    };
    for (const Case& f : {
             Case{"", false, true, "lord of the landlord load Lords a.b"},
             Case{"LORD", false, true, "lord landlord Lords"},
             Case{"Lord", true, true, "Lords"},
             Case{"l~d", false, true, "lord landlord load"}, // whole entry
             Case{"lo?d", false, true, "lord load"},
             Case{"~ the", false, true, "of the"},
             Case{"<^l.*s$>", false, true, "Lords"},
             Case{"a.b", false, true, "a.b"}, // plain text: the dot is a dot
             Case{"<(>", false, false, ""},
             Case{"zzz", false, true, ""},
         }) {
        SCOPED_TRACE(f.filter);
        EXPECT_EQ(f.accepted, c.view.SetFilter(Utf8ToU16(f.filter), f.caseSignificant));
        EXPECT_EQ(f.shown, c.Column(ResultsColumn::Entry));
    }
    // The filter holds through a sort, and a reload clears it.
    c.view.SetFilter(u"lo");
    c.view.Sort(ResultsColumn::Entry, false);
    EXPECT_EQ("landlord load lord Lords", c.Column(ResultsColumn::Entry));
    EXPECT_EQ(6u, c.view.Total());
    c.view.Reload();
    EXPECT_EQ(6u, c.view.Shown());
}

TEST(ResultsView, ExportsReadBackFieldForField) {
    Counted c({{u"plain", 4, 2}, {u"com,ma", 3, 1}, {u"quo\"te", 2, 2}, {u"tab\tbed", 1, 1}});
    ASSERT_TRUE(c.view.HasFiles());
    const std::u16string csv = c.view.Export(true);
    EXPECT_EQ(u"Rank,Word or phrase,Frequency,Relative frequency,Files\n"
              u"1,plain,4,40.0000%,2\n"
              u"2,\"com,ma\",3,30.0000%,1\n"
              u"3,\"quo\"\"te\",2,20.0000%,2\n"
              u"4,tab\tbed,1,10.0000%,1\n",
              csv);
    const auto rows = ReadCsv(csv);
    ASSERT_EQ(5u, rows.size());
    for (std::size_t r = 0; r < c.view.Shown(); ++r)
        for (std::size_t k = 0; k < c.view.Columns().size(); ++k)
            EXPECT_EQ(c.view.Cell(r, c.view.Columns()[k]), rows[r + 1][k]);
    EXPECT_EQ(u"Rank\tWord or phrase\tFrequency\tRelative frequency\tFiles\n"
              u"4\ttab bed\t1\t10.0000%\t1\n"
              u"2\tcom,ma\t3\t30.0000%\t1\n",
              c.view.Export(false, {3, 1, 9}));
}

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
