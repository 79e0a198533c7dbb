#pragma once
// Text that arrives as a stream (standard input), read piece by piece so that any amount is
// counted in bounded memory.
//
// Each piece ends just after a line end, space or tab, so no word is cut in two; a stretch of
// more than kPieceBytes without any of them is cut there (at a character boundary), which
// only splits what is far longer than the longest word anyway. The text is UTF-8 when it
// begins with a UTF-8 byte-order mark (skipped) or when its first bytes beyond ASCII form
// valid UTF-8, and Windows-1252 otherwise; until such bytes come, ASCII reads the same either
// way.

#include <istream>
#include <string>

namespace lxty {

class TextStreamReader {
public:
    static constexpr std::size_t kPieceBytes = 1 << 20;

    explicit TextStreamReader(std::istream& in) : m_in(in) {}

    // The next piece, decoded, into piece (replaced); false (piece empty) at the end.
    bool Next(std::u16string& piece);

private:
    std::istream& m_in;
    std::string m_bytes;    // read and not yet returned
    bool m_started = false; // the byte-order mark has been looked for
    bool m_decided = false; // the encoding is known
    bool m_utf8 = false;
    bool m_ended = false; // the stream has no more bytes
};

} // namespace lxty
