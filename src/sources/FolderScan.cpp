#include "sources/FolderScan.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "settings/Settings.h"
#include "util/FileIdentity.h"
#include "util/Format.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace lxty {

namespace {

constexpr char16_t kSep = fs::path::preferred_separator;
// "{Folder}" plus 5: shorter folder paths gain nothing from being abbreviated.
constexpr std::size_t kShortenAbove = 13;

bool IsSeparator(char16_t c) {
    return c == u'/' || c == kSep;
}

// The folder text without trailing separators, so that "dir/" and "dir" build the same file
// paths; a root stays as it is.
std::u16string TrimTrailingSeparators(std::u16string folder) {
    while (folder.size() > 1 && IsSeparator(folder.back()))
        folder.pop_back();
    return folder;
}

// folder + separator + name, without doubling a separator the folder already ends with.
std::u16string JoinShown(const std::u16string& folder, const std::u16string& name) {
    if (!folder.empty() && IsSeparator(folder.back()))
        return folder + name;
    return folder + kSep + name;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && LowerCaseAll(a) == LowerCaseAll(b);
}

// Folder entries in the order a person reads a sorted listing: ignoring case first, the exact
// name breaking ties, so the order never depends on the file system.
struct NamedEntry {
    fs::path path;
    std::u16string name;
    std::u16string key;
};

void SortByName(std::vector<NamedEntry>& entries) {
    // The entries' numbers are sorted and each entry then moved once: a folder of many files
    // would otherwise move its entries (a path and two names each) at every step of the sort.
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
        const NamedEntry& a = entries[i];
        const NamedEntry& b = entries[j];
        if (a.key != b.key)
            return a.key < b.key;
        return a.name < b.name;
    });
    std::vector<NamedEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries.swap(sorted);
}

// The folder's canonical form: where a link leads, and for comparing folder paths.
fs::path CanonicalOrSelf(const fs::path& folder) {
    std::error_code ec;
    fs::path c = fs::canonical(folder, ec);
    return ec ? fs::absolute(folder, ec).lexically_normal() : c;
}

// Whether this user may read file (root may read anything; for others the permission bits and
// the like decide). The reason when not.
std::optional<std::error_code> ReadRefusal(const FolderLookup& folder, const fs::path& file) {
    if (const int error = folder.ReadError(file); error != 0)
        return std::error_code(error, std::generic_category());
    return std::nullopt;
}

// At most this many unreadable folders and files are named in the message.
constexpr std::size_t kUnreadableNamed = 20;

} // namespace

std::u16string ShownPath(const fs::path& path) {
    const std::u8string u8 = path.u8string();
    return Utf8ToU16(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
}

std::u16string EscapedPath(std::u16string_view path) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    const auto isControl = [](char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); };
    if (std::none_of(path.begin(), path.end(),
                     [&](char16_t c) { return isControl(c) || c == u'\\'; }))
        return std::u16string(path);
    std::u16string out;
    out.reserve(path.size() + 8);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        if (c == u'\\') {
            const char16_t next = i + 1 < path.size() ? path[i + 1] : u'\0';
            out += c;
            if (next == u'n' || next == u'r' || next == u't' || next == u'x' || next == u'\\')
                out += c;
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\r') {
            out += u"\\r";
        } else if (c == u'\t') {
            out += u"\\t";
        } else if (isControl(c)) {
            out += u"\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += c;
        }
    }
    return out;
}

fs::path PathFromText(std::u16string_view text) {
    const std::string bytes = U16ToUtf8(text);
    return fs::path(std::u8string(bytes.begin(), bytes.end()));
}

