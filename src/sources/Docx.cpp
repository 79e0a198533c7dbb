#include "sources/Docx.h"

#include "base/Host.h"
#include "base/RunState.h"
#include "sources/FolderScan.h"
#include "util/Catalogue.h"
#include "util/FileIdentity.h"
#include "util/StringUtils.h"

#include <zip.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace lxty {

namespace {

constexpr int kBarCells = 37;
// Parts up to this size convert too fast for a progress bar to be worth drawing.
constexpr std::size_t kProgressAbove = 1'000'000;
constexpr std::size_t kChunk = 64 * 1024;

std::string NativeBytes(const fs::path& p) {
    const std::u8string u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

std::u16string ZipErrorText(int code) {
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    std::u16string text = Utf8ToU16(zip_error_strerror(&err));
    zip_error_fini(&err);
    return text;
}

std::u16string ErrorText(const std::error_code& ec) {
    return Utf8ToU16(ec.message());
}

bool StartsWith(std::string_view text, std::size_t at, std::string_view what) {
    return text.compare(at, what.size(), what) == 0;
}

// The tag at `at` is `name` itself and not a longer name that begins with it
// ("<w:tab/>" but not "<w:tabs>").
bool IsTag(std::string_view xml, std::size_t at, std::string_view name) {
    if (!StartsWith(xml, at, name))
        return false;
    const std::size_t next = at + name.size();
    if (next >= xml.size())
        return false;
    const char c = xml[next];
    return c == ' ' || c == '/' || c == '>' || c == '\t' || c == '\r' || c == '\n';
}

// A numeric reference body ("#233", "#xE9") as a code point; 0 when it is not a usable
// character.
std::uint32_t NumericReference(std::u16string_view body) {
    if (body.size() < 2 || body[0] != u'#')
        return 0;
    const bool hex = body[1] == u'x' || body[1] == u'X';
    std::size_t i = hex ? 2 : 1;
    if (i >= body.size())
        return 0;
    std::uint32_t value = 0;
    for (; i < body.size(); ++i) {
        const char16_t c = body[i];
        std::uint32_t digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return 0;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0x10FFFF)
            return 0;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return value;
}

// The text of one run: UTF-8 decoded, every character reference resolved in one pass (so
// "&amp;lt;" reads "&lt;"), line ends and other control characters turned into spaces so
// that a paragraph stays on one line; tabs stay tabs.
std::u16string DecodeRunText(std::string_view raw) {
    const std::u16string text = Utf8ToU16(raw);
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'&') {
            const auto semi = text.find(u';', i + 1);
            if (semi != std::u16string::npos && semi - i <= 12) {
                const std::u16string_view body(text.data() + i + 1, semi - i - 1);
                char16_t named = 0;
                if (body == u"amp")
                    named = u'&';
                else if (body == u"lt")
                    named = u'<';
                else if (body == u"gt")
                    named = u'>';
                else if (body == u"quot")
                    named = u'"';
                else if (body == u"apos")
                    named = u'\'';
                std::uint32_t cp = named ? named : NumericReference(body);
                if (cp != 0) {
                    if (cp < 32 && cp != u'\t')
                        cp = u' ';
                    AppendCodePoint(out, cp);
                    i = semi;
                    continue;
                }
            }
        }
        if (c < 32 && c != u'\t')
            c = u' ';
        out += c;
    }
    return out;
}

// Skips from `at` to just after the closing tag `close`; the end of the text when it is
// missing.
std::size_t SkipPast(std::string_view xml, std::size_t at, std::string_view close) {
    const auto end = xml.find(close, at);
    return end == std::string_view::npos ? xml.size() : end + close.size();
}

} // namespace

