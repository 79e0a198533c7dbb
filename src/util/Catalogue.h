#pragma once
// The catalogue of numbered texts (captions, some messages and labels), loaded once at
// start-up from "lxty.dat" beside the program.

#include "util/TextId.h"

#include <filesystem>
#include <string>

namespace lxty {

// How a load ended. The numbers are the codes the start-up message shows; a fault at a line
// shows the code minus the line (-500 - line, -1000 - line, -1500 - line).
enum class CatalogueStatus : int {
    Loaded = 1,
    NothingRead = 0,
    CannotOpen = -1,
    AllocationError = -2,
    TooMuchText = -3,  // more than 4 MB, or more than 500 lines
    NotRecovered = -4, // a line that is not a numbered text, or a number above 32767
    Empty = -6,
    ReadError = -7,
    GeneralAllocationError = -8,
    MissingText = -500,  // a number without its text
    TextTooLong = -1000, // a text longer than 1,024 characters
    Duplicate = -1500,   // a number given twice
};

struct CatalogueLoadResult {
    CatalogueStatus status = CatalogueStatus::NothingRead;
    int count = 0; // Loaded: the number of texts; MissingText, TextTooLong, Duplicate: the line
    bool Loaded() const { return status == CatalogueStatus::Loaded; }
    // The number texts were loaded, else the code the start-up message shows.
    int Code() const;
};

// Loads the catalogue file. A failed load leaves every text empty.
CatalogueLoadResult LoadProgramTexts(const std::filesystem::path& file);
// The message shown for a failed load (file: the catalogue file).
std::u16string CatalogueLoadMessage(const CatalogueLoadResult& result,
                                    const std::filesystem::path& file);
// Text number n; empty when n is missing or its entry is "~".
std::u16string GetText(int n);
std::u16string GetText(TextId id);
// The name of display format 0 to 13.
std::u16string DisplayFormatText(int format);

} // namespace lxty
