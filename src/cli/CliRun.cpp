#include "cli/CliRun.h"

#include "base/RunState.h"
#include "cli/CliHost.h"
#include "engine/WordListFiles.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "run/Concordance.h"
#include "run/CountRun.h"
#include "run/CountSession.h"
#include "settings/SavedState.h"
#include "settings/Settings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "sources/Utf8Decode.h"
#include "util/Catalogue.h"
#include "util/Cp1252.h"
#include "util/DataFolder.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

namespace lxty::cli {

namespace fs = std::filesystem;

namespace {

// The folder of the running program, where the data files live.
fs::path ProgramFolder(const std::string& argv0) {
    std::error_code ec;
    auto self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return fs::absolute(fs::path(argv0), ec).parent_path();
}

std::u16string PathText(const fs::path& p) {
    return Utf8ToU16(p.string());
}

// Without --output, the report goes to a private temporary file whose bytes are then copied
// to standard output: standard output receives exactly what the output file would hold.
class StandInOutputFile {
public:
    StandInOutputFile() {
        std::random_device rd;
        std::error_code ec;
        const fs::path dir = fs::temp_directory_path(ec);
        for (int i = 0; i < 100 && m_path.empty(); ++i) {
            fs::path candidate = dir / ("lexitally-cli-" + std::to_string(rd()) + ".out");
            if (!fs::exists(candidate, ec))
                m_path = candidate;
        }
    }
    ~StandInOutputFile() {
        std::error_code ec;
        if (!m_path.empty())
            fs::remove(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }
    // Copies the file to out; false when it was never written.
    bool CopyTo(std::ostream& out) const {
        std::ifstream in(m_path, std::ios::binary);
        if (!in)
            return false;
        out << in.rdbuf();
        return true;
    }

private:
    fs::path m_path;
};

void WriteText(std::ostream& out, const std::u16string& text) {
    out << U16ToUtf8(text);
    if (!text.empty() && text.back() != u'\n')
        out << kLineEnd8;
}

ForcedAnswer AnswerOf(const CliOptions& options) {
    return options.yes ? ForcedAnswer::Yes : (options.no ? ForcedAnswer::No : ForcedAnswer::None);
}

// A settings file first, as "Load settings from file" does, its questions answered Yes; then
// every --set in order. A word-list file is added, selected and read; a common-word language
// has its file read. Returns the exit status to end with, or std::nullopt to go on.
std::optional<int> ApplySettings(const CliOptions& options, CountSession& session, CliHost& host,
                                 std::ostream& err) {
    Settings& settings = session.settings;
    if (options.settingsFile) {
        host.SetForcedAnswer(ForcedAnswer::Yes);
        WordListRestoreActions actions(session.wordLists, true);
        const auto loaded = LoadSettingsFromFile(fs::path(*options.settingsFile), settings,
                                                 session.state, host, actions);
        host.SetForcedAnswer(AnswerOf(options));
        if (loaded.restore.code != kRestoreOk) {
            err << "lexitally-cli: the settings file " << *options.settingsFile
                << " could not be loaded.\n";
            return 1;
        }
    }
    for (const auto& [name, value] : options.sets) {
        const std::u16string field = Utf8ToU16(name);
        const std::u16string text = Utf8ToU16(value);
        std::u16string why;
        if (!SetFieldByName(settings, field, text, &why)) {
            err << "lexitally-cli: " << U16ToUtf8(why) << '\n';
            return 2;
        }
        if (field == u"WordsFile0" || field == u"WordsFile1") {
            const int index = field.back() - u'0';
            if (!text.empty() && !session.wordLists.UseWordsFile(index, text))
                return 1;
        } else if (field == u"CommonWordsLanguages") {
            if (!session.wordLists.UseLanguage(settings.CommonWordsLanguages))
                return 1;
        }
    }
    return std::nullopt;
}

// --list-settings: one line per field of the record, "NAME=VALUE", then what it accepts.
void ListSettings(const Settings& settings, std::ostream& out) {
    for (const SettingsField& field : SettingsFieldTable()) {
        std::string line = U16ToUtf8(field.name) + "=" +
                           U16ToUtf8(GetFieldByName(settings, field.name).value_or(u""));
        line.resize(std::max<std::size_t>(line.size() + 2, 40), ' ');
        out << line << "# " << U16ToUtf8(AcceptedValues(field)) << '\n';
    }
}

// The source: a folder, a file, or standard input standing for the clipboard. Standard
// output stands for the output file, so the questions that ask for one ("Large input file",
// "Multiple files/folders") never arise here.
void ChooseSourceAndOutput(const CliOptions& options, CountSession& session, std::istream& in,
                           const StandInOutputFile& standIn) {
    Settings& settings = session.settings;
    std::error_code ec;
    if (!options.source || *options.source == "-") {
        settings.Source = SourceKind::OnClipboard;
        session.run.SetTextStream(&in); // read as it comes, in bounded memory
    } else if (fs::is_directory(fs::path(*options.source), ec)) {
        settings.Source = SourceKind::Folder;
        settings.Folder = Utf8ToU16(*options.source);
    } else {
        settings.Source = SourceKind::InFile;
        settings.File[0] = Utf8ToU16(*options.source);
    }
    ApplyFieldDependencies(settings);

    if (options.output)
        settings.File[1] = Utf8ToU16(*options.output);
    else if (!options.listFiles)
        settings.File[1] = PathText(standIn.Path());
    else
        settings.File[1].clear();
}

int StatusOf(RunOutcome outcome) {
    return outcome == RunOutcome::Produced ? 0 : 1;
}

// --concordance: the count the options name, run to list the occurrences of one entry as
// they are counted (the report goes to the stand-in file and is dropped). The entry is
// lower-cased as the count lower-cases words unless case is significant.
int RunConcordance(const CliOptions& options, CountSession& session, CliHost& host,
                   std::ostream& out) {
    CountMode mode = CountMode::AllWords;
    if (options.count == CountKind::Phrases) {
        mode = CountMode::AllPhrases;
    } else if (options.count == CountKind::Specified) {
        mode = CountMode::SpecifiedWords;
        if (!session.LoadWordListsFor(mode))
            return 1;
        if (!session.state.blnThereAreCountOnlyWords) {
            host.MessageBox(u"There are no count-only words/phrases.", u"", MsgIcon::Exclamation);
            return 1;
        }
    }
    std::u16string entry = Utf8ToU16(*options.concordance);
    if (session.settings.CaseSignificant != 1)
        entry = LowerCaseAll(entry);
    Concordance concordance(session);
    const RunOutcome outcome =
        concordance.Run(mode, entry, options.context, [&](const ConcordanceHit& hit) {
            out << U16ToUtf8(FormatHit(hit, options.context)) << kLineEnd8;
        });
    return StatusOf(outcome);
}

// The count the options name. Returns the exit status.
int RunCount(const CliOptions& options, CountSession& session, CliHost& host,
             const StandInOutputFile& standIn, std::ostream& out, std::ostream& err) {
    const std::u16string& textWindow = session.textWindow.Text();
    if (options.listFiles) {
        if (session.settings.Source != SourceKind::Folder) {
            err << "lexitally-cli: --list-files needs a folder as SOURCE.\n";
            return 2;
        }
        const RunOutcome outcome = session.ListFiles();
        WriteText(out, textWindow);
        return StatusOf(outcome);
    }

    RunOutcome outcome = RunOutcome::Refused;
    if (options.concordance)
        return RunConcordance(options, session, host, out);
    switch (options.count) {
    case CountKind::All:
        outcome = session.Count(CountMode::AllWords);
        break;
    case CountKind::Specified:
        // The count-choice dialog offers this count only when there is something to count.
        if (!session.LoadWordListsFor(CountMode::SpecifiedWords))
            return 1;
        if (!session.state.blnThereAreCountOnlyWords) {
            host.MessageBox(u"There are no count-only words/phrases.", u"", MsgIcon::Exclamation);
            return 1;
        }
        outcome = session.Count(CountMode::SpecifiedWords);
        break;
    case CountKind::Array:
        if (session.settings.Source != SourceKind::Folder) {
            err << "lexitally-cli: --count array needs a folder as SOURCE.\n";
            return 2;
        }
        // The array counts the specified words when there are any, as the window's button
        // does once the boxes of the Settings window have been read: read them first, so
        // that typed count-only words count as well as a count-only file.
        if (!session.LoadWordListsFor(CountMode::SpecifiedWords))
            return 1;
        outcome = session.CountArray();
        if (outcome == RunOutcome::Produced && options.textWindow)
            WriteText(out, textWindow);
        return StatusOf(outcome);
    case CountKind::Phrases:
        outcome = session.CountPhrases();
        break;
    }

    if (options.textWindow) {
        WriteText(out, textWindow);
    } else if (!options.output) {
        // Nothing was written to the file (nothing found, or a refusal): show what the
        // text window says instead, so the person is never left with no answer.
        if (!session.report.blnWrittenToFile || !standIn.CopyTo(out))
            WriteText(outcome == RunOutcome::Produced ? out : err, textWindow);
    }
    return StatusOf(outcome);
}

} // namespace

// Where a quick end leaves the session: reachable until the process ends.
CountSession* g_sessionLeftAtExit = nullptr;

int Run(const CliOptions& options, const std::string& argv0, std::istream& in, std::ostream& out,
        std::ostream& err, RunEnd end) {
    CliHost host(err, AnswerOf(options));
    const fs::path dataFolder = FindDataFolder(ProgramFolder(argv0));
    const auto catalogue = dataFolder / "lxty.dat";
    const CatalogueLoadResult loaded = LoadProgramTexts(catalogue);
    if (!loaded.Loaded())
        host.MessageBox(CatalogueLoadMessage(loaded, catalogue), u"", MsgIcon::Critical);

    auto session = std::make_unique<CountSession>(host, dataFolder);
    const auto count = [&]() -> int {
        InitializeRecord(session->settings, session->state);
        session->state.blnStartUpCompleted = true;
        if (const auto status = ApplySettings(options, *session, host, err))
            return *status;
        if (options.listSettings) {
            ListSettings(session->settings, out);
            return 0;
        }
        StandInOutputFile standIn;
        ChooseSourceAndOutput(options, *session, in, standIn);
        return RunCount(options, *session, host, standIn, out, err);
    };
    const int status = count();
    if (end == RunEnd::Quick) {
        // The report and the stand-in file are closed by now; the session holds only memory.
        delete g_sessionLeftAtExit;
        g_sessionLeftAtExit = session.release();
    }
    return status;
}

} // namespace lxty::cli
