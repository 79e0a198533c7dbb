#include "cli/CliRun.h"

#include "cli/CliHost.h"
#include "run/CountRun.h"
#include "run/CountSession.h"
#include "engine/WordListFiles.h"
#include "settings/SavedState.h"
#include "base/RunState.h"
#include "engine/WordTable.h"
#include "engine/WordsToIgnore.h"
#include "reports/ReportState.h"
#include "reports/TextWindow.h"
#include "reports/WordListReport.h"
#include "settings/SavedState.h"
#include "settings/Settings.h"
#include "settings/SettingsByName.h"
#include "settings/SettingsDefaults.h"
#include "sources/Utf8Decode.h"
#include "util/Catalogue.h"
#include "util/Cp1252.h"
#include "util/StringUtils.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
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
        out << "\r\n";
}

} // namespace

int Run(const CliOptions& options, const std::string& argv0, std::istream& in, std::ostream& out,
        std::ostream& err) {
    CliHost host(err, options.yes ? ForcedAnswer::Yes
                                  : (options.no ? ForcedAnswer::No : ForcedAnswer::None));
    const auto catalogue = ProgramFolder(argv0) / "lxty.dat";
    const CatalogueLoadResult loaded = LoadProgramTexts(catalogue);
    if (!loaded.Loaded())
        host.MessageBox(CatalogueLoadMessage(loaded, catalogue), u"", MsgIcon::Critical);

    CountSession session(host, ProgramFolder(argv0));
    Settings& settings = session.settings;
    RunState& state = session.state;
    InitializeRecord(settings, state);
    state.blnStartUpCompleted = true;

    // A settings file first, as "Load settings from file" does, its questions answered Yes.
    if (options.settingsFile) {
        host.SetForcedAnswer(ForcedAnswer::Yes);
        WordListRestoreActions actions(session.wordLists, true);
        const auto loaded =
            LoadSettingsFromFile(fs::path(*options.settingsFile), settings, state, host, actions);
        host.SetForcedAnswer(options.yes ? ForcedAnswer::Yes
                                         : (options.no ? ForcedAnswer::No : ForcedAnswer::None));
        if (loaded.restore.code != kRestoreOk) {
            err << "lexitally-cli: the settings file " << *options.settingsFile
                << " could not be loaded.\n";
            return 1;
        }
    }
    // Then every --set in order. A word-list file is added, selected and read; a common-word
    // language has its file read.
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

    // The source: standard input stands for the clipboard.
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

    // Standard output stands for the output file, so the questions that ask for one
    // ("Large input file", "Multiple files/folders") never arise here.
    StandInOutputFile standIn;
    const bool toStandardOutput = !options.output && !options.textWindow;
    if (options.output)
        settings.File[1] = Utf8ToU16(*options.output);
    else if (!options.listFiles)
        settings.File[1] = PathText(standIn.Path());
    else
        settings.File[1].clear();

    TextWindow& textWindow = session.textWindow;
    RunOutcome outcome = RunOutcome::Refused;
    if (options.listFiles) {
        if (settings.Source != SourceKind::Folder) {
            err << "lexitally-cli: --list-files needs a folder as SOURCE.\n";
            return 2;
        }
        outcome = session.ListFiles();
        WriteText(out, textWindow.Text());
        return outcome == RunOutcome::Produced ? 0 : 1;
    }

    switch (options.count) {
    case CountKind::All:
        outcome = session.Count(CountMode::AllWords);
        break;
    case CountKind::Specified:
        // The count-choice dialog offers this count only when there is something to count.
        if (!session.LoadWordListsFor(CountMode::SpecifiedWords))
            return 1;
        if (!state.blnThereAreCountOnlyWords) {
            host.MessageBox(u"There are no count-only words/phrases.", u"", MsgIcon::Exclamation);
            return 1;
        }
        outcome = session.Count(CountMode::SpecifiedWords);
        break;
    case CountKind::Array:
        if (settings.Source != SourceKind::Folder) {
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
            WriteText(out, textWindow.Text());
        return outcome == RunOutcome::Produced ? 0 : 1;
    case CountKind::Phrases:
        outcome = session.CountPhrases();
        break;
    }

    if (options.textWindow) {
        WriteText(out, textWindow.Text());
    } else if (toStandardOutput) {
        // Nothing was written to the file (nothing found, or a refusal): show what the
        // text window says instead, so the person is never left with no answer.
        if (!session.report.blnWrittenToFile || !standIn.CopyTo(out))
            WriteText(outcome == RunOutcome::Produced ? out : err, textWindow.Text());
    }
    return outcome == RunOutcome::Produced ? 0 : 1;
}

} // namespace lxty::cli
