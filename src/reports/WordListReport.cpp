#include "reports/WordListReport.h"

#include "reports/ReportError.h"
#include "settings/SettingsDefaults.h"
#include "util/Catalogue.h"
#include "util/Format.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lxty {

namespace {

// The text window's capacity, and the size of the blocks in which a listing moves its
// pending text into the window (one append per block, not per line).
constexpr std::size_t kBlockSize = 2049;

std::u16string PadLeft(std::u16string s, std::size_t width) {
    if (s.size() < width)
        s.insert(0, width - s.size(), u' ');
    return s;
}

std::u16string PadRight(std::u16string s, std::size_t width) {
    if (s.size() < width)
        s.append(width - s.size(), u' ');
    return s;
}

std::u16string TrimRight(std::u16string s) {
    const auto last = s.find_last_not_of(u' ');
    s.erase(last == std::u16string::npos ? 0 : last + 1);
    return s;
}

bool EndsWithCommaBlank(std::u16string_view s) {
    return s.size() >= 2 && s.substr(s.size() - 2) == u", ";
}

std::u16string FilterModeWords(FilterModeKind mode) {
    switch (mode) {
    case FilterModeKind::IncludeAllWordsInSameOrder:
        return u"all filter words in same order";
    case FilterModeKind::IncludeAllWordsAsSubphrase:
        return u"all filter words as a subphrase";
    case FilterModeKind::IncludeAllWords:
        break;
    }
    return u"all filter words";
}

// Format 13 lists the files of a word under it, indented, in ascending order of their lines.
std::u16string ArrangeFileLines(const std::u16string& line, bool relative) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (start <= line.size()) {
        auto end = line.find(kLineEnd, start);
        if (end == std::u16string::npos)
            end = line.size();
        if (end > start)
            parts.push_back(line.substr(start, end - start));
        start = end + kLineEnd.size();
    }
    if (parts.empty())
        return {};
    for (std::size_t k = 1; k < parts.size(); ++k) {
        std::u16string& p = parts[k];
        if (relative) {
            p.insert(0, u"  ");
        } else {
            // The text before the first blank, right-aligned in 4 characters. A longer
            // text (a per-file count of 10,000 or more) is kept whole rather than cut.
            const auto blank = p.find(u' ');
            const auto head = p.substr(0, blank);
            const auto rest = blank == std::u16string::npos ? std::u16string() : p.substr(blank);
            p = PadLeft(head, 4) + rest;
        }
    }
    std::sort(parts.begin() + 1, parts.end());
    std::u16string out;
    for (const auto& p : parts) {
        out += p;
        out += kLineEnd;
    }
    return out;
}

} // namespace

// ---- Columns ---------------------------------------------------------------------------

std::u16string WordListReport::RelativeFrequencyText(std::int64_t count) const {
    const auto total = m_ctx.run.lngNumOccurrences;
    const double value = total == 0 ? 0.0 : static_cast<double>(count) * 100.0 / total;
    return FormatNumber(value, 2, m_ctx.locale) + u"%";
}

std::u16string WordListReport::LogText(double value) const {
    std::u16string s = FormatNumber(value, 4, m_ctx.locale);
    s.erase(std::remove(s.begin(), s.end(), m_ctx.locale.groupSeparator), s.end());
    // ".6931", not "0.6931"
    if (s.size() > 1 && s[0] == u'0' && s[1] == m_ctx.locale.decimalSeparator)
        s.erase(0, 1);
    return s;
}

std::u16string WordListReport::RankColumn(std::int64_t index) const {
    const auto text =
        index == 0 ? std::u16string(u"Rank") : Digits(m_ctx.table.Entry(index).frequencyRank);
    return PadLeft(text, static_cast<std::size_t>(m_ctx.run.intRankWidth));
}

