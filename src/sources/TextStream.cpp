#include "sources/TextStream.h"

#include "sources/Utf8Decode.h"
#include "util/Cp1252.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <string_view>

namespace lxty {

bool TextStreamReader::Next(std::u16string& piece) {
    piece.clear();
    // Top the bytes up to one piece's worth, in blocks, so that a short stream costs little.
    char block[1 << 16];
    while (!m_ended && m_bytes.size() < kPieceBytes) {
        m_in.read(block, static_cast<std::streamsize>(
                             std::min(sizeof block, kPieceBytes - m_bytes.size())));
        m_bytes.append(block, static_cast<std::size_t>(m_in.gcount()));
        if (!m_in)
            m_ended = true;
    }
    if (!m_started) {
        m_started = true;
        constexpr std::string_view kBom = "\xEF\xBB\xBF";
        if (std::string_view(m_bytes).substr(0, kBom.size()) == kBom) {
            m_bytes.erase(0, kBom.size());
            m_decided = m_utf8 = true;
        }
    }
    if (m_bytes.empty())
        return false;

    // Where the piece ends: after the last line end, space or tab, else at the limit. At the
    // end of the stream the rest is the last piece.
    std::size_t end = m_bytes.size();
    if (!m_ended) {
        const std::size_t cut = std::string_view(m_bytes).find_last_of("\r\n \t");
        if (cut != std::string_view::npos) {
            end = cut + 1;
        } else {
            // Never inside a UTF-8 sequence: one cut short at the end goes to the next piece.
            std::size_t lead = end - 1;
            while (lead + 3 > end && lead > 0 &&
                   (static_cast<unsigned char>(m_bytes[lead]) & 0xC0) == 0x80)
                --lead;
            const auto c = static_cast<unsigned char>(m_bytes[lead]);
            const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            if (lead + length > end)
                end = lead;
        }
    }
    const std::string_view bytes = std::string_view(m_bytes).substr(0, end);

    if (!m_decided) {
        const auto high = std::find_if(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
        if (high != bytes.end()) {
            m_decided = true;
            m_utf8 = IsUtf8Sample(bytes, end < m_bytes.size() || !m_ended);
        }
    }
    piece = !m_decided || m_utf8 ? Utf8ToU16(bytes) : Cp1252ToU16(bytes);
    m_bytes.erase(0, end);
    return true;
}

} // namespace lxty