bool HasDocxName(const fs::path& file) {
    // Only ASCII letters lower-case to the letters of "docx", so the name's native form may be
    // compared as it is.
    const auto& name = file.native();
    constexpr std::string_view kDocx = ".docx";
    if (name.size() < kDocx.size())
        return false;
    for (std::size_t i = 0; i < kDocx.size(); ++i) {
        auto c = name[name.size() - kDocx.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<decltype(c)>(c - 'A' + 'a');
        if (c != static_cast<decltype(c)>(kDocx[i]))
            return false;
    }
    return true;
}

bool IsDocx(const fs::path& file) {
    if (!HasDocxName(file))
        return false;
    const std::u16string name = ShownPath(file.filename());
    if (LowerCaseAll(ExtensionOf(name)) != u"docx")
        return false;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) < 10 || ec)
        return false;
    std::ifstream in(file, std::ios::binary);
    std::array<char, 4> sig{};
    if (!in.read(sig.data(), sig.size()))
        return false;
    return sig[0] == 'P' && sig[1] == 'K' && sig[2] == 3 && sig[3] == 4;
}

fs::path CreateDocxTemporaryFolder(const fs::path& base, std::u16string_view prefix) {
    for (int n = 1; n <= 999; ++n) {
        std::u16string name(prefix);
        name += static_cast<char16_t>(u'0' + n / 100);
        name += static_cast<char16_t>(u'0' + n / 10 % 10);
        name += static_cast<char16_t>(u'0' + n % 10);
        const fs::path candidate = base / PathFromText(name);
        std::error_code ec;
        // A link of that name counts as taken: never write through something someone else
        // placed in a shared temporary folder.
        if (fs::symlink_status(candidate, ec).type() != fs::file_type::not_found)
            continue;
        // create_directory reports false when the name appeared meanwhile; try the next.
        if (fs::create_directory(candidate, ec)) {
            // The extracted text is the person's document: keep it private.
            fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, ec);
            return candidate;
        }
        if (ec && !fs::exists(fs::symlink_status(candidate, ec)))
            return {}; // the base folder cannot be written at all
    }
    return {};
}

void RemoveDocxTemporaryFolders(const fs::path& base, std::u16string_view prefix) {
    for (int n = 1; n <= 999; ++n) {
        std::u16string name(prefix);
        name += static_cast<char16_t>(u'0' + n / 100);
        name += static_cast<char16_t>(u'0' + n / 10 % 10);
        name += static_cast<char16_t>(u'0' + n % 10);
        const fs::path folder = base / PathFromText(name);
        std::error_code ec;
        if (fs::symlink_status(folder, ec).type() == fs::file_type::directory)
            fs::remove_all(folder, ec);
    }
}

namespace {

fs::path& ProcessFolder() {
    static fs::path folder;
    return folder;
}

} // namespace

fs::path PrivateTemporaryFolder() {
    fs::path& folder = ProcessFolder();
    std::error_code ec;
    if (!folder.empty() && fs::is_directory(fs::symlink_status(folder, ec)))
        return folder;
    folder.clear();
    std::vector<fs::path> bases;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/')
        bases.emplace_back(runtime);
    if (fs::path tmp = fs::temp_directory_path(ec); !ec)
        bases.push_back(std::move(tmp));
    static std::mt19937_64 random{std::random_device{}()};
    for (const fs::path& base : bases) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            const fs::path candidate =
                base / ("lexitally-" + std::to_string(random() % 1000000000000ULL));
            // Exclusive creation: a name that exists, or a link placed there, is not ours.
            if (CreatePrivateFolder(candidate)) {
                folder = candidate;
                return folder;
            }
            if (!fs::is_directory(base, ec))
                break;
        }
    }
    return {};
}

void RemoveDocxTemporaryFolders(std::u16string_view) {
    fs::path& folder = ProcessFolder();
    if (folder.empty())
        return;
    std::error_code ec;
    fs::remove_all(folder, ec);
    folder.clear();
}

fs::path PartPath(const fs::path& destination, std::u16string_view kind) {
    if (kind == u"docx")
        return destination / "word" / "document.xml";
    return destination / "content.xml";
}

