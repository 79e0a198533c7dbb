// The docx reader: zip bytes in, the document part unpacked in memory as a count run unpacks
// it from a file, and the WordprocessingML converter on the part and on the raw bytes.

#include "FakeHost.h"
#include "base/RunState.h"
#include "sources/Docx.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    test::FakeHost host;
    RunState state;
    ConvertWordprocessingML(bytes, host, state);
    std::string part;
    const UnpackResult r = UnpackPartFromBytes(bytes, u"docx", part);
    if (r.status == UnpackResult::Unpacked || r.status == UnpackResult::Checksum)
        ConvertWordprocessingML(part, host, state);
    return 0;
}
