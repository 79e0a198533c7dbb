#include "sources/TextDetect.h"

#include "sources/LineReader.h"
#include "sources/Utf8Decode.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace lxty {

namespace {

// The charset sniff reads whole lines; a file of one enormous line must not be read whole
// just to look for a declaration.
constexpr std::int64_t kSniffByteCap = 1 << 20;
constexpr int kSniffLines = 10;

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The declarations and the punctuation start that make a text-like file UTF-8:
// "charset=utf-8" or charset="utf-8" in any case, or the bytes E2 80.
bool DeclaresUtf8(std::string_view text) {
    if (text.find("\xE2\x80") != std::string_view::npos)
        return true;
    const auto sameIgnoringCase = [&](std::size_t at, std::string_view lower) {
        if (text.size() - at < lower.size())
            return false;
        for (std::size_t i = 0; i < lower.size(); ++i)
            if (AsciiLower(text[at + i]) != lower[i])
                return false;
        return true;
    };
    // Each "=" may close a "charset"; no copy of the text is made.
    for (std::size_t eq = text.find('='); eq != std::string_view::npos;
         eq = text.find('=', eq + 1)) {
        if (eq >= 7 && sameIgnoringCase(eq - 7, "charset") &&
            (sameIgnoringCase(eq + 1, "utf-8") || sameIgnoringCase(eq + 1, "\"utf-8\"")))
            return true;
    }
    return false;
}

// The first 10 non-empty lines joined by CR LF, as far as the sniff reads.
bool SniffUtf8Declaration(const std::filesystem::path& file, int& error) {
    LineReader reader;
    if (!reader.Open(file)) {
        error = reader.OpenError();
        return false;
    }
    std::string joined, line;
    int lines = 0;
    while (lines < kSniffLines && reader.Position() < kSniffByteCap && reader.ReadLine(line)) {
        if (line.empty())
            continue;
        if (lines > 0)
            joined += "\n";
        joined += line;
        ++lines;
    }
    if (reader.Failed()) {
        error = static_cast<int>(FileKind::CannotOpen);
        return false;
    }
    return DeclaresUtf8(joined);
}

// Reads up to count bytes from the start of file; false on a read error.
bool ReadStart(std::ifstream& in, std::string& bytes, std::int64_t count) {
    bytes.resize(static_cast<std::size_t>(count));
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

// The kinds the first five bytes (and the extension) tell; nothing for a plain start.
std::optional<FileKind> KindOfStart(std::string_view head, const std::u16string& ext) {
    const auto b = [&](int i) {
        return static_cast<unsigned char>(head[static_cast<std::size_t>(i)]);
    };
    if (head.substr(0, 5) == "{\\rtf")
        return FileKind::Rtf;
    if (b(0) == 0xFF && b(1) == 0xFE)
        return FileKind::Utf16LE;
    if (b(0) == 0xFE && b(1) == 0xFF)
        return FileKind::Utf16BE;
    if (b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF)
        return FileKind::Utf8;
    if (b(0) == 0 && b(1) == 0 && b(2) == 0xFE && b(3) == 0xFF)
        return FileKind::Utf32BE;
    if (ext == u"xml" && b(0) == '<')
        return b(1) != 0 ? FileKind::Utf8 : FileKind::Utf16LE;
    return std::nullopt;
}

// The charset sniff over bytes in memory, line by line exactly as SniffUtf8Declaration reads
// the file; nothing when the lines it would read run past the end of head and head is not the
// whole file.
std::optional<bool> SniffUtf8DeclarationOfHead(std::string_view head, bool whole) {
    std::size_t pos = 0;
    bool skipLf = false; // the last line ended at CR: an LF right after it belongs to it
    int lines = 0;
    while (lines < kSniffLines && static_cast<std::int64_t>(pos) < kSniffByteCap) {
        if (skipLf && pos < head.size() && head[pos] == '\n')
            ++pos;
        skipLf = false;
        if (pos >= head.size()) {
            if (whole)
                break;
            return std::nullopt;
        }
        // The line ends at the first CR or LF: two bounded searches, not a test per byte.
        std::size_t end = head.find('\n', pos);
        if (const std::size_t cr =
                head.substr(0, end == std::string_view::npos ? head.size() : end).find('\r', pos);
            cr != std::string_view::npos)
            end = cr;
        if (end == std::string_view::npos) {
            if (!whole)
                return std::nullopt;
            end = head.size();
        }
        const std::string_view line = head.substr(pos, end - pos);
        if (end < head.size()) {
            skipLf = head[end] == '\r';
            pos = end + 1;
        } else {
            pos = end;
        }
        if (line.empty())
            continue;
        // A declaration never spans a line end, so each line may be looked at alone.
        if (DeclaresUtf8(line))
            return true;
        ++lines;
    }
    return false;
}

// The sample part of the text test, on the sample in memory; result.kind is Plain or
// TooShort. truncated: the file goes on beyond the sample.
void TestSample(std::string_view sample, bool truncated, std::int64_t sampleSize,
                double limitPercent, TextTestResult& result) {
    result.sevenBitSample = std::all_of(sample.begin(), sample.end(),
                                        [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (result.kind == FileKind::TooShort) {
        // Files of 1 to 4 bytes are read as text without a byte test; they may still be UTF-8.
        result.utf8 = IsUtf8Sample(sample, false);
        return;
    }
    ByteTest(sample, sampleSize, limitPercent, result);
    if (result.code != TextCode::NotText && IsUtf8Sample(sample, truncated)) {
        result.kind = FileKind::Utf8;
        result.code = TextCode::CrLf;
        result.utf8 = true;
    }
}

// The verdict of a known kind that needs no sample; false for Plain and TooShort.
bool VerdictOfKind(TextTestResult& result) {
    switch (result.kind) {
    case FileKind::Utf8:
        result.code = TextCode::CrLf;
        result.utf8 = true;
        return true;
    case FileKind::Utf16LE:
    case FileKind::Utf16BE:
    case FileKind::Utf32BE:
        result.code = TextCode::Unicode;
        return true;
    case FileKind::Plain:
        return false;
    default:
        result.code = static_cast<TextCode>(result.kind); // the negative codes and RTF
        return result.kind != FileKind::TooShort;
    }
}

} // namespace

std::u16string LowerExtension(const std::filesystem::path& file) {
    // As path::extension() finds it, from the name's native form: a name of only "." or "..",
    // or with no dot but a leading one, has none. Undecodable bytes become U+FFFD (the
    // standard conversion would throw for them).
    const auto& native = file.native();
    const std::size_t slash = native.find_last_of(
        std::filesystem::path::string_type{std::filesystem::path::preferred_separator, '/'});
    const std::size_t from = slash == native.npos ? 0 : slash + 1;
    const std::size_t dot = native.rfind('.');
    if (dot == native.npos || dot <= from || (native.size() - from == 2 && dot == from + 1))
        return {};
#if defined(_WIN32)
    std::u16string ext = std::filesystem::path(native.substr(dot + 1)).u16string();
#else
    std::u16string ext = Utf8ToU16(std::string_view(native).substr(dot + 1));
#endif
    for (auto& c : ext)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return ext;
}

bool IsTextLikeExtension(std::u16string_view extension) {
    static constexpr std::array<std::u16string_view, 11> kTextLike = {
        u"txt",   u"log",  u"xml",   u"htm", u"html", u"shtm",
        u"shtml", u"xhtm", u"xhtml", u"csv", u"prn"};
    std::u16string lower(extension);
    for (auto& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return std::find(kTextLike.begin(), kTextLike.end(), lower) != kTextLike.end();
}

FileKind FirstBytesKind(const std::filesystem::path& file, bool sniffContent) {
    if (file.empty())
        return FileKind::NoName;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return ec && ec != std::errc::no_such_file_or_directory ? FileKind::CannotOpen
                                                                : FileKind::NotFound;
    std::ifstream in;
    if (const int error = OpenBinary(in, file); error != 0)
        return static_cast<FileKind>(error); // AccessDenied or CannotOpen
    const auto length = std::filesystem::file_size(file, ec);
    if (ec)
        return FileKind::CannotOpen;
    if (length == 0)
        return FileKind::ZeroLength;
    if (length < 5)
        return FileKind::TooShort;
    std::string head;
    if (!ReadStart(in, head, 5) || head.size() < 5)
        return FileKind::CannotOpen;
    const std::u16string ext = LowerExtension(file);
    if (const std::optional<FileKind> kind = KindOfStart(head, ext))
        return *kind;

    if (sniffContent && IsTextLikeExtension(ext)) {
        in.close();
        int error = 0;
        const bool declared = SniffUtf8Declaration(file, error);
        if (error != 0)
            return static_cast<FileKind>(error); // AccessDenied or CannotOpen
        if (declared)
            return FileKind::Utf8;
    }
    return FileKind::Plain;
}

void ByteTest(std::string_view sample, std::int64_t sampleSize, double limitPercent,
              TextTestResult& result) {
    const auto* p = reinterpret_cast<const unsigned char*>(sample.data());
    const auto n = static_cast<std::int64_t>(sample.size());
    std::int64_t anomalous = 0;
    bool crSeen = false, lfSeen = false;
    result.firstAnomalousByte = 32;
    result.firstAnomalousPosition = 0;
    for (std::int64_t i = 1; i <= n; ++i) {
        const unsigned char c = p[i - 1];
        if (c < 32) {
            if (c == '\n') {
                lfSeen = true;
            } else if (c == '\r') {
                crSeen = true;
            } else if (c != 8 && c != 9 && c != 12) {
                if (anomalous == 0) {
                    result.firstAnomalousByte = c;
                    result.firstAnomalousPosition = i;
                }
                ++anomalous;
            }
        }
        // Clearly binary files are refused after the first fifth of the sample.
        if (anomalous > 0 && i * 5 > sampleSize) {
            const double running = static_cast<double>(anomalous) * 100.0 / static_cast<double>(i);
            if (running > 10.0 * limitPercent) {
                result.code = TextCode::NotText;
                result.percentage = running;
                result.bytesExamined = i;
                return;
            }
        }
    }
    result.bytesExamined = n;
    result.percentage =
        n > 0 ? static_cast<double>(anomalous) * 100.0 / static_cast<double>(n) : 0.0;
    if (result.percentage > limitPercent)
        result.code = TextCode::NotText;
    else if (crSeen == lfSeen)
        result.code = TextCode::CrLf;
    else
        result.code = crSeen ? TextCode::Cr : TextCode::Lf;
}

TextTestResult TextTest(const std::filesystem::path& file, std::int64_t sampleSize,
                        double limitPercent, bool sniffContent) {
    TextTestResult result;
    std::error_code ec;
    if (!file.empty()) {
        const auto length = std::filesystem::file_size(file, ec);
        if (!ec)
            result.fileLength = static_cast<std::int64_t>(length);
    }
    result.kind = FirstBytesKind(file, sniffContent);
    if (VerdictOfKind(result))
        return result;

    std::ifstream in;
    if (const int error = OpenBinary(in, file); error != 0) {
        result.code = static_cast<TextCode>(error); // AccessDenied or CannotOpen
        return result;
    }
    if (result.fileLength == 0) {
        result.code = TextCode::ZeroLength;
        return result;
    }
    const std::int64_t n = std::min(result.fileLength, std::max<std::int64_t>(sampleSize, 0));
    std::string sample;
    if (!ReadStart(in, sample, n)) {
        result.code = TextCode::CannotOpen;
        return result;
    }
    const bool truncated = static_cast<std::int64_t>(sample.size()) < result.fileLength;
    TestSample(sample, truncated, sampleSize, limitPercent, result);
    return result;
}

std::optional<TextTestResult> TextTestOfHead(std::string_view head, std::int64_t length,
                                             const std::filesystem::path& file,
                                             std::int64_t sampleSize, double limitPercent,
                                             bool sniffContent) {
    TextTestResult result;
    result.fileLength = length;
    const bool whole = static_cast<std::int64_t>(head.size()) >= length;
    if (file.empty())
        result.kind = FileKind::NoName;
    else if (length == 0)
        result.kind = FileKind::ZeroLength;
    else if (length < 5)
        result.kind = FileKind::TooShort;
    else if (head.size() < 5)
        result.kind = FileKind::CannotOpen;
    else {
        const std::u16string ext = LowerExtension(file);
        if (const std::optional<FileKind> kind = KindOfStart(head, ext)) {
            result.kind = *kind;
        } else if (sniffContent && IsTextLikeExtension(ext)) {
            const std::optional<bool> declared = SniffUtf8DeclarationOfHead(head, whole);
            if (!declared)
                return std::nullopt;
            result.kind = *declared ? FileKind::Utf8 : FileKind::Plain;
        }
    }
    if (VerdictOfKind(result))
        return result;
    const std::int64_t n = std::min(length, std::max<std::int64_t>(sampleSize, 0));
    if (static_cast<std::int64_t>(head.size()) < n && !whole) {
        result.code = TextCode::CannotOpen; // the read fell short
        return result;
    }
    const std::string_view sample = head.substr(0, static_cast<std::size_t>(n));
    TestSample(sample, static_cast<std::int64_t>(sample.size()) < length, sampleSize, limitPercent,
               result);
    return result;
}

} // namespace lxty
