// Word extraction with markup: bytes in (lines of text), words out, under settings and a
// markup type taken from the input's first bytes.

#include "FakeHost.h"
#include "FuzzSupport.h"
#include "engine/WordExtraction.h"
#include "sources/Markup.h"
#include "util/Cp1252.h"

namespace {

struct Sink : lxty::WordSink {
    std::size_t units = 0;
    void AddWordToList(const std::u16string& w) override { units += w.size(); }
    void GetWords2(const std::u16string& w) override { units += w.size(); }
    std::u16string StripPhrase(const std::u16string& w) override { return w; }
    void CheckForNonAlphaNumeric(const std::u16string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    fuzz::Choices in(data, size);
    Settings settings;
    settings.AllowWordsWithHyphens = in.Flag();
    settings.AllowWordsWithApostrophes = in.Flag();
    settings.AllowWordsWithNumerals = in.Flag();
    settings.AllowWordsWithAmpersands = in.Flag();
    settings.AllowWordsWithParentheses = in.Flag();
    settings.DropFinalS = in.Flag();
    settings.CaseSignificant = in.Flag();
    settings.AllowWordsWithUserSpecifiedExtraChars = in.Flag();
    settings.UserSpecifiedExtraChars = Cp1252ToU16(in.Piece(4));
    RunState state;
    state.blnReadingWords = in.Flag();
    static const char16_t* const kTypes[] = {u"C", u"XML", u"HTML", u"PHP", u""};
    const std::uint8_t type = in.Byte() % 5;

    Markup markup;
    test::FakeHost host;
    Sink sink;
    WordExtractor ex{settings, state, markup, host, sink};
    ex.SetMarkupType(kTypes[type]);
    state.intWithinComment = -1;
    ex.SetAllowedExtraChars1();
    ex.SetAllowedExtraChars2();
    std::string_view rest = in.Rest();
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        state.strLine = Utf8ToU16(rest.substr(0, end));
        state.strLine.push_back(u' ');
        ex.ExtractWords();
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return 0;
}
