#include "sources/TextFile.h"

#include "sources/Utf8Decode.h"
#include "util/LineEnd.h"
#include "util/StringUtils.h"

namespace lxty {

namespace {

int UnitSize(TextEncoding e) {
    switch (e) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return 2;
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE:
        return 4;
    default:
        return 1;
    }
}

} // namespace

TextEncoding EncodingFor(const TextTestResult& judged) {
    if (judged.utf8)
        return TextEncoding::Utf8;
    switch (judged.kind) {
    case FileKind::Utf16LE:
        return TextEncoding::Utf16LE;
    case FileKind::Utf16BE:
        return TextEncoding::Utf16BE;
    case FileKind::Utf32BE:
        return TextEncoding::Utf32BE;
    case FileKind::Plain:
    case FileKind::TooShort:
        return judged.sevenBitSample ? TextEncoding::SevenBitSample : TextEncoding::Cp1252;
    default:
        return TextEncoding::Cp1252;
    }
}

bool TextFile::Open(const std::filesystem::path& file, TextEncoding encoding) {
    Close();
    m_lines = 0;
    if (!m_reader.Open(file))
        return false;
    Begin(encoding);
    return true;
}

bool TextFile::OpenKnown(const std::filesystem::path& file, std::int64_t size) {
    Close();
    m_lines = 0;
    return m_reader.Open(file, size);
}

void TextFile::OpenBytes(std::string_view bytes, TextEncoding encoding) {
    Close();
    m_reader.OpenBytes(bytes);
    Begin(encoding);
}

void TextFile::Begin(TextEncoding encoding) {
    m_encoding = encoding;
    const std::string_view start = m_reader.Peek(4);
    // A byte-order mark is not text: left in place it would cling to the first word.
    switch (encoding) {
    case TextEncoding::Utf8:
        if (start.substr(0, 3) == "\xEF\xBB\xBF")
            m_reader.Skip(3);
        break;
    case TextEncoding::Utf16LE:
        if (start == std::string_view("\xFF\xFE\0\0", 4)) {
            // FF FE is also the start of the UTF-32 little-endian mark, and a UTF-16 file
            // never begins with a NUL character.
            m_encoding = TextEncoding::Utf32LE;
            m_reader.Skip(4);
        } else if (start.substr(0, 2) == "\xFF\xFE") {
            m_reader.Skip(2);
        }
        break;
    case TextEncoding::Utf16BE:
        if (start.substr(0, 2) == "\xFE\xFF")
            m_reader.Skip(2);
        break;
    case TextEncoding::Utf32LE:
        if (start == std::string_view("\xFF\xFE\0\0", 4))
            m_reader.Skip(4);
        break;
    case TextEncoding::Utf32BE:
        if (start == std::string_view("\0\0\xFE\xFF", 4))
            m_reader.Skip(4);
        break;
    case TextEncoding::Cp1252:
    case TextEncoding::SevenBitSample:
        break;
    }
}

void TextFile::Close() {
    m_reader.Close();
    m_encoding = TextEncoding::Cp1252;
    m_raw.clear();
    m_rawBlock.clear();
    m_wide.clear();
    m_widePos = 0;
    m_wideSkipLf = false;
}

void TextFile::Decode(std::string_view bytes, std::u16string& line) {
    // An English UTF-8 text often shows its first accented letter or curly quote well after
    // the sample; read as Windows-1252 it would turn into "cafÃ©". The first line that is
    // valid UTF-8 settles the file. A plain ASCII line settles nothing (it holds no multi-byte
    // sequence), so a line is decoded first and checked only when it held a byte of 0x80 or
    // above: one pass over the many ASCII lines instead of two.
    if (m_encoding == TextEncoding::SevenBitSample) {
        if (!DecodeCp1252Line(bytes, line) || !IsUtf8Sample(bytes, false))
            return;
        m_encoding = TextEncoding::Utf8;
    }
    if (m_encoding == TextEncoding::Utf8) {
        if (DecodeUtf8Line(bytes, line))
            NormalisePunctuation(line);
    } else {
        DecodeCp1252Line(bytes, line);
    }
}

bool TextFile::ReadLine(std::u16string& line) {
    if (!ReadNextLine(line))
        return false;
    ++m_lines;
    return true;
}

bool TextFile::ReadNextLine(std::u16string& line) {
    if (UnitSize(m_encoding) > 1)
        return ReadWideLine(line);
    if (!m_reader.ReadLine(m_raw)) {
        line.clear();
        return false;
    }
    // Room for the space the count run appends, so a huge line is never copied to grow by one.
    line.reserve(m_raw.size() + 1);
    Decode(m_raw, line);
    // A huge line's bytes are not kept for the next line, once no switch to UTF-8 can need
    // them again: the line is held once, decoded.
    if (m_raw.capacity() > kKeptRawCapacity && m_encoding == TextEncoding::Utf8) {
        m_raw.clear();
        m_raw.shrink_to_fit();
    }
    return true;
}

