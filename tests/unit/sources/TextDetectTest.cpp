// File kinds and the text test: every classification, both sides of each limit; the text test
// of a file already open, judged from its first bytes, which says what the text test of the file
// by name says: every field, for every case of the text test's case file and for files whose
// charset sniff reaches the end of the first block or beyond; and the word-list file check and
// the not-a-text-file message, compared whole.

#include "sources/TextDetect.h"
#include "sources/LineReader.h"
#include "sources/TextFileCheck.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"

namespace lxty {
namespace {

using test::Bytes;

class TextDetectTest : public test::TextFilesTest {
protected:
    // The head as the count run reads it (at most one block), judged, and checked against the
    // text test of the file by name; nothing when the head did not reach far enough.
    std::optional<TextTestResult> Judge(const std::filesystem::path& file, bool sniff,
                                        std::size_t headLimit = LineReader::kBlockSize) {
        const std::string bytes = test::ReadBytes(file);
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

// The extension as the file name's last dot gives it, lower-cased; undecodable bytes too.
TEST(LowerExtensionTest, AsTheNameGivesIt) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"a/b.TXT", u"txt"}, {"c.tar.Gz", u"gz"}, {"a.b/c", u""}, {"a/.txt", u""},
        {"a/..", u""},       {"a/.", u""},        {"a/b.", u""},  {".a.Docx", u"docx"},
        {"noext", u""},      {"x.", u""},         {"d/.x.", u""}, {"b.t\xFF", u"t\uFFFD"}};
    for (const auto& [name, ext] : cases)
        EXPECT_EQ(LowerExtension(std::filesystem::path(name)), ext) << name;
}

// n bytes of text whose first `anomalous` bytes are the control byte 1, the rest letters.
std::string WithAnomalies(std::size_t n, std::size_t anomalous) {
    std::string s(n, 'a');
    for (std::size_t i = 0; i < anomalous; ++i)
        s[i] = '\x01';
    return s;
}

// Classification by first bytes, content and line ends, from a case file; the text test of
// the file's head gives the same verdict in every field.
TEST_F(TextDetectTest, ClassifiesByFirstBytesContentAndLineEnds) {
    test::ExpectCases("cases/text-test.txt", "", [&](const std::vector<std::u16string>& in) {
        const auto file = Write(U16ToUtf8(in.at(0)), Bytes(in.at(1)));
        EXPECT_TRUE(Judge(file, in.at(2) == u"1").has_value()) << file;
        const TextTestResult r = TextTest(file, 16384, 1.0, in.at(2) == u"1");
        return Utf8ToU16(std::to_string(static_cast<int>(r.code)) +
                         (r.utf8 ? ", yes, " : ", no, ") +
                         std::to_string(static_cast<int>(r.kind)));
    });
}

TEST_F(TextDetectTest, MissingEmptyAndUnnamedFiles) {
    EXPECT_EQ(static_cast<int>(TextTest("").code), -5);
    EXPECT_EQ(static_cast<int>(FirstBytesKind("", true)), -5);
    EXPECT_EQ(static_cast<int>(TextTest(Dir() / "missing.txt").code), -1);
    EXPECT_EQ(static_cast<int>(TextTest(Write("empty.txt", "")).code), -2);
    EXPECT_EQ(static_cast<int>(TextTest(Dir()).code), -9); // a folder is no file to read
}

TEST_F(TextDetectTest, ShortFilesMayStillBeUtf8) {
    const TextTestResult r = TextTest(Write("short.txt", "n\xC3\xA9"));
    EXPECT_EQ(static_cast<int>(r.code), -4);
    EXPECT_TRUE(r.utf8);
    EXPECT_FALSE(TextTest(Write("short2.txt", "n\xE9")).utf8);
}

// Files of letters whose first bytes are the control byte 1, against the limit of anomalous
// bytes, and the text-like extensions, from tests/data/cases/text-limits.txt.
TEST_F(TextDetectTest, AnomalousByteLimitAndTextLikeExtensions) {
    test::ExpectCases("cases/text-limits.txt", "", [&](const test::Row& in) {
        using test::Number;
        if (in.size() == 1)
            return test::YesNo(IsTextLikeExtension(in.at(0)));
        const TextTestResult r =
            TextTest(Write("p.dat", WithAnomalies(Number(in.at(0)), Number(in.at(1)))), 16384,
                     std::stod(U16ToUtf8(in.at(2))), true);
        return Utf8ToU16(std::to_string(static_cast<int>(r.code)) + ", " +
                         std::to_string(r.percentage) + "%, " + std::to_string(r.bytesExamined));
    });
}

TEST_F(TextDetectTest, NulCountsAndIsRecordedWithItsPosition) {
    std::string bytes(200, 'a');
    bytes[41] = '\0';
    bytes[90] = '\x1B';
    bytes[150] = '\x0C'; // form feed never counts
    const TextTestResult r = TextTest(Write("nul.txt", bytes));
    EXPECT_EQ(static_cast<int>(r.code), 1);
    EXPECT_EQ(r.firstAnomalousByte, 0);
    EXPECT_EQ(r.firstAnomalousPosition, 42);
    EXPECT_DOUBLE_EQ(r.percentage, 1.0);
    const TextTestResult clean = TextTest(Write("clean.txt", std::string(200, 'b')));
    EXPECT_EQ(clean.firstAnomalousByte, 32);
    EXPECT_EQ(clean.firstAnomalousPosition, 0);
}

TEST_F(TextDetectTest, OnlyTheSampleIsExamined) {
    std::string bytes(16384, 'a');
    bytes += std::string(1000, '\0');
    EXPECT_EQ(static_cast<int>(TextTest(Write("tail.dat", bytes)).code), 1);
    bytes[16383] = '\0';
    bytes[16382] = '\0';
    EXPECT_EQ(static_cast<int>(TextTest(Write("tail.dat", bytes)).code), 1);
    EXPECT_EQ(static_cast<int>(TextTest(Write("tail.dat", bytes), 16384, 0.0).code), 0);
}

TEST_F(TextDetectTest, Utf8SequenceCutByTheSampleEnd) {
    std::string bytes = "caf\xC3\xA9 ";
    bytes += std::string(16384 - bytes.size() - 1, 'x');
    bytes += "\xE2\x80\x94 more text";
    ASSERT_EQ(bytes.substr(16383, 1), "\xE2");
    EXPECT_TRUE(TextTest(Write("cut.dat", bytes), 16384, 1.0, false).utf8);
}

TEST_F(TextDetectTest, DeclarationBeyondTheTenthNonEmptyLineIsNotSeen) {
    std::string head;
    for (int i = 0; i < 9; ++i)
        head += "line\r\n\r\n"; // empty lines do not count
    EXPECT_EQ(static_cast<int>(FirstBytesKind(Write("ten.htm", head + "charset=UTF-8\r\n"), true)),
              3);
    EXPECT_EQ(static_cast<int>(
                  FirstBytesKind(Write("eleven.htm", head + "line\r\ncharset=UTF-8\r\n"), true)),
              0);
}

// The sniff reads up to 10 non-empty lines while fewer than 1 MiB have been read: a
// declaration on the tenth line counts and on the eleventh does not; a line that starts below
// 1 MiB is read to its end, so a head of one block gives no verdict when that line goes on
// beyond it, and a head shorter than the lines the sniff reads gives none either.
TEST_F(TextDetectTest, SniffReachesAsFarAsTheFileReaderWould) {
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
TEST_F(TextDetectTest, SamplesOfLongerFiles) {
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

using test::FakeHost;

const std::u16string kAdvice =
    u"You could try reading it using its associated application, then copying the text and "
    u"pasting it into the textbox (then copy it to the clipboard and select 'Clipboard' as the "
    u"source).";

class TextFileCheckTest : public test::TextFilesTest {};

// Case lines: file name ("" none, "-" a missing file) | bytes => the result code, encoding
// and UTF-8 flag, then each message shown (the file's path as "@", the advice as "<advice>").
TEST_F(TextFileCheckTest, EveryOutcomeAndItsMessage) {
    test::ExpectCases("cases/wordlist-check.txt", "", [&](const std::vector<std::u16string>& in) {
        const std::string name = U16ToUtf8(in.at(0));
        const auto path = name == "-"    ? Dir() / "missing.txt"
                          : name.empty() ? std::filesystem::path()
                                         : Write(name, test::Bytes(in.at(1)));
        FakeHost host;
        TextNoticeMemory memory;
        const auto r = CheckWordListFile(host, path, false, memory);
        std::u16string out = Utf8ToU16(std::to_string(int(r.code)) + " " +
                                       std::to_string(int(r.encoding)) + (r.utf8 ? " utf8" : ""));
        for (std::u16string said : test::Said(host)) {
            for (const auto& [from, to] :
                 {std::pair{Utf8ToU16(path.string()), std::u16string(u"@")},
                  std::pair{kAdvice, std::u16string(u"<advice>")}})
                if (const auto at = said.find(from); !from.empty() && at != said.npos)
                    said.replace(at, from.size(), to);
            out += u" / " + said;
        }
        return out;
    });
}

TEST_F(TextFileCheckTest, BinaryAdviceOnlyForSmallFilesThatAreOnlyALittleOff) {
    const struct {
        std::size_t length, anomalous;
        bool advice;
    } cases[] = {
        {102399, 1, true},  // the largest file that gets the advice
        {102400, 1, false}, // one byte more
        {1000, 89, true},   // 8.9 per cent
        {1000, 90, false},  // 9 per cent
    };
    for (const auto& c : cases) {
        std::string bytes(c.length, 'a');
        for (std::size_t i = 0; i < c.anomalous; ++i)
            bytes[i * 7] = '\x02';
        FakeHost host;
        TextNoticeMemory memory;
        EXPECT_EQ(CheckWordListFile(host, Write("bin.dat", bytes), false, memory).code,
                  TextCode::NotText);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text.find(kAdvice) != std::u16string::npos, c.advice)
            << c.length << " bytes, " << c.anomalous << " anomalous";
    }
}

TEST_F(TextFileCheckTest, MacNoticeOnceAndNotWhenSuppressed) {
    const auto mac = Write("mac.txt", "one\rtwo\r");
    FakeHost host;
    TextNoticeMemory memory;
    EXPECT_EQ(CheckWordListFile(host, mac, true, memory).code, TextCode::Cr);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(memory.macNoticeShown);
    CheckWordListFile(host, mac, false, memory);
    CheckWordListFile(host, mac, false, memory);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(memory.macNoticeShown);
}

TEST_F(TextFileCheckTest, LargeUnixFilesAreNeitherQuestionedNorRefused) {
    for (std::size_t size : {256000u, 256001u, 512000u, 512001u, 3000000u}) {
        std::string bytes(size, 'w');
        for (std::size_t i = 60; i < size; i += 61)
            bytes[i] = '\n';
        FakeHost host;
        TextNoticeMemory memory;
        const auto r = CheckWordListFile(host, Write("big-unix.txt", bytes), false, memory);
        EXPECT_EQ(r.code, TextCode::Lf) << size;
        EXPECT_TRUE(host.messages.empty()) << size;
    }
}

TEST(NotTextFileMessage, WholeTexts) {
    TextTestResult r;
    r.code = TextCode::NotText;
    r.firstAnomalousByte = 0;
    r.firstAnomalousPosition = 42;
    r.bytesExamined = 16384;
    r.percentage = 3.0517578125;
    r.fileLength = 50000;
    const std::u16string body = u" is not a text file.\n\nThis file contains a byte ";
    const std::u16string middle = u" at position 42, \nindicating that it does not consist "
                                  u"solely of text.  The percentage of such anomalous bytes in "
                                  u"the first ";
    EXPECT_EQ(NotTextFileMessage(u"report.bin", r),
              u"report.bin" + body + u"0" + middle + u"16384 bytes is 3.05%.\n\n" + kAdvice);
    r.fileLength = 102400; // too long for the advice
    r.percentage = 12.5;
    r.firstAnomalousByte = 27;
    r.bytesExamined = 3277;
    EXPECT_EQ(NotTextFileMessage(u"x.dat", r),
              u"x.dat" + body + u"27" + middle + u"3277 bytes is 12.50%.\n\n");
    FakeHost host;
    ShowNotTextFile(host, u"x.dat", r);
    EXPECT_EQ(test::Said(host),
              std::vector<std::u16string>{u"Not a text file: " + NotTextFileMessage(u"x.dat", r) +
                                          u" (1)"});
}

} // namespace
} // namespace lxty