std::u16string WordListReport::FrequencyColumn(std::int64_t index) const {
    const bool relative = m_ctx.settings.DisplayRelativeFrequency != 0;
    std::u16string text;
    if (index == 0)
        text = relative ? u"Rel freq" : u"Freq";
    else if (relative)
        text = RelativeFrequencyText(m_ctx.table.Entry(index).count);
    else
        text = Digits(m_ctx.table.Entry(index).count);
    return PadLeft(text, static_cast<std::size_t>(m_ctx.run.intFreqWidth));
}

std::u16string WordListReport::WordColumn(std::int64_t index) {
    std::u16string text;
    if (index == 0) {
        if (m_ctx.run.blnCountingMFP)
            text = u"Phrase";
        else if (m_ctx.run.blnThereAreCountOnlyWords && m_ctx.run.blnCountOnlyWordsIncludePhrase)
            text = u"Word or phrase";
        else
            text = u"Word";
        m_ctx.report.intWordWidth =
            std::max(m_ctx.report.intWordWidth, static_cast<int>(text.size()));
    } else {
        text = TrimSpaces(m_ctx.table.Entry(index).word);
    }
    return PadRight(text, static_cast<std::size_t>(m_ctx.report.intWordWidth));
}

std::u16string WordListReport::LogRankColumn(std::int64_t index, bool base10) const {
    std::u16string text;
    if (index == 0) {
        text = base10 ? u"L10(R)" : u"LN(R)";
    } else {
        const double r = static_cast<double>(m_ctx.table.Entry(index).frequencyRank);
        text = LogText(base10 ? std::log10(r) : std::log(r));
    }
    return PadLeft(text, static_cast<std::size_t>(m_ctx.run.intRankWidth));
}

std::u16string WordListReport::LogFreqColumn(std::int64_t index, bool base10) const {
    std::u16string text;
    if (index == 0) {
        text = base10 ? u"L10(F)" : u"LN(F)";
    } else {
        const double f = static_cast<double>(m_ctx.table.Entry(index).count);
        text = LogText(base10 ? std::log10(f) : std::log(f))
                   .substr(0, static_cast<std::size_t>(std::max(0, m_ctx.run.intMinWidth)));
    }
    return PadLeft(text, static_cast<std::size_t>(m_ctx.run.intFreqWidth));
}

std::u16string WordListReport::FileCountColumn(std::int64_t index) const {
    const bool byFiles = m_ctx.settings.SortByNumberOfFiles != 0;
    const bool toFile = m_ctx.run.blnOutputFile;
    if (index == 0) {
        if (!byFiles)
            return u" Files";
        return std::u16string(u" Files") + (toFile ? u"\t" : u"   ") + u"File freq";
    }
    const auto files = m_ctx.table.Entry(index).NumFiles();
    std::u16string text = u" " + Digits(files);
    if (byFiles) {
        auto scanned = m_ctx.report.lngNumFilesScanned;
        if (scanned <= 0)
            scanned = std::max<std::int64_t>(1, m_ctx.table.NumFilePaths());
        text += toFile ? u"\t" : u"    ";
        text += FormatNumber(static_cast<double>(files) / static_cast<double>(scanned), 3,
                             m_ctx.locale);
    }
    return PadLeft(text, byFiles ? 14 : 5);
}

std::u16string WordListReport::FileListColumn(std::int64_t index, bool withFrequencies) const {
    if (index == 0)
        return {};
    const bool relative = m_ctx.settings.DisplayRelativeFrequency != 0;
    const std::u16string& folder = m_ctx.settings.Folder;
    // A long folder path is written once in the header as {Folder}, not on every line.
    const bool shortenPaths = folder.size() > std::u16string_view(u"{Folder}").size() + 5;
    std::u16string out;
    m_ctx.table.Entry(index).ForEachFile([&](const FileCount& fc) {
        std::u16string field;
        if (!withFrequencies) {
            field = u"    ";
        } else if (relative) {
            const auto total = m_ctx.run.lngNumOccurrences;
            const double value = total == 0 ? 0.0 : static_cast<double>(fc.count) * 100.0 / total;
            // Right-aligned in 5 characters; "100.00" stays whole.
            field = PadLeft(FormatNumber(value, 2, m_ctx.locale), 5) + u"% ";
        } else {
            field = PadLeft(Digits(fc.count), 5) + u" ";
        }
        std::u16string path = m_ctx.table.FilePath(fc.fileNumber);
        if (shortenPaths && path.size() >= folder.size() &&
            path.compare(0, folder.size(), folder) == 0)
            path = u"{Folder}" + path.substr(folder.size());
        out += field;
        out += path;
        out += kLineEnd;
    });
    return out;
}

