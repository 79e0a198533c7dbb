#pragma once
// A folder walk with a client that records all the walk hands it: the files to process (shown
// path, number, and "number folders size path" lines), the output window's text and every
// text set. RecordedWalk holds the host, run state, client and walk of one such walk.

#include "FakeHost.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "sources/FolderScan.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lxty::test {

struct RecordingClient : FolderWalkClient {
    std::vector<std::u16string> processed;
    std::vector<std::int64_t> numbers;
    std::vector<std::string> lines; // "number folders size path", as the walk saw each file
    std::vector<std::u16string> sets;
    std::u16string appended;
    std::function<void(std::int64_t)> onFile;
    const FolderWalk* walk = nullptr; // set by RecordedWalk

    void ProcessFile(const std::filesystem::path& file, const std::u16string& shown,
                     std::int64_t n) override {
        EXPECT_EQ(ShownPath(file), shown);
        processed.push_back(shown);
        numbers.push_back(n);
        if (walk) // a walk made elsewhere leaves the lines out
            lines.push_back(std::to_string(n) + " " + std::to_string(walk->FoldersCounted()) + " " +
                            std::to_string(walk->CurrentFile().size) + " " + U16ToUtf8(shown));
        if (onFile)
            onFile(n);
    }
    void OutputAppend(const std::u16string& text) override { appended += text; }
    void OutputSet(const std::u16string& text) override { sets.push_back(text); }
};

struct RecordedWalk {
    // A new recorder and a new walk over the files the settings' pattern boxes select.
    FolderWalk& NewWalk(const Settings& s = Settings{}) {
        client = RecordingClient{};
        walk.emplace(host, state, FileSelection::FromSettings(s), client);
        client.walk = &*walk;
        return *walk;
    }
    // One pass of a new walk; the files it handed to the client.
    const std::vector<std::u16string>& Pass(const std::u16string& folder,
                                            const FolderWalkOptions& options,
                                            const Settings& s = Settings{}) {
        NewWalk(s).Run(folder, options);
        return client.processed;
    }

    FakeHost host;
    RunState state;
    RecordingClient client;
    std::optional<FolderWalk> walk;
};

} // namespace lxty::test
