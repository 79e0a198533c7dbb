// The results view: rows in frequency order, every column sorted both ways with ties in rank
// order, the filter in its three forms, and CSV and TSV that read back field for field.

#include "reports/ResultsView.h"

#include "FakeHost.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "util/StringUtils.h"

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

} // namespace
} // namespace lxty