// ---- Lines -----------------------------------------------------------------------------

std::u16string WordListReport::FolderHeader() const {
    const std::u16string& folder = m_ctx.settings.Folder;
    if (folder.size() > std::u16string_view(u"{Folder}").size() + 5)
        return std::u16string(kLineEnd) + u"{Folder} = " + folder + std::u16string(kLineEnd);
    return {};
}

std::u16string WordListReport::Word(std::int64_t index, Layout layout) {
    std::u16string w = WordColumn(index);
    if (layout != Layout::Textbox) {
        // A phrase may hold blanks: in the file it ends at a tab, so that a spreadsheet
        // keeps it in one cell.
        if (m_ctx.run.blnCountingMFP)
            return TrimSpaces(w) + u"\t";
        const int format = m_ctx.settings.DisplayFormat;
        if (layout == Layout::FileCommas && (format == 1 || format == 6 || format == 7))
            return TrimRight(w) + u", ";
    }
    return w;
}

std::u16string WordListReport::FormatLine(std::int64_t index, Layout layout) {
    const int format = m_ctx.settings.DisplayFormat;
    const bool base10 = m_ctx.settings.UseLog10 != 0;
    const auto R = [&] { return RankColumn(index); };
    const auto F = [&] { return FrequencyColumn(index); };
    const auto W = [&] { return Word(index, layout); };
    const auto Wt = [&] { return TrimRight(Word(index, layout)); };
    const auto LR = [&] { return LogRankColumn(index, base10); };
    const auto LF = [&] { return LogFreqColumn(index, base10); };
    const auto NF = [&] { return FileCountColumn(index); };

    if (format == 12 || format == 13) {
        if (index == 0)
            return FolderHeader();
        return Wt() + std::u16string(kLineEnd) + FileListColumn(index, format == 13);
    }
    if (format == 8 || format == 9)
        return Wt();

    // Only the word column changes a width (its heading may widen it), and only the word
    // column reads that width, so the columns may be built in any order.
    switch (layout) {
    case Layout::Textbox:
        switch (format) {
        case 0:
            return u" " + R() + u"  " + F() + u"  " + Wt();
        case 1:
            return u" " + R() + u"  " + W() + u"  " + F();
        case 2:
            return u" " + R() + u"  " + F();
        case 3:
            return u" " + R() + u"  " + Wt();
        case 4:
            return u" " + F() + u"  " + R();
        case 5:
            return u"  " + F() + u"  " + Wt();
        case 6:
            return u"  " + W() + u" " + R();
        case 7:
            return u"  " + W() + u" " + F();
        case 10:
            return u" " + R() + u"  " + F() + u"  " + LR() + u"  " + LF() + u"  " + Wt();
        case 11:
            return u"  " + W() + u" " + F() + u" " + NF();
        }
        break;
    case Layout::FileTabs:
        switch (format) {
        case 0:
            return R() + u"\t" + F() + u"\t" + Wt();
        case 1:
            return R() + u"\t" + W() + F();
        case 2:
            return R() + u"\t" + F();
        case 3:
            return R() + u"\t" + Wt();
        case 4:
            return F() + u"\t" + R();
        case 5:
            return F() + u"\t" + Wt();
        case 6:
            return W() + R();
        case 7:
            return W() + F();
        case 10:
            return R() + u"\t" + F() + u"\t" + LR() + u"\t" + LF() + u"\t" + Wt();
        case 11:
            return W() + u"\t" + F() + u"\t" + NF();
        }
        break;
    case Layout::FileCommas:
        switch (format) {
        case 0:
            return u"  " + R() + u",  " + F() + u",  " + Wt();
        case 1:
            return u"  " + R() + u",  " + W() + F();
        case 2:
            return u"  " + R() + u",  " + F();
        case 3:
            return u"  " + R() + u",  " + Wt();
        case 4:
            return u"  " + F() + u",  " + R();
        case 5:
            return u"  " + F() + u",  " + Wt();
        case 6:
            return u"  " + W() + R();
        case 7:
            return u"  " + W() + F();
        case 10:
            return u"  " + R() + u",  " + F() + u",  " + LR() + u",  " + LF() + u",  " + Wt();
        case 11:
            return u"  " + W() + u" " + F() + u" " + NF();
        }
        break;
    }
    return {};
}