bool ValidateFolder(Host& host, const Settings& settings) {
    if (settings.Folder.empty()) {
        host.MessageBox(u"Folder not specified.", u"Error", MsgIcon::Exclamation);
        return false;
    }
    const fs::path folder = PathFromText(settings.Folder);
    if (!FolderExists(folder)) {
        host.MessageBox(u"Folder does not exist", u"Invalid input", MsgIcon::Exclamation);
        return false;
    }
    std::error_code readError;
    const fs::directory_iterator firstEntry(folder, readError);
    if (readError) {
        host.MessageBox(u"Cannot read the folder " + EscapedPath(settings.Folder) + u" (" +
                            Utf8ToU16(readError.message()) + u").",
                        u"Invalid input", MsgIcon::Exclamation);
        return false;
    }
    if (CountFiles(folder, u"*.*", true).files == 0) {
        host.MessageBox(u"Folder contains no files.", u"Nothing to do", MsgIcon::Information);
        return false;
    }
    const std::u16string& output = settings.File[1];
    if (!output.empty() && settings.DisableOutputToFile == 0) {
        // Compare resolved paths (links, "..", a relative output path), ignoring case as the
        // folder box always has; whole folder names only.
        std::error_code ec;
        const fs::path outFile = fs::weakly_canonical(PathFromText(output), ec);
        const fs::path outFolder = outFile.parent_path();
        const std::u16string folderText = LowerCaseAll(ShownPath(CanonicalOrSelf(folder)));
        const std::u16string outFolderText = LowerCaseAll(ShownPath(outFolder));
        bool inside = false;
        if (settings.IncludeSubfolders != 0) {
            const std::u16string prefix = JoinShown(folderText, u"");
            inside =
                outFolderText == folderText || outFolderText.compare(0, prefix.size(), prefix) == 0;
        } else {
            inside = outFolderText == folderText;
        }
        if (inside) {
            host.MessageBox(u"The output file cannot be in the folder or a subfolder.",
                            u"Invalid output file", MsgIcon::Information);
            return false;
        }
    }
    return true;
}

FolderWalk::FolderWalk(Host& host, RunState& state, FileSelection selection,
                       FolderWalkClient& client)
    : m_host(host), m_state(state), m_selection(std::move(selection)), m_client(client) {}

void FolderWalk::Run(const std::u16string& folder, const FolderWalkOptions& options) {
    m_options = options;
    m_files = 0;
    m_folders = 1;
    m_ended = false;
    m_keptMessage.clear();
    m_visitedFolders.clear();
    m_visitedFiles.clear();
    m_unreadable.clear();
    m_root = TrimTrailingSeparators(folder);
    if (options.pass == WalkPass::Processing && m_foundComplete && m_foundRoot == m_root &&
        m_foundSubfolders == options.includeSubfolders) {
        for (const FoundFile& f : m_found) {
            m_folders = f.folders;
            VisitFile(f.path, f.shown, f.facts);
            if (m_ended || m_state.blnStop)
                break;
        }
        return;
    }
    const bool recording = options.pass == WalkPass::Counting;
    m_found.clear();
    m_foundComplete = false;
    Walk(PathFromText(m_root), m_root, nullptr);
    if (recording && !m_ended && !m_state.blnStop) {
        // The counter shows every fifth file as it goes; the whole number stays up once the
        // pass is done (the question about an output file may come next).
        if (m_files >= 10 && m_files % 5 != 0)
            m_client.OutputSet(u"Counting files . . ." + FormatCount(m_files));
        m_foundComplete = true;
        m_foundRoot = m_root;
        m_foundSubfolders = options.includeSubfolders;
    } else {
        m_found.clear();
    }
    // Said once per run: the processing pass meets the same folders and files again.
    if (!m_unreadable.empty() && m_options.pass != WalkPass::Processing)
        m_host.MessageBox(UnreadableMessage(m_unreadable), u"Unreadable folders or files",
                          MsgIcon::Exclamation);
}

void FolderWalk::NoteUnreadable(const std::u16string& shown, const std::error_code& ec) {
    m_unreadable.push_back(EscapedPath(shown) + u" (" + Utf8ToU16(ec.message()) + u")");
}

