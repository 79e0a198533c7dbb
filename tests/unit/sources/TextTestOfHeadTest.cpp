// The text test of a file already open, judged from its first bytes, says what the text test of
// the file by name says: every field, for every case of the text test's case file and for
// files whose charset sniff reaches the end of the first block or beyond.

#include "sources/LineReader.h"
#include "sources/TextDetect.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lxty {
namespace {

class TextTestOfHeadTest : public test::TextFilesTest {
protected:
    // The head as the count run reads it (at most one block), judged, and checked against the
    // text test of the file by name; nothing when the head did not reach far enough.
    std::optional<TextTestResult> Judge(const std::filesystem::path& file, bool sniff,
                                        std::size_t headLimit = LineReader::kBlockSize) {
        const std::string bytes = test::ReadFile(file);
        const std::string_view head = std::string_view(bytes).substr(0, headLimit);
        const std::optional<TextTestResult> r = TextTestOfHead(
            head, static_cast<std::int64_t>(bytes.size()), file, kDefaultSampleSize, 1.0, sniff);
        if (r) {
            const TextTestResult t = TextTest(file, kDefaultSampleSize, 1.0, sniff);
            EXPECT_EQ(Fields(*r), Fields(t)) << file;
        }
        return r;
    }
    static std::string Fields(const TextTestResult& r) {
        return std::to_string(static_cast<int>(r.code)) + " " +
               std::to_string(static_cast<int>(r.kind)) + " " +
               std::to_string(r.firstAnomalousByte) + " " +
               std::to_string(r.firstAnomalousPosition) + " " + std::to_string(r.percentage) + " " +
               std::to_string(r.bytesExamined) + " " + std::to_string(r.fileLength) + " " +
               (r.utf8 ? "utf8 " : "- ") + (r.sevenBitSample ? "7bit" : "-");
    }
};

TEST_F(TextTestOfHeadTest, GivesTheTextTestsVerdictOnEveryCase) {
    test::ExpectCases("cases/text-test.txt", "", [&](const std::vector<std::u16string>& in) {
        const auto file = Write(U16ToUtf8(in.at(0)), test::Bytes(in.at(1)));
        const std::optional<TextTestResult> r = Judge(file, in.at(2) == u"1");
        if (!r)
            return std::u16string(u"no verdict");
        return Utf8ToU16(std::to_string(static_cast<int>(r->code)) +
                         (r->utf8 ? ", yes, " : ", no, ") +
                         std::to_string(static_cast<int>(r->kind)));
    });
}

// The sniff reads up to 10 non-empty lines while fewer than 1 MiB have been read: a
// declaration on the tenth line counts and on the eleventh does not; a line that starts below
// 1 MiB is read to its end, so a head of one block gives no verdict when that line goes on
// beyond it, and a head shorter than the lines the sniff reads gives none either.
TEST_F(TextTestOfHeadTest, SniffReachesAsFarAsTheFileReaderWould) {
    const std::string decl = "<meta charset=\"utf-8\">";
    std::string tenth, eleventh;
    for (int i = 0; i < 9; ++i)
        tenth += "line\r\n\r\r\n"; // CR LF, an empty CR line, CR LF
    eleventh = tenth + "tenth\n";
    tenth += decl + "\n";
    eleventh += decl + "\n";
    const std::string mib(LineReader::kBlockSize, 'a');
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t headLimit;
        const char* verdict; // "utf8", "plain" or "none"
    };
    const Case cases[] = {
        {"tenth.htm", tenth, LineReader::kBlockSize, "utf8"},
        {"eleventh.htm", eleventh, LineReader::kBlockSize, "plain"},
        {"eleventh.dat", eleventh, LineReader::kBlockSize, "plain"},
        {"short-head.htm", eleventh, 20, "none"},
        {"cut-line.htm", "x\n" + mib + decl + "\n", LineReader::kBlockSize, "none"},
        {"cut-line-whole.htm", "x\n" + mib + decl + "\n", LineReader::kBlockSize * 2, "utf8"},
        {"past-cap.htm", mib + "\n" + decl + "\n", LineReader::kBlockSize * 2, "plain"},
        {"at-block-end.htm", std::string(LineReader::kBlockSize - 1, 'a') + "\n" + decl,
         LineReader::kBlockSize, "plain"},
        // The LF of a CR LF at the block's end is taken before the next line: that line
        // starts at 1 MiB exactly and is still read.
        {"cr-at-block-end.htm", std::string(LineReader::kBlockSize - 2, 'a') + "\r\n" + decl,
         LineReader::kBlockSize, "none"},
        {"cr-at-block-end-whole.htm", std::string(LineReader::kBlockSize - 2, 'a') + "\r\n" + decl,
         LineReader::kBlockSize * 2, "utf8"},
    };
    for (const Case& c : cases) {
        const std::optional<TextTestResult> r = Judge(Write(c.name, c.bytes), true, c.headLimit);
        const std::string got = !r ? "none" : r->utf8 ? "utf8" : "plain";
        EXPECT_EQ(got, c.verdict) << c.name;
    }
}

// Samples: a binary start decided early, anomalies beyond the sample, a UTF-8 sequence cut by
// the sample's end, 7-bit samples of longer files.
TEST_F(TextTestOfHeadTest, SamplesOfLongerFiles) {
    std::string cut(kDefaultSampleSize - 1, 'a');
    cut += "\xC3\xA9 tail";
    std::string late(kDefaultSampleSize, 'a');
    late += std::string(100, '\x01');
    const std::string binary(40000, '\x02');
    std::string accented = std::string(20000, 'a') + "caf\xE9";
    for (const auto& [name, bytes] : {std::pair<const char*, std::string>{"cut.txt", cut},
                                      {"late.txt", late},
                                      {"binary.dat", binary},
                                      {"accented.txt", accented}}) {
        EXPECT_TRUE(Judge(Write(name, bytes), true).has_value()) << name;
    }
}

} // namespace
} // namespace lxty
