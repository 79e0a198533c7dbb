// The catalogue of numbered texts, read from "lxty.dat" beside the program.
//
// File format (UTF-8, an optional byte-order mark is skipped, LF or CR LF line ends):
//   # comment                 lines starting with '#' and blank lines are ignored
//   NNN<TAB>text              text number NNN (0 to 32767) and its text, taken verbatim
// In the text, \n, \r, \t and \\ stand for a line feed, a carriage return, a tab and a
// backslash. The text "~" marks a number that deliberately has no text.
//
// The loader reports the first fault it meets with the codes the program's start-up expects
// (see CatalogueLoadMessage). Faults at a line show as -500 - line (missing text), -1000 -
// line (text longer than 1,024 characters) and -1500 - line (duplicate number); these ranges
// only stay apart for lines 1 to 500, so a longer file is refused as too much text rather
// than being reported with a wrong message.

#include "util/Catalogue.h"

#include "util/Format.h"
#include "util/StringUtils.h"

#include <cstdio>
#include <string_view>
#include <system_error>
#include <unordered_map>

namespace lxty {

namespace {

constexpr std::size_t kMaxTextLength = 1024;   // the buffer GetText fills
constexpr std::int64_t kMaxLines = 500;        // the line codes are unambiguous up to here
constexpr std::size_t kMaxFileBytes = 4 << 20; // far above any real catalogue
constexpr int kMaxNumber = 32767;              // text numbers are 16-bit

std::unordered_map<int, std::u16string>& Texts() {
    static std::unordered_map<int, std::u16string> texts;
    return texts;
}

// Decodes the escapes of a text field.
std::string Unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        switch (field[i + 1]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        default: // an unknown escape is kept as written
            out += '\\';
            out += field[i + 1];
            break;
        }
        ++i;
    }
    return out;
}

// Reads the whole file; returns Loaded or a failure.
CatalogueStatus ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::FILE* f = std::fopen(file.string().c_str(), "rb");
    if (f == nullptr) {
        return CatalogueStatus::CannotOpen;
    }
    char buffer[65536];
    CatalogueStatus code = CatalogueStatus::Loaded;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        bytes.append(buffer, n);
        if (bytes.size() > kMaxFileBytes) {
            code = CatalogueStatus::TooMuchText;
            break;
        }
        if (n < sizeof buffer) {
            if (std::ferror(f) != 0) {
                code = CatalogueStatus::ReadError;
            }
            break;
        }
    }
    std::fclose(f);
    return code;
}

// Parses the file into texts.
CatalogueLoadResult Parse(std::string_view bytes, std::unordered_map<int, std::u16string>& texts) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::int64_t line = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view text = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (line > kMaxLines) {
            return {CatalogueStatus::TooMuchText};
        }
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        if (text.empty() || text.front() == '#' ||
            text.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        const int lineCode = static_cast<int>(line);
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
            ++digits;
        }
        if (digits == 0 || digits > 5 || (digits < text.size() && text[digits] != '\t')) {
            return {CatalogueStatus::NotRecovered}; // not a numbered line at all
        }
        const int number = std::stoi(std::string(text.substr(0, digits)));
        if (number > kMaxNumber) {
            return {CatalogueStatus::NotRecovered};
        }
        const std::string_view field =
            digits < text.size() ? text.substr(digits + 1) : std::string_view();
        if (field.empty()) {
            return {CatalogueStatus::MissingText, lineCode};
        }
        std::u16string value = Utf8ToU16(Unescape(field));
        if (value.size() > kMaxTextLength) {
            return {CatalogueStatus::TextTooLong, lineCode};
        }
        if (!texts.emplace(number, std::move(value)).second) {
            return {CatalogueStatus::Duplicate, lineCode};
        }
    }
    if (texts.empty())
        return {CatalogueStatus::NothingRead};
    return {CatalogueStatus::Loaded, static_cast<int>(texts.size())};
}

} // namespace

int CatalogueLoadResult::Code() const {
    switch (status) {
    case CatalogueStatus::Loaded:
        return count;
    case CatalogueStatus::MissingText:
    case CatalogueStatus::TextTooLong:
    case CatalogueStatus::Duplicate:
        return static_cast<int>(status) - count;
    default:
        return static_cast<int>(status);
    }
}

CatalogueLoadResult LoadProgramTexts(const std::filesystem::path& file) {
    Texts().clear();
    std::string bytes;
    const CatalogueStatus read = ReadWholeFile(file, bytes);
    if (read != CatalogueStatus::Loaded) {
        return {read};
    }
    if (bytes.empty()) {
        return {CatalogueStatus::Empty};
    }
    std::unordered_map<int, std::u16string> texts;
    const CatalogueLoadResult result = Parse(bytes, texts);
    if (result.Loaded()) {
        Texts() = std::move(texts);
    }
    return result;
}

std::u16string CatalogueLoadMessage(const CatalogueLoadResult& result,
                                    const std::filesystem::path& file) {
    const int code = result.Code();
    // The line ranges are told apart by the code alone, as the start-up message always has.
    if (code < -1500) {
        return u"Duplicate in program text at line " + Digits(-(code + 1500)) + u".";
    }
    if (code <= -1001) {
        return u"String too long at line " + Digits(-(code + 1000)) + u".";
    }
    if (code <= -501) {
        return u"Missing string at line " + Digits(-(code + 500)) + u".";
    }
    switch (static_cast<CatalogueStatus>(code)) {
    case CatalogueStatus::NothingRead:
        return u"No program text was read.";
    case CatalogueStatus::CannotOpen: {
        std::error_code ec;
        std::filesystem::path full = std::filesystem::absolute(file, ec);
        if (ec) {
            full = file;
        }
        const std::u8string path = full.u8string();
        return u"Cannot open file containing program text.\n" +
               Utf8ToU16(std::string_view(reinterpret_cast<const char*>(path.data()), path.size()));
    }
    case CatalogueStatus::AllocationError:
        return u"Particular memory allocation error.";
    case CatalogueStatus::TooMuchText:
        return u"Too much program text.";
    case CatalogueStatus::NotRecovered:
        return u"Text not recovered.";
    case CatalogueStatus::Empty:
        return u"File is empty.";
    case CatalogueStatus::ReadError:
        return u"Error reading file.";
    case CatalogueStatus::GeneralAllocationError:
        return u"General memory allocation error.";
    default:
        return u"Error " + Digits(code);
    }
}

std::u16string GetText(TextId id) {
    return GetText(static_cast<int>(id));
}

std::u16string DisplayFormatText(int format) {
    return GetText(static_cast<int>(TextId::FirstDisplayFormat) + format);
}

std::u16string GetText(int n) {
    const auto& texts = Texts();
    const auto it = texts.find(n);
    if (it == texts.end() || it->second == u"~") {
        return u"";
    }
    return it->second;
}

} // namespace lxty
