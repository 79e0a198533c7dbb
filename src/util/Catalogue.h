#pragma once
// The catalogue of numbered texts (captions, some messages and labels), loaded once at
// start-up from "lxty.dat" beside the program.

#include <filesystem>
#include <string>

namespace lxty {

// Loads the catalogue file. Returns a positive value on success; zero or a negative code on
// failure (see CatalogueLoadMessage). A failed load leaves every text empty.
int LoadProgramTexts(const std::filesystem::path& file);
// The message shown for a failed load with the given code (path: the catalogue file).
std::u16string CatalogueLoadMessage(int code, const std::filesystem::path& file);
// Text number n; empty when n is missing or its entry is "~".
std::u16string GetText(int n);

} // namespace lxty