bool TextFile::AtEnd() {
    if (UnitSize(m_encoding) == 1)
        return m_reader.AtEnd();
    for (;;) {
        if (m_widePos < m_wide.size()) {
            if (!(m_wideSkipLf && m_wide[m_widePos] == u'\n'))
                return false;
            m_wideSkipLf = false;
            ++m_widePos;
            continue;
        }
        if (!FillWide())
            return true;
    }
}

bool TextFile::SwitchToUtf8(std::u16string& lastLine) {
    if (m_encoding != TextEncoding::Cp1252 && m_encoding != TextEncoding::SevenBitSample)
        return false;
    m_encoding = TextEncoding::Utf8;
    Decode(m_raw, lastLine);
    return true;
}

bool TextFile::FillWide() {
    const int unit = UnitSize(m_encoding);
    m_wide.clear();
    m_widePos = 0;
    // Undecoded bytes of a unit cut by the block boundary stay at the front of m_rawBlock.
    if (m_reader.ReadBytes(m_rawBlock, LineReader::kBlockSize) == 0)
        return false; // a unit cut short by the end of the file is dropped
    const std::size_t whole = m_rawBlock.size() / static_cast<std::size_t>(unit);
    const auto* p = reinterpret_cast<const unsigned char*>(m_rawBlock.data());
    m_wide.reserve(whole * 2);
    for (std::size_t k = 0; k < whole; ++k, p += unit) {
        switch (m_encoding) {
        case TextEncoding::Utf16LE:
            m_wide += static_cast<char16_t>(p[0] | (p[1] << 8));
            break;
        case TextEncoding::Utf16BE:
            m_wide += static_cast<char16_t>((p[0] << 8) | p[1]);
            break;
        default: {
            const char32_t cp = m_encoding == TextEncoding::Utf32LE
                                    ? (char32_t(p[0]) | char32_t(p[1]) << 8 | char32_t(p[2]) << 16 |
                                       char32_t(p[3]) << 24)
                                    : (char32_t(p[0]) << 24 | char32_t(p[1]) << 16 |
                                       char32_t(p[2]) << 8 | char32_t(p[3]));
            if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
                m_wide += u'\xFFFD';
            } else {
                AppendCodePoint(m_wide, cp);
            }
            break;
        }
        }
    }
    m_rawBlock.erase(0, whole * static_cast<std::size_t>(unit));
    return !m_wide.empty() || FillWide();
}

bool TextFile::ReadWideLine(std::u16string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (m_widePos == m_wide.size() && !FillWide()) {
            if (Failed())
                line.clear();
            if (any && !Failed()) {
                NormalisePunctuation(line);
                return true;
            }
            return false;
        }
        if (m_wideSkipLf) {
            m_wideSkipLf = false;
            if (m_wide[m_widePos] == u'\n') {
                ++m_widePos;
                continue;
            }
        }
        const std::size_t from = m_widePos;
        std::size_t p = from;
        while (p < m_wide.size() && m_wide[p] != u'\n' && m_wide[p] != u'\r')
            ++p;
        if (p == m_wide.size() && line.size() + (p - from) > LineReader::kBlockSize) {
            // A huge line goes out in pieces, as LineReader cuts them (line is not empty).
            std::size_t cut = p;
            while (cut > from && m_wide[cut - 1] != u' ' && m_wide[cut - 1] != u'\t')
                --cut;
            if (cut == from)
                cut = p - (m_wide[p - 1] >= 0xD800 && m_wide[p - 1] <= 0xDBFF ? 1 : 0);
            line.append(m_wide, from, cut - from);
            m_widePos = cut;
            NormalisePunctuation(line);
            return true;
        }
        line.append(m_wide, from, p - from);
        if (p == m_wide.size()) {
            m_widePos = p;
            any = true;
            continue;
        }
        m_wideSkipLf = m_wide[p] == u'\r';
        m_widePos = p + 1;
        NormalisePunctuation(line);
        return true;
    }
}

FirstLines ReadFirstLines(const std::filesystem::path& file, std::int64_t maxNonEmptyLines,
                          LineJoin join, bool decodeUtf8, bool normalisePunctuation,
                          bool keepEmptyLines) {
    FirstLines result;
    LineReader reader;
    if (!reader.Open(file))
        return result;
    if (decodeUtf8 && reader.Peek(3) == "\xEF\xBB\xBF")
        reader.Skip(3);
    const std::u16string_view separator = join == LineJoin::Space   ? u" "
                                          : join == LineJoin::Slash ? u" / "
                                                                    : kLineEnd;
    std::string raw;
    std::u16string line;
    std::int64_t nonEmpty = 0;
    while (reader.ReadLine(raw)) {
        if (raw.empty() && !keepEmptyLines)
            continue;
        if (decodeUtf8)
            DecodeUtf8Line(raw, line);
        else
            DecodeCp1252Line(raw, line);
        if (normalisePunctuation)
            NormalisePunctuation(line);
        if (result.numLines > 0)
            result.text += separator;
        result.text += line;
        ++result.numLines;
        if (!raw.empty() && ++nonEmpty == maxNonEmptyLines)
            break;
    }
    return result;
}

} // namespace lxty