namespace {

// Where an unpacked part goes: a file in the temporary folder, or memory.
class PartSink {
public:
    virtual ~PartSink() = default;
    // Called once the part is found and opened; an error text when the sink cannot take it.
    virtual std::u16string Begin() = 0;
    virtual void Write(const char* bytes, std::size_t count) = 0;
    // After the last byte: an error text when the bytes could not all be kept.
    virtual std::u16string Finish() = 0;
};

class FileSink : public PartSink {
public:
    explicit FileSink(fs::path part) : m_part(std::move(part)) {}
    std::u16string Begin() override {
        std::error_code ec;
        fs::create_directories(m_part.parent_path(), ec);
        m_out.open(m_part, std::ios::binary | std::ios::trunc);
        return m_out ? std::u16string() : u"Cannot create " + ShownPath(m_part);
    }
    void Write(const char* bytes, std::size_t count) override {
        m_out.write(bytes, static_cast<std::streamsize>(count));
    }
    std::u16string Finish() override {
        m_out.close();
        return m_out ? std::u16string() : u"Cannot write " + ShownPath(m_part);
    }

private:
    fs::path m_part;
    std::ofstream m_out;
};

class MemorySink : public PartSink {
public:
    explicit MemorySink(std::string& part) : m_part(part) { m_part.clear(); }
    std::u16string Begin() override { return {}; }
    void Write(const char* bytes, std::size_t count) override { m_part.append(bytes, count); }
    std::u16string Finish() override { return {}; }

private:
    std::string& m_part;
};

// Unpacks the part of kind from an open archive into sink (see UnpackPart).
UnpackResult UnpackFromArchive(zip_t* za, std::u16string_view kind, PartSink& sink) {
    UnpackResult r;
    std::unique_ptr<zip_t, void (*)(zip_t*)> archive(za, [](zip_t* z) { zip_discard(z); });
    const char* entry = kind == u"docx" ? "word/document.xml" : "content.xml";
    const zip_int64_t index = zip_name_locate(za, entry, ZIP_FL_NOCASE);
    if (index < 0) {
        r.error = u"No " + Utf8ToU16(entry) + u" in the document";
        return r;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(za, static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
        (st.valid & ZIP_STAT_SIZE)) {
        r.declaredSize = st.size;
        // Refused on the directory's word alone: nothing is inflated.
        if (r.declaredSize > kDocxMaxPartSize) {
            r.status = UnpackResult::TooBig;
            return r;
        }
    }

    zip_file_t* zf = zip_fopen_index(za, static_cast<zip_uint64_t>(index), 0);
    if (!zf) {
        r.error = Utf8ToU16(zip_strerror(za));
        return r;
    }
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zf, zip_fclose);
    r.error = sink.Begin();
    if (!r.error.empty())
        return r;

    // One byte beyond the limit is enough to know the part is too big, whatever the
    // directory declared.
    const std::uintmax_t cap = kDocxMaxPartSize + 1;
    std::vector<char> buf(kChunk);
    r.status = UnpackResult::Unpacked;
    while (true) {
        const zip_int64_t n = zip_fread(zf, buf.data(), buf.size());
        if (n < 0) {
            const int code = zip_error_code_zip(zip_file_get_error(zf));
            if (code == ZIP_ER_CRC) {
                r.status = UnpackResult::Checksum;
            } else {
                r.status = UnpackResult::Failed;
                r.error = Utf8ToU16(zip_file_strerror(zf));
            }
            break;
        }
        if (n == 0)
            break;
        const std::uintmax_t room = cap - r.bytesWritten;
        const std::uintmax_t take = std::min<std::uintmax_t>(room, static_cast<std::uintmax_t>(n));
        sink.Write(buf.data(), static_cast<std::size_t>(take));
        r.bytesWritten += take;
        if (r.bytesWritten >= cap) {
            r.status = UnpackResult::TooBig;
            break;
        }
    }
    if (std::u16string error = sink.Finish(); !error.empty() && r.status != UnpackResult::Failed) {
        r.status = UnpackResult::Failed;
        r.error = std::move(error);
    }
    return r;
}

} // namespace

UnpackResult UnpackPart(const fs::path& document, const fs::path& destination,
                        std::u16string_view kind) {
    int openError = 0;
    zip_t* za = zip_open(NativeBytes(document).c_str(), ZIP_RDONLY, &openError);
    if (!za) {
        UnpackResult r;
        r.error = ZipErrorText(openError);
        return r;
    }
    FileSink sink(PartPath(destination, kind));
    return UnpackFromArchive(za, kind, sink);
}

