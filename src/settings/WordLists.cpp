#include "settings/WordLists.h"

#include "base/RunState.h"
#include "util/Cp1252.h"
#include "util/StringUtils.h"

#include <cstddef>

namespace lxty {

namespace {

// The letters of the program's letter table (capitals and small letters).
constexpr std::u16string_view kLetters =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"
    u"abcdefghijklmnopqrstuvwxyzšœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß";

bool IsLetter(char16_t c) {
    if (kLetters.find(c) != std::u16string_view::npos)
        return true;
    // The word test reads only the low byte, so a character such as U+0142 is a letter in a
    // word; refusing it here would report a character that words do take.
    const unsigned b = c & 0xFFu;
    if (b < 128)
        return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    return b >= 0xC0 && b != 0xD7 && b != 0xF7;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::optional<std::u16string> FirstDisallowed(std::u16string_view text, bool countOnly,
                                              std::u16string_view allowed) {
    const std::u16string wildcards = u"~?" + std::u16string(allowed);
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u' ' || IsLetter(c) || wildcards.find(c) != std::u16string::npos) {
            ++i;
            continue;
        }
        if (c == u'<') {
            const std::size_t close = text.find(u'>', i + 1);
            if (close != std::u16string_view::npos) {
                i = close + 1;
                continue;
            }
        }
        if (countOnly && c == u',' && i + 1 < text.size() && text[i + 1] == u' ') {
            i += 2;
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            return std::u16string(text.substr(i, 2));
        return std::u16string(1, c);
    }
    return std::nullopt;
}

} // namespace

int FindInList(const WordFileList& list, std::u16string_view text, bool caseSensitive) {
    const std::u16string wanted = caseSensitive ? std::u16string(text) : LowerCaseAll(text);
    for (std::size_t i = 0; i < list.paths.size(); ++i) {
        const std::u16string& entry = list.paths[i];
        if (caseSensitive ? entry == wanted : LowerCaseAll(entry) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

std::u16string AlreadyPresentMessage(std::u16string_view text) {
    return std::u16string(text) + u"\nis already in this list. If the file has changed\n" +
           u"select it from the drop-down list and reload it.";
}

bool AddToList(WordFileList& list, std::u16string_view text, bool warn, Host& host) {
    if (text.empty())
        return false;
    if (FindInList(list, text, false) >= 0) {
        if (warn)
            host.MessageBox(AlreadyPresentMessage(text), std::u16string(kAlreadyPresentTitle),
                            MsgIcon::Information);
        return false;
    }
    list.paths.emplace_back(text);
    list.selected = static_cast<int>(list.paths.size()) - 1;
    return true;
}

void RemoveSelected(WordFileList& list) {
    if (list.selected < 0 || static_cast<std::size_t>(list.selected) >= list.paths.size()) {
        list.selected = -1;
        return;
    }
    list.paths.erase(list.paths.begin() + list.selected);
    list.selected = -1;
}

void RemoveAt(WordFileList& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.paths.size())
        return;
    list.paths.erase(list.paths.begin() + index);
    if (list.selected == index)
        list.selected = -1;
    else if (list.selected > index)
        --list.selected;
}

std::u16string AllowedExtraChars(const Settings& s) {
    std::u16string out;
    if (s.AllowWordsWithHyphens == 1)
        out += u"-";
    if (s.AllowWordsWithApostrophes == 1) {
        out += u"'";
        out += Cp1252ToChar(145);
    }
    if (s.AllowWordsWithUnderscores == 1)
        out += u"_";
    if (s.AllowWordsWithColons == 1)
        out += u":";
    if (s.AllowWordsWithBackslashes == 1)
        out += u"\\";
    if (s.AllowWordsWithForwardslashes == 1)
        out += u"/";
    if (s.AllowWordsWithPeriods == 1)
        out += u".";
    if (s.AllowWordsWithAtSigns == 1)
        out += u"@";
    if (s.AllowWordsWithNumerals == 1)
        out += u"0123456789";
    if (s.AllowWordsWithParentheses == 1)
        out += u"()";
    if (s.AllowWordsWithAmpersands == 1)
        out += u"&";
    if (s.AllowWordsWithUserSpecifiedExtraChars == 1)
        out += s.UserSpecifiedExtraChars;
    if (s.AllowWordsWithCommas == 1)
        out += u",";
    return out;
}

std::optional<DisallowedExtraChar> FindDisallowedExtraChar(const Settings& s) {
    const std::u16string allowed = AllowedExtraChars(s);
    for (int box = 0; box < 2; ++box) {
        if (auto c = FirstDisallowed(s.WordsToIgnoreOrCount[static_cast<std::size_t>(box)],
                                     box == 1, allowed))
            return DisallowedExtraChar{box, *c};
    }
    return std::nullopt;
}

std::u16string DisallowedExtraCharMessage(const DisallowedExtraChar& found) {
    const bool countOnly = found.box == 1;
    const bool reserved = found.character.size() == 1 &&
                          strReservedMarkerChars.find(found.character[0]) != std::u16string::npos;
    std::u16string msg = u"The character '" + found.character + u"' occurs in some extra " +
                         (countOnly ? u"count-only word" : u"word-to-ignore") + u"\nbut is not " +
                         (reserved ? u"" : u"currently set as ") +
                         u"a character allowed in a word.";
    if (found.character == u",") {
        msg += countOnly ? u"\n\nCount-only words and phrases must be separated by "
                           u"comma+space, not just by comma."
                         : u"\n\nWords-to-ignore must be separated by a space, not by a comma.";
    } else if (found.character == u"^") {
        msg += countOnly ? u"\n\nPerhaps some count-only word" : u"\n\nPerhaps some Word-to-ignore";
        msg += u" is a regular expression\nwithout angle brackets.";
    }
    return msg;
}

bool CheckAllowedExtraChars(const Settings& s, Host& host) {
    const auto found = FindDisallowedExtraChar(s);
    if (!found)
        return true;
    host.MessageBox(DisallowedExtraCharMessage(*found), std::u16string(kCharacterNotAllowedTitle),
                    MsgIcon::Exclamation);
    return false;
}

bool UserSpecifiedExtraCharsLostFocus(Settings& s, Host& host) {
    const Settings before = s;
    const std::u16string text = TrimSpaces(s.UserSpecifiedExtraChars);
    for (char16_t c : text) {
        if (strReservedMarkerChars.find(c) != std::u16string::npos) {
            host.MessageBox(u"The character " + std::u16string(1, c) +
                                u" is not permitted in words.",
                            std::u16string(kInvalidCharacterTitle), MsgIcon::Information);
            break;
        }
    }
    std::u16string kept;
    for (char16_t c : text) {
        // A space inside the text would let words run together across it.
        if (c == u' ' || IsLetter(c) || strReservedMarkerChars.find(c) != std::u16string::npos ||
            strAllPossibleExtraChars.find(c) != std::u16string::npos)
            continue;
        kept.push_back(c);
    }
    std::u16string once;
    for (char16_t c : kept)
        if (once.find(c) == std::u16string::npos)
            once.push_back(c);
    s.UserSpecifiedExtraChars = once;
    if (once.empty())
        s.AllowWordsWithUserSpecifiedExtraChars = 0;
    return !(s == before);
}

} // namespace lxty
