#include "sources/FilePatterns.h"

#include "base/Host.h"
#include "settings/Settings.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace fs = std::filesystem;

namespace lxty {

namespace {

bool IsPatternSeparator(char16_t c) {
    // Commas were turned into spaces by the reader; tabs and line ends pasted into the box
    // separate patterns just as spaces do.
    return c == u' ' || c == u',' || c == u'\t' || c == u'\r' || c == u'\n';
}

const std::u16string kInvalidPatternChars = u"~,;/\\<>`\"";

bool ContainsAny(std::u16string_view text, std::u16string_view set) {
    return text.find_first_of(set) != std::u16string_view::npos;
}

} // namespace

FileSelection FileSelection::FromSettings(const Settings& settings) {
    FileSelection s;
    s.patternsText =
        GetFileFilepathSpecifications(settings.FileFilepathSpecifications[0], s.filePatterns);
    GetFileFilepathSpecifications(settings.FileFilepathSpecifications[1], s.exclusionPatterns);
    return s;
}

std::u16string GetFileFilepathSpecifications(std::u16string_view boxText,
                                             std::vector<std::u16string>& list) {
    list.clear();
    std::u16string joined;
    std::size_t i = 0;
    while (i < boxText.size()) {
        while (i < boxText.size() && IsPatternSeparator(boxText[i]))
            ++i;
        std::size_t start = i;
        while (i < boxText.size() && !IsPatternSeparator(boxText[i]))
            ++i;
        if (i > start) {
            list.push_back(LowerCaseAll(boxText.substr(start, i - start)));
            if (!joined.empty())
                joined += u", ";
            joined += list.back();
        }
    }
    return joined;
}

bool ValidatePatterns(Host& host, const FileSelection& selection) {
    for (const auto& p : selection.filePatterns) {
        if (ContainsAny(p, kInvalidPatternChars)) {
            host.MessageBox(u"File pattern '" + p + u"' contains an invalid character.",
                            u"Invalid input", MsgIcon::Exclamation);
            return false;
        }
    }
    for (const auto& p : selection.exclusionPatterns) {
        if (ContainsAny(p, kInvalidPatternChars) || ContainsAny(p, u"*?")) {
            host.MessageBox(u"Folder pattern '" + p + u"' contains an invalid character.",
                            u"Invalid input", MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

bool CheckPatternBoxOnLeave(Host& host, const Settings& settings) {
    FileSelection selection = FileSelection::FromSettings(settings);
    const std::u16string text = LowerCaseAll(settings.FileFilepathSpecifications[0]);
    const std::u16string_view doc = u".doc";
    bool endsWithDoc =
        text.size() >= doc.size() && text.compare(text.size() - doc.size(), doc.size(), doc) == 0;
    if (endsWithDoc || text.find(u".doc,") != std::u16string::npos) {
        host.MessageBox(u"This software does not process .doc files.  To process\n"
                        u"Word .doc files they should first be converted to .docx files.",
                        u"Match file patterns", MsgIcon::Information);
    }
    return ValidatePatterns(host, selection);
}

std::u16string ExtensionOf(std::u16string_view fileName) {
    auto dot = fileName.rfind(u'.');
    if (dot == std::u16string_view::npos)
        return {};
    return std::u16string(fileName.substr(dot + 1));
}

bool IsSkippedExtension(std::u16string_view extension) {
    static const std::array<std::u16string_view, 27> kSkipped = {
        u"ico", u"gif", u"jpg", u"png", u"bmp", u"zip",      u"bin", u"xls",  u"mdb",
        u"pdf", u"com", u"exe", u"dll", u"cab", u"ocx",      u"vxd", u"drv",  u"sys",
        u"vbx", u"386", u"---", u"css", u"js",  u"loaded_0", u"ini", u"gdoc", u"doc"};
    const std::u16string lower = LowerCaseAll(extension);
    return std::find(kSkipped.begin(), kSkipped.end(), lower) != kSkipped.end();
}

bool IsFileToBeScanned(std::u16string_view fullPath, const FileSelection& selection) {
    // The file name is what follows the last separator of the platform ("/", and "\\" too
    // on Windows; elsewhere a backslash is an ordinary character of a name).
    const char16_t separators[] = {u'/', static_cast<char16_t>(fs::path::preferred_separator),
                                   u'\0'};
    auto slash = fullPath.find_last_of(separators);
    std::u16string_view name =
        slash == std::u16string_view::npos ? fullPath : fullPath.substr(slash + 1);
    // The extension as ExtensionOf gives it, without a copy.
    const auto dot = name.rfind(u'.');
    if (IsSkippedExtension(dot == std::u16string_view::npos ? std::u16string_view()
                                                            : name.substr(dot + 1)))
        return false;
    if (!selection.exclusionPatterns.empty()) {
        const std::u16string lowerPath = LowerCaseAll(fullPath);
        for (const auto& ex : selection.exclusionPatterns) {
            if (lowerPath.find(ex) != std::u16string::npos)
                return false;
        }
    }
    if (selection.filePatterns.empty())
        return true;
    for (const auto& p : selection.filePatterns) {
        if (MatchFilePattern(name, p, false))
            return true;
    }
    return false;
}

bool MatchFilePattern(std::u16string_view name, std::u16string_view pattern, bool caseSensitive) {
    if (ContainsAny(name, u"?*:\\"))
        return false;
    if (pattern.find_first_not_of(u' ') == std::u16string_view::npos)
        return true;

    const auto nameDot = name.rfind(u'.');
    const auto patDot = pattern.rfind(u'.');
    const bool nameHasDot = nameDot != std::u16string_view::npos;
    const bool patHasDot = patDot != std::u16string_view::npos;

    if (!nameHasDot && patHasDot) {
        // "readme" against "*.*": the pattern's extension must reduce to nothing.
        if (!RemoveChars(pattern.substr(patDot + 1), u"*?").empty())
            return false;
        return WildcardMatch(name, pattern.substr(0, patDot), caseSensitive);
    }
    if (nameHasDot && !patHasDot)
        return false;
    if (!nameHasDot && !patHasDot)
        return WildcardMatch(name, pattern, caseSensitive);

    return WildcardMatch(name.substr(0, nameDot), pattern.substr(0, patDot), caseSensitive) &&
           WildcardMatch(name.substr(nameDot + 1), pattern.substr(patDot + 1), caseSensitive);
}

bool WildcardMatch(std::u16string_view textIn, std::u16string_view patternIn, bool caseSensitive) {
    std::u16string text(textIn);
    std::u16string pattern(patternIn);
    if (!caseSensitive) {
        text = LowerCaseAll(text);
        pattern = LowerCaseAll(pattern);
    }
    if (text.empty())
        return RemoveChars(pattern, u"*").empty();

    std::size_t i = 0; // text
    std::size_t j = 0; // pattern
    while (true) {
        if (j == pattern.size())
            return i == text.size();
        if (i == text.size())
            return RemoveChars(std::u16string_view(pattern).substr(j), u"*").empty();
        const char16_t c = pattern[j];
        if (c == u'?') {
            ++i;
            ++j;
        } else if (c == u'*') {
            const std::u16string rest =
                RemoveChars(std::u16string_view(pattern).substr(j + 1), u"*?");
            if (rest.empty())
                return true;
            // No backtracking: the first occurrence of the next literal is taken for good.
            const auto at = text.find(rest[0], i);
            if (at == std::u16string::npos)
                return false;
            i = at;
            ++j;
        } else {
            if (text[i] != c)
                return false;
            ++i;
            ++j;
        }
    }
}

} // namespace lxty