UnpackResult UnpackPartFromBytes(std::string_view container, std::u16string_view kind,
                                 std::string& part) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(container.data(), container.size(), 0, &error);
    zip_t* za = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!za) {
        if (source)
            zip_source_free(source);
        UnpackResult r;
        r.error = Utf8ToU16(zip_error_strerror(&error));
        zip_error_fini(&error);
        return r;
    }
    zip_error_fini(&error);
    MemorySink sink(part);
    return UnpackFromArchive(za, kind, sink);
}

std::u16string DocxProgressBar(std::uint64_t position, std::uint64_t length) {
    int cells = 0;
    if (length > 0)
        cells = static_cast<int>(
            std::lround(static_cast<double>(kBarCells) * static_cast<double>(position) /
                        static_cast<double>(length)));
    cells = std::clamp(cells, 0, kBarCells);
    return u"[" + std::u16string(cells, u'-') + u">" + std::u16string(kBarCells - cells, u' ') +
           u"]";
}

std::vector<std::u16string> ConvertWordprocessingML(std::string_view xml, Host& host,
                                                    RunState& state,
                                                    const DocxConvertOptions& options) {
    std::vector<std::u16string> lines;
    std::u16string paragraph;
    const bool progress = xml.size() > kProgressAbove;
    std::u16string bar;
    if (progress) {
        bar = DocxProgressBar(0, xml.size());
        host.SetLabel(options.progressLabel, bar);
    }
    std::int64_t runs = 0;

    // The next ">" at or after a position. The answer is kept, so that a part full of tags
    // that never close ("<w:p <w:p ...") is searched once, not once for every tag.
    std::size_t gtFrom = 0;
    std::size_t gtAt = 0;
    bool gtKnown = false;
    auto nextGt = [&](std::size_t from) {
        if (!gtKnown || from < gtFrom || (gtAt != std::string_view::npos && from > gtAt)) {
            gtAt = xml.find('>', from);
            gtFrom = from;
            gtKnown = true;
        }
        return gtAt;
    };

    std::size_t pos = 0;
    while (pos < xml.size()) {
        const std::size_t lt = xml.find('<', pos);
        if (lt == std::string_view::npos)
            break;

        if (IsTag(xml, lt, "<w:t")) {
            const std::size_t gt = nextGt(lt);
            if (gt == std::string_view::npos)
                break;
            if (xml[gt - 1] == '/') { // <w:t .../> holds nothing
                pos = gt + 1;
                continue;
            }
            const std::size_t end = xml.find("</w:t>", gt);
            if (end == std::string_view::npos)
                break;
            const std::u16string run = DecodeRunText(xml.substr(gt + 1, end - gt - 1));
            // Runs join as they stand: "Hel" in bold and "lo" plain are one word.
            paragraph += run;
            pos = end + 6;

            ++runs;
            if (progress) {
                std::u16string now = DocxProgressBar(pos, xml.size());
                if (now != bar) {
                    bar = std::move(now);
                    host.SetLabel(options.progressLabel, bar);
                }
            }
            if (options.showRun && runs % 20 == 0)
                options.showRun(run);
            host.Yield();
            if (state.blnStop) {
                const MsgAnswer a =
                    host.Ask(GetText(TextId::StopDocxQuestion), GetText(TextId::StopDocxTitle),
                             MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
                if (a == MsgAnswer::Yes)
                    break;
                state.blnStop = false;
            }
            continue;
        }

        if (StartsWith(xml, lt, "</w:p>")) {
            lines.push_back(std::move(paragraph));
            paragraph.clear();
            pos = lt + 6;
        } else if (IsTag(xml, lt, "<w:p") && nextGt(lt) != std::string_view::npos &&
                   xml[nextGt(lt) - 1] == '/') {
            lines.emplace_back(); // <w:p/>: an empty paragraph
            pos = nextGt(lt) + 1;
        } else if (IsTag(xml, lt, "<w:br") || IsTag(xml, lt, "<w:cr")) {
            paragraph += u' ';
            pos = lt + 5;
        } else if (IsTag(xml, lt, "<w:tab")) {
            paragraph += u'\t';
            pos = lt + 6;
        } else if (IsTag(xml, lt, "<w:noBreakHyphen")) {
            paragraph += u'-';
            pos = lt + 1;
        } else if (StartsWith(xml, lt, "</w:tc>")) {
            if (!paragraph.empty())
                paragraph += u' ';
            pos = lt + 7;
        } else if (IsTag(xml, lt, "<w:tabs")) {
            // Tab-stop definitions of a paragraph's properties, not tabs in the text.
            pos = SkipPast(xml, lt, "</w:tabs>");
        } else if (IsTag(xml, lt, "<mc:Fallback")) {
            // The same text box again for older readers: counting it would count it twice.
            pos = SkipPast(xml, lt, "</mc:Fallback>");
        } else {
            pos = lt + 1;
        }
    }
    if (!paragraph.empty())
        lines.push_back(std::move(paragraph));
    if (progress && !state.blnStop)
        host.SetLabel(options.progressLabel, DocxProgressBar(xml.size(), xml.size()));
    return lines;
}

DocxDocument::DocxDocument(Host& host, RunState& state) : m_host(host), m_state(state) {}

DocxDocument::~DocxDocument() {
    CleanUp();
}

fs::path DocxDocument::ExtractedTextCopyPath(const fs::path& document) {
    fs::path name = document.filename();
    name.replace_extension(".txt");
    return document.parent_path() / "extracted_text" / name;
}

int DocxDocument::Extract(const fs::path& document, const DocxOptions& options) {
    CleanUp();
    m_document = document;
    m_kind = options.kind;
    m_unpackError.clear();
    m_runLines.clear();

    std::error_code ec;
    fs::path base = options.temporaryBase;
    if (base.empty())
        base = PrivateTemporaryFolder();
    if (!base.empty())
        m_folder = CreateDocxTemporaryFolder(base, options.prefix);
    if (m_folder.empty())
        return kDocxNoTemporaryFolder;
    fs::path name = document.filename();
    name.replace_extension(".txt");
    m_textFile = m_folder / name;

    const UnpackResult r = UnpackPart(document, m_folder, m_kind);
    const std::u16string shown = ShownPath(document);
    switch (r.status) {
    case UnpackResult::TooBig:
        CleanUp();
        return kDocxTooBig;
    case UnpackResult::Failed:
        // Reported by ReadAndConvert, as any other failure to read the part.
        m_unpackError = r.error;
        return kDocxOk;
    case UnpackResult::Checksum:
        if (!options.askOnChecksumError) {
            CleanUp();
            return kDocxChecksum;
        }
        if (m_host.Ask(u"Invalid checksum found when processing\n" + shown +
                           u"\n\nDo you wish to scan this file anyway?",
                       u"", MsgIcon::None, MsgButtons::YesNo, MsgAnswer::Yes) == MsgAnswer::No) {
            CleanUp();
            return kDocxDeclined;
        }
        break;
    case UnpackResult::Unpacked:
        break;
    }

    if (r.bytesWritten > kDocxBigPartSize && options.askOnBigPart) {
        const MsgAnswer a =
            m_host.Ask(shown + u"\nis rather large.  It may take awhile to scan."
                               u"\nDo you wish to continue?",
                       u"Big file", MsgIcon::None, MsgButtons::YesNo, MsgAnswer::No);
        if (a != MsgAnswer::Yes) {
            m_host.MessageBox(u"You could try saving it as a text file\n"
                              u"and applying this program to that file.",
                              u"Big file", MsgIcon::None);
            CleanUp();
            return kDocxDeclined;
        }
    }
    return kDocxOk;
}

void DocxDocument::ShowExtractFailure(int code, const fs::path& document) {
    const std::u16string shown = ShownPath(document);
    switch (code) {
    case kDocxNoTemporaryFolder:
        m_host.MessageBox(u"Unable to create temporary folder.", GetText(TextId::DocxDocument),
                          MsgIcon::Exclamation);
        break;
    case kDocxChecksum:
        m_host.MessageBox(u"Invalid checksum found when processing\n" + shown, u"Error",
                          MsgIcon::Exclamation);
        break;
    case kDocxTooBig:
        m_host.MessageBox(shown + u" is too large (more than 20 Mb) to be scanned directly.\n"
                                  u"You might be able to save it as a text file\n"
                                  u"and apply this program to that file.",
                          u"File too big", MsgIcon::Information);
        break;
    default:
        break;
    }
}

std::u16string DocxDocument::ReadAndConvert(bool showErrors, bool keepFolder,
                                            const DocxConvertOptions& options) {
    m_runLines.clear();
    const fs::path part = PartPath(m_folder, m_kind);
    std::string xml;
    std::u16string error = m_unpackError;
    if (error.empty()) {
        std::ifstream in(part, std::ios::binary);
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(part, ec);
        if (!in || ec) {
            error = u"Cannot open " + ShownPath(part);
        } else {
            xml.resize(static_cast<std::size_t>(size));
            if (!in.read(xml.data(), static_cast<std::streamsize>(size)))
                error = u"Cannot read " + ShownPath(part);
        }
    }

    // The part file and its folders go first, whatever happened: they are copies.
    std::error_code ec;
    if (fs::exists(fs::symlink_status(part, ec)) && !fs::remove(part, ec) && showErrors)
        m_host.MessageBox(u"Error when attempting to delete " + ShownPath(part), u"Error",
                          MsgIcon::Exclamation);
    if (m_kind == u"docx") {
        const fs::path word = m_folder / "word";
        ec.clear();
        if (fs::exists(fs::symlink_status(word, ec))) {
            fs::remove_all(word, ec);
            if (ec && showErrors)
                m_host.MessageBox(ErrorText(ec) + u" when attempting to delete folder " +
                                      ShownPath(word),
                                  u"Error", MsgIcon::Exclamation);
        }
    }
    if (!keepFolder) {
        ec.clear();
        fs::remove_all(m_folder, ec);
        if (ec && showErrors)
            m_host.MessageBox(ErrorText(ec) + u" when attempting to delete folder " +
                                  ShownPath(m_folder),
                              u"Error", MsgIcon::Exclamation);
    }
    if (!error.empty())
        return error;

    m_runLines = ConvertWordprocessingML(xml, m_host, m_state, options);
    return {};
}

bool DocxDocument::WriteRunLines(const fs::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << "\xEF\xBB\xBF";
    for (const auto& line : m_runLines)
        out << U16ToUtf8(line) << '\n';
    m_runLines.clear();
    out.close();
    return static_cast<bool>(out);
}

void DocxDocument::CleanUp() {
    if (m_folder.empty())
        return;
    std::error_code ec;
    fs::remove_all(m_folder, ec);
    // The process's own folder goes too once it is empty (nothing is left behind when a
    // program ends without RemoveDocxTemporaryFolders); the next document makes a new one.
    if (m_folder.parent_path() == ProcessFolder() && fs::remove(ProcessFolder(), ec))
        ProcessFolder().clear();
    m_folder.clear();
}

bool DocxDocument::Prepare(const fs::path& document, const DocxOptions& options) {
    m_code = Extract(document, options);
    if (m_code != kDocxOk) {
        ShowExtractFailure(m_code, document);
        CleanUp();
        return false;
    }
    std::u16string error = ReadAndConvert(false, true, options.convert);
    if (error.empty() && !WriteRunLines(m_textFile))
        error = u"Cannot write " + ShownPath(m_textFile);
    if (!error.empty()) {
        m_host.MessageBox(error + u" when processing " + ShownPath(document), u"Error",
                          MsgIcon::Exclamation);
        m_code = kDocxReadError;
        CleanUp();
        return false;
    }
    if (options.keepExtractedText) {
        const fs::path copy = ExtractedTextCopyPath(document);
        std::error_code ec;
        fs::create_directories(copy.parent_path(), ec);
        ec.clear();
        fs::copy_file(m_textFile, copy, fs::copy_options::overwrite_existing, ec);
        if (ec)
            m_host.MessageBox(ErrorText(ec) + u" when attempting to create " + ShownPath(copy),
                              u"Error", MsgIcon::Exclamation);
    }
    return true;
}

} // namespace lxty
