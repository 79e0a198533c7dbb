#pragma once
// Settings fields written as words: "Name=value Name=value ..." sets or checks several fields
// of a record in one line, through the name table.

#include "settings/SettingsByName.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lxty::test {

// The blank-separated words of `text`, each split at its first "=" (value empty without one).
inline std::vector<std::pair<std::u16string, std::u16string>> FieldWords(std::u16string_view text) {
    std::vector<std::pair<std::u16string, std::u16string>> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(u' ', at), text.size());
        const std::u16string_view word = text.substr(at, end - at);
        const std::size_t eq = std::min(word.find(u'='), word.size());
        if (!word.empty())
            out.emplace_back(word.substr(0, eq), word.substr(std::min(eq + 1, word.size())));
        at = end + 1;
    }
    EXPECT_FALSE(out.empty());
    return out;
}

// Sets the fields to their values; with `from`, copies the named fields from that record.
inline void SetFields(Settings& s, std::u16string_view words, const Settings* from = nullptr) {
    for (const auto& [name, value] : FieldWords(words))
        EXPECT_TRUE(SetFieldByName(s, name, from ? *GetFieldByName(*from, name) : value, nullptr))
            << U16ToUtf8(name);
}

// Checks that each field shows its value.
inline void ExpectFields(const Settings& s, std::u16string_view words) {
    for (const auto& [name, value] : FieldWords(words))
        EXPECT_EQ(GetFieldByName(s, name), value) << U16ToUtf8(name);
}

} // namespace lxty::test
