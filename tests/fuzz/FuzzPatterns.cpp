// The pattern checks and their translation: an entry and a word from the input, through the
// admission check, the engine's acceptance, matching both ways of case, and lower-casing.

#include "FuzzSupport.h"
#include "engine/Patterns.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    fuzz::Choices in(data, size);
    const bool caseSignificant = in.Flag();
    const std::u16string entry = Utf8ToU16(in.Piece(200));
    const std::u16string word = Utf8ToU16(in.Piece(200));
    std::u16string inner;
    CheckPattern(entry, &inner);
    IsValidRegExp(entry);
    RegExpMatch(word, entry, u"~", u"?", caseSignificant);
    RegExpMatch(word, u"<" + entry + u">", u"~", u"?", caseSignificant);
    LowerCaseExceptRegexp(entry);
    for (const char16_t c : {u'[', u'{', u'('})
        BracketsMatch(entry, c, c == u'[' ? u']' : c == u'{' ? u'}' : u')');
    TakeTooComplexMatch();
    return 0;
}