bool WordListReport::FileLine(std::int64_t index, std::u16string& out) const {
    const int format = m_ctx.settings.DisplayFormat;
    if (index <= 0 || format < 0 || format > 7)
        return false;
    const WordEntry& entry = m_ctx.table.Entry(index);
    out.clear();
    const auto padded = [&out](std::int64_t value, int width) {
        char digits[24];
        int n = 0;
        std::uint64_t v = static_cast<std::uint64_t>(value);
        if (value < 0)
            v = 0 - v;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (value < 0)
            digits[n++] = '-';
        if (n < width)
            out.append(static_cast<std::size_t>(width - n), u' ');
        while (n > 0)
            out.push_back(static_cast<char16_t>(digits[--n]));
    };
    const auto R = [&] { padded(entry.frequencyRank, m_ctx.run.intRankWidth); };
    const auto F = [&] {
        if (m_ctx.settings.DisplayRelativeFrequency != 0)
            out += FrequencyColumn(index);
        else
            padded(entry.count, m_ctx.run.intFreqWidth);
    };
    // The word without its outer blanks; a phrase ends at a tab, a word in the formats that
    // put a column after it is padded to the column's width.
    const std::u16string_view trimmed = TrimmedSpaces(entry.word);
    const auto W = [&](bool padded) {
        out += trimmed;
        if (m_ctx.run.blnCountingMFP)
            out.push_back(u'\t');
        else if (padded && trimmed.size() < static_cast<std::size_t>(m_ctx.report.intWordWidth))
            out.append(static_cast<std::size_t>(m_ctx.report.intWordWidth) - trimmed.size(), u' ');
    };
    switch (format) {
    case 0:
        R(), out += u'\t', F(), out += u'\t', W(false);
        break;
    case 1:
        R(), out += u'\t', W(true), F();
        break;
    case 2:
        R(), out += u'\t', F();
        break;
    case 3:
        R(), out += u'\t', W(false);
        break;
    case 4:
        F(), out += u'\t', R();
        break;
    case 5:
        F(), out += u'\t', W(false);
        break;
    case 6:
        W(true), R();
        break;
    case 7:
        W(true), F();
        break;
    }
    return true;
}

std::u16string WordListReport::FormatLineForTextbox(std::int64_t index) {
    return FormatLine(index, Layout::Textbox);
}

std::u16string WordListReport::FormatLineForFile(std::int64_t index) {
    return FormatLine(index, Layout::FileTabs);
}

std::u16string WordListReport::FormatLineForFileWithCommas(std::int64_t index) {
    return FormatLine(index, Layout::FileCommas);
}