std::u16string UnreadableMessage(const std::vector<std::u16string>& named) {
    std::u16string text = u"These folders or files cannot be read, so they are not scanned:";
    for (std::size_t i = 0; i < named.size() && i < kUnreadableNamed; ++i)
        text += u"\n" + named[i];
    if (named.size() > kUnreadableNamed)
        text += u"\n... and " +
                FormatCount(static_cast<std::int64_t>(named.size() - kUnreadableNamed)) + u" more.";
    return text;
}

void FolderWalk::ShowCount() {
    if (m_options.pass == WalkPass::Counting && m_files > 0 && (m_files < 10 || m_files % 5 == 0))
        m_client.OutputSet(u"Counting files . . ." + FormatCount(m_files));
}

void FolderWalk::Walk(const fs::path& folder, const std::u16string& shownFolder,
                      const std::vector<std::u16string>* copiesOf) {
    const std::u16string lowerFolder = LowerCaseAll(shownFolder);
    for (const auto& ex : m_selection.exclusionPatterns) {
        if (lowerFolder.find(ex) != std::u16string::npos)
            return;
    }
    // Each real folder is walked once, however many links lead to it: a link back up the
    // tree would never end, and links that meet again would multiply the work and the counts.
    const std::optional<FileIdentity> identity = IdentityOf(folder);
    if (!identity || !m_visitedFolders.insert(*identity).second)
        return;

    // Read the whole folder first: the walk visits in name order, and a folder that cannot be
    // read is skipped as a whole.
    std::vector<NamedEntry> files;
    std::vector<NamedEntry> subfolders;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        NoteUnreadable(shownFolder, ec);
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const fs::directory_entry& entry = *it;
        std::error_code tec;
        NamedEntry named{entry.path(), ShownPath(entry.path().filename()), {}};
        named.key = LowerCaseAll(named.name);
        if (entry.is_directory(tec)) {
            // Through a link, never into the system's endless virtual folders.
            std::error_code lec;
            if (entry.is_symlink(lec) && IsVirtualSystemPath(CanonicalOrSelf(entry.path())))
                continue;
            subfolders.push_back(std::move(named));
        } else if (!tec && entry.is_regular_file(tec))
            files.push_back(std::move(named));
    }
    if (ec) {
        NoteUnreadable(shownFolder, ec);
        return;
    }
    SortByName(files);
    SortByName(subfolders);

    if (m_visitedFolders.size() > 1)
        ++m_folders;
    ShowCount();

    // The documents of this folder, by lower-cased name without ".docx": their kept text copies
    // in "extracted_text" below are the same words again.
    std::vector<std::u16string> documents;
    for (const auto& f : files) {
        if (f.key.size() > 5 && f.key.ends_with(u".docx"))
            documents.push_back(f.key.substr(0, f.key.size() - 5));
    }

    // The folder is held open while its files are examined: each is looked up by its name.
    const FolderLookup lookup(folder);
    m_visitedFiles.reserve(m_visitedFiles.size() + files.size());
    for (const auto& f : files) {
        const std::u16string shown = JoinShown(shownFolder, f.name);
        if (!IsFileToBeScanned(shown, m_selection))
            continue;
        if (copiesOf && f.key.size() > 4 && f.key.ends_with(u".txt") &&
            std::find(copiesOf->begin(), copiesOf->end(), f.key.substr(0, f.key.size() - 4)) !=
                copiesOf->end())
            continue;
        // One status call tells the size and which real file this is.
        const std::optional<FileFacts> facts = lookup.FactsOf(f.path);
        if (!facts || facts->type != FileFacts::Type::Regular || facts->size == 0)
            continue; // unreadable or nothing to count
        // A file reached again (through a linked folder or a link to it) is counted once.
        if (!m_visitedFiles.insert(facts->identity).second)
            continue;
        // A file that cannot be opened is not scanned, so it is not counted among the files.
        if (const auto refusal = ReadRefusal(lookup, f.path)) {
            NoteUnreadable(shown, *refusal);
            continue;
        }
        if (m_options.pass == WalkPass::Counting)
            m_found.push_back({f.path, shown, *facts, 0});
        VisitFile(f.path, shown, *facts);
        if (m_ended || m_state.blnStop) {
            m_ended = true;
            return;
        }
    }

    if (m_options.includeSubfolders) {
        for (const auto& d : subfolders) {
            if (d.key.find(u"recycle.bin") != std::u16string::npos)
                continue;
            Walk(d.path, JoinShown(shownFolder, d.name),
                 d.key == u"extracted_text" ? &documents : nullptr);
            m_host.Yield();
            if (m_ended || m_state.blnStop) {
                m_ended = true;
                break;
            }
        }
    }
}

