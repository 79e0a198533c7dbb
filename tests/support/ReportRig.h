#pragma once
// One report context for the tests of the reports, phrases and run modules: a scripted host
// with the settings, run state, text window, report state and word table that listings read,
// plus the small helpers those tests share (files as bytes, UTF-8 texts, messages as
// "title|text" lines, the table as "word=count@file:count" lines, temporary paths by name).

#include "FakeHost.h"
#include "Golden.h"
#include "TempDir.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "reports/OutputFile.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "settings/Settings.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lxty {
namespace fs = std::filesystem;
}

namespace lxty::test {

inline std::string N(const std::u16string& s) {
    return U16ToUtf8(s);
}
inline std::u16string U(const std::string& s) {
    return Utf8ToU16(s);
}

// The messages shown, in order, as "title|text".
inline std::vector<std::string> Shown(const FakeHost& host) {
    std::vector<std::string> out;
    for (const auto& m : host.messages)
        out.push_back(N(m.title) + "|" + N(m.text));
    return out;
}

// The messages shown, one a line: "title|text (icon n)", questions marked "? ".
inline std::string Said(const FakeHost& host) {
    std::string out;
    for (const auto& m : host.messages)
        out += std::string(out.empty() ? "" : "\n") + (m.question ? "? " : "") + N(m.title) + "|" +
               N(m.text) + " (icon " + std::to_string(static_cast<int>(m.icon)) + ")";
    return out;
}

// The text with each occurrence of the folder's path written as name (say "{dir}"), so that
// expected files hold no temporary folder.
inline std::string Named(std::string text, const fs::path& folder, const std::string& name) {
    const std::string from = folder.string();
    for (std::size_t p; (p = text.find(from)) != std::string::npos;)
        text.replace(p, from.size(), name);
    return text;
}

// The entries of a table in table order as "word=count", with "@file:count" for each file
// when perFile is set; only included entries when includedOnly is set.
inline std::vector<std::string> Entries(const WordTable& t, bool perFile = false,
                                        bool includedOnly = false) {
    std::vector<std::string> out;
    for (std::int64_t i = 1; i <= t.Size(); ++i) {
        const WordEntry& e = t.Entry(i);
        if (includedOnly && !e.included)
            continue;
        std::string line = N(e.word) + "=" + std::to_string(e.count);
        if (perFile)
            e.ForEachFile([&](const FileCount& f) {
                line += "@" + std::to_string(f.fileNumber) + ":" + std::to_string(f.count);
            });
        out.push_back(line);
    }
    return out;
}

// Everything a listing, an output file or an error report reads.
struct ReportRig {
    FakeHost host;
    Settings settings;
    RunState run;
    TextWindow tw{host};
    ReportState report;
    WordTable table;
    ReportContext ctx{{host, settings, run, tw, report}, table, {}, {}};
    OutputContext& out = ctx;

    std::vector<std::string> Shown() const { return test::Shown(host); }
    std::string Said() const { return test::Said(host); }
    // The one message shown, as "title|text"; fails when there is not exactly one.
    std::string Only() const {
        EXPECT_EQ(1u, host.messages.size());
        return host.messages.empty() ? "" : test::Shown(host).back();
    }
};

} // namespace lxty::test