void WordListReport::DisplayNextLine(std::int64_t index) {
    RunState& run = m_ctx.run;
    const Settings& settings = m_ctx.settings;
    const int format = settings.DisplayFormat;

    if (run.blnCountingMFP && run.blnFilteringPhrases && index > 0) {
        if (m_ctx.phraseFilter && !m_ctx.phraseFilter(TrimSpaces(m_ctx.table.Entry(index).word)))
            return;
        run.blnFilterWordFound = true;
    }

    // The text pass keeps no more than the window can hold; once its pending text is that
    // long, the remaining lines are not even built.
    if (!run.blnOutputFile && index > 0 &&
        static_cast<std::int64_t>(run.strOutput.size()) >= TextWindowSink::kCapacity)
        return;

    // The lines of most formats are built in one reused buffer on their way to the file.
    if (run.blnOutputFile && settings.OutputWithCommas == 0 && FileLine(index, m_line)) {
        if (m_file != nullptr)
            m_file->WriteLine(m_line);
        return;
    }

    std::u16string line;
    if (run.blnOutputFile)
        line = settings.OutputWithCommas != 0 ? FormatLineForFileWithCommas(index)
                                              : FormatLineForFile(index);
    else
        line = FormatLineForTextbox(index);

    if (format == 13 && !line.empty())
        line = ArrangeFileLines(line, settings.DisplayRelativeFrequency != 0);

    if (index == 0) {
        if (!run.strHowManyPhrases.empty()) {
            std::u16string prefix = run.strHowManyPhrases;
            if (run.blnCountingMFP && run.blnFilteringPhrases)
                prefix += u"Phrase filtering (" + FilterModeWords(settings.FilterMode) +
                          u") has been applied.\nFilter words: " + settings.FilterWords + u"\n\n";
            line = prefix + line;
        }
        if (format == 0 || format == 3 || format == 5 || format == 8 || format == 9)
            line = TrimRight(line) + u" [longest has " + Digits(run.intMaxWordLengthFound) +
                   u" characters]";
        if (format == 9)
            return; // one comma-separated list, no header line
    }

    if (run.blnOutputFile) {
        if (m_file == nullptr)
            return;
        if (format != 9) {
            m_file->WriteLine(format == 8 ? TrimSpaces(line) : line);
        } else {
            line = TrimSpaces(line);
            if (!m_lastEntryOfPass)
                line += u", ";
            m_file->Write(line);
        }
        return;
    }

    TextWindow& tw = m_ctx.textWindow;
    if (static_cast<std::int64_t>(run.strOutput.size()) < TextWindowSink::kCapacity) {
        if (format != 9) {
            run.strOutput += format == 8 ? TrimSpaces(line) : line;
            run.strOutput += kLineEnd;
        } else {
            run.strOutput += TrimSpaces(line);
            run.strOutput += u", ";
        }
    }
    if (static_cast<std::int64_t>(run.strOutput.size()) >= TextWindowSink::kCapacity)
        tw.SetTextboxFull();
    if (run.strOutput.size() >= kBlockSize && !tw.blnTextboxFull()) {
        tw.OutputToTxb(run.strOutput);
        run.strOutput.clear();
    }
}

void WordListReport::SetColumnWidths() {
    RunState& run = m_ctx.run;
    const int minWidth = run.intMinWidth;
    run.intRankWidth = std::max(static_cast<int>(Digits(run.lngNumWordsIncluded).size()), minWidth);
    const auto freqText = m_ctx.settings.DisplayRelativeFrequency != 0
                              ? RelativeFrequencyText(run.lngMaxFrequency)
                              : Digits(run.lngMaxFrequency);
    run.intFreqWidth = std::max(static_cast<int>(freqText.size()), minWidth);
    m_ctx.report.intWordWidth = std::max(run.intMaxWordLengthFound, minWidth);
    DisplayNextLine(0);
}

// ---- Passes ----------------------------------------------------------------------------

void WordListReport::PrepareForPass() {
    m_ctx.textWindow.ClearOutput();
    m_ctx.run.strOutput.clear();
    if (m_ctx.settings.Source == SourceKind::Folder)
        FolderScanSummary(m_ctx);
    SetColumnWidths();
    m_ctx.textWindow.SetText(m_ctx.run.strOutput);
    m_ctx.run.strOutput.clear();
}