void FolderWalk::VisitFile(const fs::path& file, const std::u16string& shown,
                           const FileFacts& facts) {
    m_host.SetLabel("lblFile", shown);
    m_host.SetLabel("lblFilesize", u"");
    m_host.SetLabel("lblXMLsize", u"");
    if (!m_options.countOnlyFile.empty() && EqualIgnoringCase(shown, m_options.countOnlyFile)) {
        m_keptMessage = u"The file " + shown + u"\nis among the files to be scanned.\n" +
                        u"But this file is the same as the count-only words/phrases file\n" +
                        u"currently specified in the Settings panel. This is not permitted.";
        m_state.blnStop = true;
        m_ended = true;
        return;
    }
    ++m_files;
    switch (m_options.pass) {
    case WalkPass::Counting:
        m_found.back().folders = m_folders;
        m_client.FileFound(file, shown, facts);
        ShowCount();
        break;
    case WalkPass::Listing:
        m_client.OutputAppend(ListingLine(m_root, shown, facts.size));
        break;
    case WalkPass::Processing:
        m_current = facts;
        m_client.ProcessFile(file, shown, m_files);
        break;
    }
    m_host.Yield();
}

std::u16string ListingHeader(const std::u16string& folder) {
    const std::u16string root = TrimTrailingSeparators(folder);
    if (root.size() <= kShortenAbove)
        return {};
    return u"{Folder} = " + EscapedPath(root) + u"\n\n";
}

std::u16string ListingLine(const std::u16string& folder, const std::u16string& fullPath,
                           std::uintmax_t size) {
    const std::u16string root = TrimTrailingSeparators(folder);
    std::u16string shown = fullPath;
    if (root.size() > kShortenAbove && fullPath.compare(0, root.size(), root) == 0)
        shown = u"{Folder}" + fullPath.substr(root.size());
    return EscapedPath(shown) + u" [" + SizeTextB(static_cast<double>(size), 2) + u"]\n";
}

std::u16string ListingFooter(std::int64_t files, std::int64_t folders) {
    if (files == 0)
        return u"\nNo files will be scanned.";
    return u"\n" + FileFolderCountText(files, folders) + u" will be scanned.\n";
}

FolderFileCount CountFiles(const fs::path& folder, std::u16string_view pattern, bool stopAtFirst,
                           bool withSize) {
    FolderFileCount count;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return count;
    // "*.*" is every file, names without an extension and odd names included.
    const bool all = pattern == u"*.*" || pattern == u"*";
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code tec;
        if (!it->is_regular_file(tec))
            continue;
        if (!all && !MatchFilePattern(ShownPath(it->path().filename()), pattern, false))
            continue;
        ++count.files;
        if (withSize) {
            const std::uintmax_t size = it->file_size(tec);
            if (!tec)
                count.totalSize += size;
        }
        if (stopAtFirst)
            break;
    }
    return count;
}

std::int64_t CountSubfolders(const fs::path& folder) {
    std::int64_t n = 0;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code tec;
        if (it->is_directory(tec))
            ++n;
    }
    return n;
}

bool FileExists(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

bool FolderExists(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec);
}

bool CreateFolderPath(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return FolderExists(folder);
}

} // namespace lxty
