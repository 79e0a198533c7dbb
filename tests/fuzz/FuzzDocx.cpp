// The docx reader: zip bytes in, the document's text out (through the temporary folder, as a
// count run reads it), and the WordprocessingML converter on the raw bytes.

#include "FakeHost.h"
#include "FuzzSupport.h"
#include "base/RunState.h"
#include "sources/Docx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    test::FakeHost host;
    RunState state;
    ConvertWordprocessingML(bytes, host, state);

    const auto file = fuzz::ScratchFile("document.docx", bytes);
    DocxDocument document(host, state);
    DocxOptions options;
    options.temporaryBase = file.parent_path();
    options.askOnChecksumError = false;
    options.askOnBigPart = false;
    document.Prepare(file, options);
    return 0;
}