void WordListReport::FinishPass(bool alphabetical) {
    RunState& run = m_ctx.run;
    const Settings& settings = m_ctx.settings;
    if (alphabetical && EndsWithCommaBlank(run.strOutput))
        run.strOutput.replace(run.strOutput.size() - 2, 2, kLineEnd);

    // A filtered phrase listing in which no phrase passed says so.
    if (run.blnCountingMFP && run.blnFilteringPhrases && !run.blnFilterWordFound) {
        if (alphabetical) {
            if (run.blnOutputFile) {
                if (m_file != nullptr) {
                    m_file->WriteLine(u"");
                    switch (settings.FilterMode) {
                    case FilterModeKind::IncludeAllWords:
                        m_file->WriteLine(u"No phrase containing all filter words found.");
                        break;
                    case FilterModeKind::IncludeAllWordsInSameOrder:
                        m_file->WriteLine(
                            u"No phrase containing all filter words in same order found.");
                        break;
                    case FilterModeKind::IncludeAllWordsAsSubphrase:
                        m_file->WriteLine(
                            u"No phrase containing all filter words as subphrase found.");
                        break;
                    }
                }
            } else {
                run.strOutput += kLineEnd;
                switch (settings.FilterMode) {
                case FilterModeKind::IncludeAllWords:
                    run.strOutput += u"No phrase containing all filter words found.";
                    break;
                case FilterModeKind::IncludeAllWordsInSameOrder:
                    run.strOutput += u"No phrase containing all filter words in same order found.";
                    break;
                case FilterModeKind::IncludeAllWordsAsSubphrase:
                    run.strOutput += u"No phrase containing all filter words as a subphrase found.";
                    break;
                }
            }
        } else if (!settings.FilterWords.empty()) {
            run.strOutput += kLineEnd;
            run.strOutput += u"No phrase containing filter word(s) found.";
        }
    }

    if (!run.strOutput.empty())
        m_ctx.textWindow.OutputToTxb(run.strOutput);

    if (m_ctx.textWindow.blnTextboxFull())
        ReportError(m_ctx, kErrTextWindowFull, u"Insufficient memory", u"");
}

bool WordListReport::TextPassDone() const {
    // Once the text window's pending text is full, no later line is built or kept, and the
    // only mark a later entry could still leave is that of a phrase through the filter.
    const RunState& run = m_ctx.run;
    return !run.blnOutputFile &&
           static_cast<std::int64_t>(run.strOutput.size()) >= TextWindowSink::kCapacity &&
           (!(run.blnCountingMFP && run.blnFilteringPhrases) || run.blnFilterWordFound);
}

void WordListReport::ListWordsAlphabetically() {
    PrepareForPass();
    const std::int64_t last = std::min(m_ctx.run.lngNumWords, m_ctx.table.Size());
    std::int64_t lastIncluded = 0;
    for (std::int64_t i = last; i >= 1; --i) {
        if (m_ctx.table.Entry(i).included) {
            lastIncluded = i;
            break;
        }
    }
    for (std::int64_t i = 1; i <= last && !FilePassFailed() && !TextPassDone(); ++i) {
        if (!m_ctx.table.Entry(i).included)
            continue;
        m_lastEntryOfPass = i == lastIncluded;
        DisplayNextLine(i);
        m_ctx.host.Yield();
        if (m_ctx.run.blnStop)
            break;
    }
    m_lastEntryOfPass = false;
    FinishPass(true);
}

void WordListReport::ListWordsByFrequency() {
    PrepareForPass();
    const std::int64_t size = m_ctx.table.Size();
    std::int64_t i = m_ctx.run.lngFirstFreq;
    for (std::int64_t k = 1;
         k <= m_ctx.run.lngNumWordsIncluded && !FilePassFailed() && !TextPassDone(); ++k) {
        if (i < 1 || i > size)
            break; // the chain ended early
        m_lastEntryOfPass = k == m_ctx.run.lngNumWordsIncluded;
        DisplayNextLine(i);
        m_ctx.host.Yield();
        if (m_ctx.run.blnStop)
            break;
        i = m_ctx.table.Next(i);
    }
    m_lastEntryOfPass = false;
    FinishPass(false);
}

