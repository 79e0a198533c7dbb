// The text test and decoding, all in memory: the byte test, the UTF-8 judgement, the text
// test and the text read line by line in the encoding it chose, and the standard-input stream
// reader.

#include "FuzzSupport.h"
#include "sources/TextDetect.h"
#include "sources/TextFile.h"
#include "sources/TextStream.h"
#include "sources/Utf8Decode.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lxty;
    fuzz::Choices in(data, size);
    const bool xml = in.Flag();
    const std::string_view bytes = in.Rest();

    TextTestResult byteTest;
    ByteTest(bytes.substr(0, 16384), 16384, 1.0, byteTest);
    IsUtf8Sample(bytes, true);
    std::u16string line;
    DecodeUtf8Line(bytes, line);
    NormalisePunctuation(line);
    DecodeCp1252Line(bytes, line);

    const TextTestResult judged =
        TextTestOfHead(bytes, static_cast<std::int64_t>(bytes.size()), xml ? "in.xml" : "in.txt")
            .value();
    static TextFile text; // keeps its block buffer from input to input
    text.OpenBytes(bytes, EncodingFor(judged));
    std::size_t lines = 0;
    while (text.ReadLine(line) && ++lines < 100000) {
    }
    text.Close();

    std::istringstream stream{std::string(bytes)};
    TextStreamReader reader(stream);
    while (reader.Next(line)) {
    }
    return 0;
}
