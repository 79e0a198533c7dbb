// The file-pattern matcher: pattern boxes and a path from the input.

#include "FakeHost.h"
#include "FuzzSupport.h"
#include "sources/FilePatterns.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    fuzz::Choices in(data, size);
    const bool caseSensitive = in.Flag();
    const std::u16string patterns = Utf8ToU16(in.Piece(300));
    const std::u16string exclusions = Utf8ToU16(in.Piece(100));
    const std::u16string path = Utf8ToU16(in.Rest().substr(0, 400));
    FileSelection selection;
    selection.patternsText = GetFileFilepathSpecifications(patterns, selection.filePatterns);
    GetFileFilepathSpecifications(exclusions, selection.exclusionPatterns);
    test::FakeHost host;
    ValidatePatterns(host, selection);
    IsFileToBeScanned(path, selection);
    for (const auto& p : selection.filePatterns) {
        MatchFilePattern(path, p, caseSensitive);
        WildcardMatch(path, p, caseSensitive);
    }
    ExtensionOf(path);
    return 0;
}