void WordListReport::ListWords() {
    RunState& run = m_ctx.run;
    Settings& settings = m_ctx.settings;
    TextWindow& tw = m_ctx.textWindow;
    m_ctx.report.blnWrittenToFile = false;

    if (run.lngNumWordsIncluded == 0) {
        // A finished run that found nothing leaves no report of an earlier run behind.
        if (!TrimSpaces(settings.File[1]).empty() && settings.DisableOutputToFile == 0)
            EmptyOutputFile(PathFromText(TrimSpaces(settings.File[1])));
        tw.ClearOutput();
        tw.OutputToTxb(NothingFoundText(settings, run));
        return;
    }

    const bool alphabetical = settings.WordOrder == 1;
    const auto pass = [&] {
        if (alphabetical)
            ListWordsAlphabetically();
        else
            ListWordsByFrequency();
    };

    if (DecideOutputFile(m_ctx)) {
        tw.SetText(u"Now writing to output file . . .");
        OutputFile file;
        if (file.Open(PathFromText(settings.File[1]))) {
            if (settings.Source == SourceKind::InFile) {
                file.WriteLine(u"File: " + settings.File[0]);
            } else if (settings.Source == SourceKind::Folder) {
                file.WriteLine(u"Folder: " + settings.Folder +
                               (settings.IncludeSubfolders != 0 ? u" plus any subfolders" : u""));
                FolderScanSummary(m_ctx);
                const auto summary = TrimSpaces(run.strOutput);
                if (!summary.empty())
                    file.WriteLine(summary);
            }
            run.blnOutputFile = true;
            m_file = &file;
            if (!file.Failed())
                pass();
            m_file = nullptr;
        }
        file.Close();
        if (file.Failed()) {
            run.blnOutputFile = false;
            ReportOutputFileError(m_ctx, *file.Error());
            tw.ClearOutput();
            return;
        }
        m_ctx.report.blnWrittenToFile = true;
        if (run.blnStop) {
            run.blnOutputFile = false;
            tw.OutputToTxb(u"Output to file was terminated.\n");
            return;
        }
    }

    run.blnOutputFile = false;
    pass();

    if (run.blnStop) {
        tw.OutputToTxb(u"\nListing stopped.\n");
        return;
    }
    if (settings.DisplayFormat == 9 && tw.Length() > 2 && EndsWithCommaBlank(tw.Text()))
        tw.SetText(std::u16string_view(tw.Text()).substr(0, tw.Text().size() - 2));
    if (tw.Length() > TextWindowSink::kCapacity)
        ReportError(m_ctx, kErrTextWindowFull, u"", u"");
}

// ---- Free functions --------------------------------------------------------------------

void ListWords(ReportContext& ctx) {
    WordListReport(ctx).ListWords();
}

std::u16string NothingFoundText(const Settings& settings, const RunState& run) {
    std::u16string text = u"No " + WordsPhrases(run) + u" ";
    if (settings.IgnoreShortWords != 0)
        text += u"with at least " + Digits(settings.ShortWordSize + 2) + u" characters\n";
    return text + u"satisfying the specified conditions were found.";
}

void FolderScanSummary(ReportContext& ctx) {
    const auto files = ctx.report.lngNumFilesScanned;
    const auto folders = ctx.report.lngNumFoldersScanned;
    std::u16string s = FormatCount(files, ctx.locale) + u" file" + (files > 1 ? u"s" : u"") +
                       u" (in " + FormatCount(folders, ctx.locale) + u" folder" +
                       (folders > 1 ? u"s" : u"") + (files == 1 ? u") was" : u") were") +
                       u" scanned.\n";
    if (ctx.report.blnListIsPartial)
        s += u"Counting was stopped and this list is incomplete.\n";
    if (!ctx.run.blnCountingMFP)
        s += kLineEnd;
    ctx.run.strOutput = s;
}

bool CheckDisplayFormat(ReportContext& ctx) {
    Settings& settings = ctx.settings;
    if (settings.Source == SourceKind::Folder || settings.DisplayFormat < 11)
        return true;
    ctx.host.MessageBox(u"The display format '" + DisplayFormatText(settings.DisplayFormat) +
                            u"' is available\nonly when the source of the text is a folder.",
                        u"Unavailable display format", MsgIcon::Information);
    const bool suppressed = ctx.report.blnSuppressOptionEvents;
    ctx.report.blnSuppressOptionEvents = true;
    settings.DisplayFormat = 0;
    ctx.report.blnSuppressOptionEvents = suppressed;
    return false;
}

namespace {

void RebuildFrequencyOrder(ReportContext& ctx) {
    if (ctx.table.Size() == 0)
        return;
    ctx.table.BuildFrequencyChain(ctx.settings, ctx.run, ctx.host,
                                  [&](const std::u16string& t) { ctx.textWindow.OutputToTxb(t); });
}

// The listing follows the chain: when the measure it was built by is no longer the one the
// options ask for (SortByNumberOfFiles turned off by a format or order change, by whichever
// code path), it is rebuilt before anything is listed.
void EnsureFrequencyOrder(ReportContext& ctx) {
    if (ctx.table.ChainByNumberOfFiles() != (ctx.settings.SortByNumberOfFiles == 1))
        RebuildFrequencyOrder(ctx);
}

} // namespace

ReportOptionStates UpdateReportOptionStates(ReportContext& ctx) {
    // The enabling rule lives with the settings: the window greys its boxes by the same calls.
    ReportOptionStates states;
    states.displayRelativeFrequencyEnabled = CanChangeDisplayRelativeFrequency(ctx.settings);
    states.sortByNumberOfFilesEnabled = CanChangeSortByNumberOfFiles(ctx.settings);
    if (!states.sortByNumberOfFilesEnabled)
        ctx.settings.SortByNumberOfFiles = 0;
    EnsureFrequencyOrder(ctx);
    return states;
}

void RelistAfterOptionChange(ReportContext& ctx) {
    if (ctx.report.blnSuppressOptionEvents)
        return;
    if (!CheckDisplayFormat(ctx))
        return;
    if (ctx.run.blnWordsGot || ctx.report.blnListIsPartial) {
        EnsureFrequencyOrder(ctx);
        ListWords(ctx);
    }
    if (ctx.report.blnListIsPartial)
        ctx.host.MessageBox(GetText(TextId::PartialListMessage), GetText(TextId::PartialListTitle),
                            MsgIcon::Information);
}

void OnReportOptionChanged(ReportContext& ctx, ReportOption option) {
    if (!ctx.run.blnStartUpCompleted)
        return;
    switch (option) {
    case ReportOption::WordOrder:
        UpdateReportOptionStates(ctx);
        RelistAfterOptionChange(ctx);
        break;
    case ReportOption::DisplayFormat:
        if (ctx.run.blnCountingMFP)
            break;
        UpdateReportOptionStates(ctx);
        RelistAfterOptionChange(ctx);
        break;
    case ReportOption::DisplayRelativeFrequency:
        RelistAfterOptionChange(ctx);
        break;
    case ReportOption::SortByNumberOfFiles:
        RebuildFrequencyOrder(ctx);
        RelistAfterOptionChange(ctx);
        break;
    }
}

bool OnDisableOutputToFileClick(ReportContext& ctx) {
    if (ctx.settings.DisableOutputToFile != 0 || ctx.settings.File[1].empty() ||
        !ctx.run.blnWordsGot)
        return false;
    if (ctx.host.Ask(u"Relist words (so as to write to file)?", u"Relist?", MsgIcon::Question,
                     MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes)
        return false;
    ListWords(ctx);
    return true;
}

} // namespace lxty
