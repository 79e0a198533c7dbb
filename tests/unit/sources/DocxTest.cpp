// Docx documents: detection, unpacking with its size and checksum checks, the conversion of
// WordprocessingML into lines, the temporary folders and the extracted text files. The
// fixtures in tests/data/docx were written by LibreOffice; damaged and oversized containers
// are made here.

#include "sources/Docx.h"
#include "sources/FolderScan.h"

#include "Golden.h"
#include "TextFilesTestSupport.h"
#include "base/RunState.h"
#include "util/Catalogue.h"

#include <zip.h>

namespace fs = std::filesystem;
using lxty::test::FakeHost;
using lxty::test::ReadBytes;
using lxty::test::Said;
using lxty::test::WriteBytes;

namespace lxty {
namespace {

const fs::path kFixtures = fs::path(LXTY_TEST_DATA_DIR) / "docx";

// A zip written by libzip with the given entries (name, content, stored or deflated).
struct Entry {
    std::string name;
    std::string content;
    bool store = false;
};
void MakeZip(const fs::path& file, const std::vector<Entry>& entries) {
    int err = 0;
    zip_t* za = zip_open(file.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(za, nullptr);
    for (const auto& e : entries) {
        zip_source_t* src = zip_source_buffer(za, e.content.data(), e.content.size(), 0);
        ASSERT_NE(src, nullptr);
        const zip_int64_t idx = zip_file_add(za, e.name.c_str(), src, ZIP_FL_OVERWRITE);
        ASSERT_GE(idx, 0);
        zip_set_file_compression(za, static_cast<zip_uint64_t>(idx),
                                 e.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    ASSERT_EQ(zip_close(za), 0);
}

// Where an entry's data begins in a zip written by MakeZip (after its local header).
std::size_t DataOffset(const std::string& zip, const std::string& name) {
    const std::string sig("PK\x03\x04", 4);
    for (std::size_t at = zip.find(sig); at != std::string::npos; at = zip.find(sig, at + 1)) {
        const auto u16 = [&](std::size_t o) {
            return static_cast<std::size_t>(static_cast<unsigned char>(zip[o])) |
                   static_cast<std::size_t>(static_cast<unsigned char>(zip[o + 1])) << 8;
        };
        const std::size_t nameLen = u16(at + 26);
        const std::size_t extraLen = u16(at + 28);
        if (zip.compare(at + 30, nameLen, name) == 0)
            return at + 30 + nameLen + extraLen;
    }
    return std::string::npos;
}

std::string Document(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:body>" +
           body + "</w:body></w:document>";
}

std::vector<std::u16string> Convert(const std::string& body) {
    FakeHost host;
    RunState state;
    return ConvertWordprocessingML(Document(body), host, state);
}

std::string Bom(const std::string& text) {
    return "\xEF\xBB\xBF" + text;
}

// What one DocxDocument::Prepare did: its result and code, what it said, the text it wrote.
struct Prepared {
    bool ok;
    int code;
    std::vector<std::u16string> said;
    std::string text;
    fs::path folder;
};

class DocxTest : public test::TextFilesTest {
protected:
    static void SetUpTestSuite() { test::LoadTexts(); }
    // Options that keep the temporary folders inside the test's own folder.
    DocxOptions Options() const {
        DocxOptions o;
        o.temporaryBase = Dir() / "tmp";
        fs::create_directories(o.temporaryBase);
        return o;
    }
    // Prepares `doc` with the host answering `answers`; `tweak` changes the options.
    Prepared Prepare(const fs::path& doc, std::vector<MsgAnswer> answers = {},
                     const std::function<void(DocxOptions&)>& tweak = {}) {
        FakeHost host;
        host.answers.assign(answers.begin(), answers.end());
        RunState state;
        DocxDocument docx(host, state);
        DocxOptions o = Options();
        if (tweak)
            tweak(o);
        Prepared r{docx.Prepare(doc, o), docx.Code(), {}, {}, docx.TemporaryFolder()};
        r.said = Said(host);
        if (r.ok)
            r.text = ReadBytes(docx.TextFile());
        return r;
    }
    // A document whose part holds "big" padded to `size` bytes.
    fs::path BigDoc(std::uintmax_t size) {
        const std::string head = Document("<w:p><w:r><w:t>big</w:t></w:r></w:p>");
        MakeZip(Dir() / "size.docx",
                {{"word/document.xml", head + std::string(size - head.size(), ' ')}});
        return Dir() / "size.docx";
    }
};

TEST_F(DocxTest, IsDocx) {
    fs::copy_file(kFixtures / "runs.docx", Dir() / "copy.DOCX");
    fs::copy_file(kFixtures / "runs.docx", Dir() / "copy.zip");
    Write("plain.docx", "This is plain text saved as docx.");
    Write("nine.docx", std::string("PK\x03\x04", 4) + "12345");
    Write("ten.docx", std::string("PK\x03\x04", 4) + "123456");
    const std::pair<fs::path, bool> cases[] = {
        {kFixtures / "runs.docx", true}, {Dir() / "copy.DOCX", true},  {Dir() / "copy.zip", false},
        {Dir() / "plain.docx", false},   {Dir() / "nine.docx", false}, {Dir() / "ten.docx", true},
        {Dir() / "missing.docx", false},
    };
    for (const auto& [path, docx] : cases)
        EXPECT_EQ(IsDocx(path), docx) << path;
}

TEST_F(DocxTest, WordProcessorDocumentReadsAsAPersonReadsIt) {
    fs::copy_file(kFixtures / "runs.docx", Dir() / "runs.docx");
    FakeHost host;
    RunState state;
    DocxDocument doc(host, state);
    ASSERT_TRUE(doc.Prepare(Dir() / "runs.docx", Options()));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(doc.TemporaryFolder(), Dir() / "tmp" / "LXTY001");
    EXPECT_EQ(doc.TextFile(), Dir() / "tmp" / "LXTY001" / "runs.txt");
    // "<b>Hel</b>lo <i>wor</i>ld" is two words; paragraphs stay apart; references decoded;
    // a line break separates; each table cell is its own paragraph.
    EXPECT_EQ(ReadBytes(doc.TextFile()), Bom("Hello world\n"
                                             "end\n"
                                             "start\n"
                                             "Tom & Jerry's \"caf\xC3\xA9\" <tag>\n"
                                             "one two\n"
                                             "cellA\n"
                                             "cellB\n"
                                             "\n"));
    EXPECT_FALSE(fs::exists(doc.TemporaryFolder() / "word")); // the part is gone already
    EXPECT_FALSE(fs::exists(Dir() / "extracted_text"));
    const fs::path folder = doc.TemporaryFolder();
    doc.CleanUp();
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(DocxTest, TabsSeparateWordsAndExtractedTextIsKeptWhenAsked) {
    fs::create_directories(Dir() / "docs");
    fs::copy_file(kFixtures / "tabs.docx", Dir() / "docs" / "tabs.docx");
    const Prepared r = Prepare(Dir() / "docs" / "tabs.docx", {},
                               [](DocxOptions& o) { o.keepExtractedText = true; });
    EXPECT_EQ(r.text, Bom("alpha\tbeta\ngamma delta\n"));
    EXPECT_TRUE(r.said.empty());
    EXPECT_FALSE(fs::exists(r.folder)); // the destructor cleans up
    EXPECT_EQ(DocxDocument::ExtractedTextCopyPath(Dir() / "docs" / "tabs.docx"),
              Dir() / "docs" / "extracted_text" / "tabs.txt");
    EXPECT_EQ(ReadBytes(Dir() / "docs" / "extracted_text" / "tabs.txt"), r.text);
}

TEST(DocxConversion, Lines) {
    test::ExpectCases("cases/docx-bodies.txt", "", [](const std::vector<std::u16string>& in) {
        const auto lines = Convert(U16ToUtf8(in.at(0)));
        std::u16string out;
        for (std::size_t i = 0; i < lines.size(); ++i)
            out += (i ? u"\n" : u"") + lines[i];
        return out;
    });
}

TEST(DocxConversion, StopQuestion) {
    std::string body;
    for (int i = 0; i < 5; ++i)
        body += "<w:p><w:r><w:t>p" + std::to_string(i) + "</w:t></w:r></w:p>";
    test::LoadTexts();
    ASSERT_FALSE(GetText(362).empty());
    // Yes: the conversion ends with what it has, and the stop request stays. No: the request
    // is withdrawn and the conversion goes on.
    for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        FakeHost host;
        RunState state;
        host.onYield = [&] { state.blnStop = state.blnStop || host.yields == 2; };
        host.answers.push_back(answer);
        const auto lines = ConvertWordprocessingML(Document(body), host, state);
        const bool yes = answer == MsgAnswer::Yes;
        EXPECT_EQ(lines.size(), yes ? 2u : 5u);
        EXPECT_EQ(lines[1], u"p1");
        EXPECT_EQ(state.blnStop, yes);
        EXPECT_EQ(Said(host), std::vector{u"?" + GetText(363) + u": " + GetText(362) + u" (4)"});
        EXPECT_EQ(host.yields, yes ? 2 : 5);
    }
}

TEST(DocxConversion, ProgressBarAndRunsShownAsFound) {
    EXPECT_EQ(DocxProgressBar(0, 1000), u"[>" + std::u16string(37, u' ') + u"]");
    EXPECT_EQ(DocxProgressBar(1000, 1000), u"[" + std::u16string(37, u'-') + u">]");
    EXPECT_EQ(DocxProgressBar(500, 1000),
              u"[" + std::u16string(19, u'-') + u">" + std::u16string(18, u' ') + u"]");
    EXPECT_EQ(DocxProgressBar(2000, 1000), DocxProgressBar(1000, 1000));
    EXPECT_EQ(DocxProgressBar(0, 0), DocxProgressBar(0, 1000));

    // Runs shown as found: every 20th.
    std::string body;
    for (int i = 1; i <= 45; ++i)
        body += "<w:p><w:r><w:t>r" + std::to_string(i) + "</w:t></w:r></w:p>";
    FakeHost host;
    RunState state;
    DocxConvertOptions o;
    std::vector<std::u16string> shown;
    o.showRun = [&](const std::u16string& run) { shown.push_back(run); };
    ConvertWordprocessingML(Document(body), host, state, o);
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"r20", u"r40"}));
    EXPECT_TRUE(host.labels.empty()); // small parts draw no bar

    // A part over 1,000,000 bytes draws the bar and ends it full.
    ConvertWordprocessingML(Document(body + std::string(1'000'001, ' ')), host, state, o);
    EXPECT_EQ(host.labels["lblTotalNumOccurrences"], DocxProgressBar(1, 1));
}

TEST_F(DocxTest, TemporaryFolders) {
    const fs::path d = Dir();
    fs::create_directories(d / "LXTY001");
    Write("LXTY002", "a file takes the name too");
    std::error_code ec;
    fs::create_directory_symlink(d / "elsewhere", d / "LXTY003", ec); // a dangling link
    const fs::path expected = ec ? d / "LXTY003" : d / "LXTY004";
    EXPECT_EQ(CreateDocxTemporaryFolder(d), expected);
    EXPECT_TRUE(fs::is_directory(expected));
    EXPECT_EQ(CreateDocxTemporaryFolder(d, u"ABC"), d / "ABC001");

    // Program end: every prefix + 001..999 folder goes; other names and links stay.
    fs::create_directories(d / "LXTY999" / "word");
    fs::create_directories(d / "LXTY1000");
    fs::create_directories(d / "LXTYabc");
    RemoveDocxTemporaryFolders(d, u"LXTY");
    for (const fs::path& gone : {d / "LXTY001", expected, d / "LXTY999"})
        EXPECT_FALSE(fs::exists(gone)) << gone;
    for (const char* kept : {"LXTY002", "LXTY1000", "LXTYabc", "ABC001"})
        EXPECT_TRUE(fs::exists(d / kept)) << kept;
}

TEST_F(DocxTest, AllTemporaryFolderNamesTaken) {
    const fs::path base = Options().temporaryBase;
    for (int n = 1; n <= 998; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "LXTY%03d", n);
        fs::create_directory(base / name);
    }
    const Prepared free999 = Prepare(kFixtures / "tabs.docx");
    EXPECT_TRUE(free999.ok);
    EXPECT_EQ(free999.folder, base / "LXTY999");
    fs::create_directory(base / "LXTY999");
    const Prepared r = Prepare(kFixtures / "tabs.docx");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kDocxNoTemporaryFolder);
    EXPECT_EQ(r.said, std::vector{GetText(34) + u": Unable to create temporary folder. (2)"});
}

TEST_F(DocxTest, DamagedContainersGiveMessagesNotCrashes) {
    const std::string good = ReadBytes(kFixtures / "runs.docx");
    const std::string path = "word/document.xml";
    const std::size_t data = DataOffset(good, path);
    ASSERT_NE(data, std::string::npos);

    std::vector<std::pair<const char*, std::string>> cases = {
        {"truncated to half", good.substr(0, good.size() / 2)},
        {"truncated before the directory", good.substr(0, good.size() - 30)}};
    for (std::size_t off : {data, data + 40, data + 200}) {
        std::string flipped = good;
        flipped[off] = static_cast<char>(flipped[off] ^ 0x5A);
        cases.emplace_back("a flipped byte in the document part", flipped);
    }
    std::string noPart = good;
    noPart.replace(noPart.find(path), path.size(), "word/documenX.xml");
    noPart.replace(noPart.rfind(path), path.size(), "word/documenX.xml");
    cases.emplace_back("no document part", noPart);

    const fs::path doc = Dir() / "damaged.docx";
    const std::u16string checksum =
        u"Error: Invalid checksum found when processing\n" + ShownPath(doc) + u" (2)";
    const std::u16string suffix = u" when processing " + ShownPath(doc) + u" (2)";
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        WriteBytes(doc, bytes);
        const Prepared r = Prepare(doc, {}, [](DocxOptions& o) { o.askOnChecksumError = false; });
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(r.said.size(), 1u);
        const bool isChecksum = r.said[0] == checksum;
        EXPECT_TRUE(isChecksum ||
                    (r.said[0].starts_with(u"Error: ") && r.said[0].ends_with(suffix) &&
                     r.said[0].size() > 7 + suffix.size()))
            << U16ToUtf8(r.said[0]);
        EXPECT_EQ(r.code, isChecksum ? kDocxChecksum : kDocxReadError);
        EXPECT_TRUE(fs::is_empty(Options().temporaryBase)); // cleaned up
    }
    // The part missing from the container says so.
    WriteBytes(doc, noPart);
    EXPECT_EQ(Prepare(doc).said,
              std::vector{u"Error: No word/document.xml in the document" + suffix});
}

TEST_F(DocxTest, ChecksumMismatch) {
    const fs::path doc = Dir() / "crc.docx";
    MakeZip(doc, {{"word/document.xml", Document("<w:p><w:r><w:t>checksum test</w:t></w:r></w:p>"),
                   true}});
    std::string bytes = ReadBytes(doc);
    const std::size_t at = bytes.find("checksum test", DataOffset(bytes, "word/document.xml"));
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'k'; // stored data: only the CRC can tell
    WriteBytes(doc, bytes);
    EXPECT_EQ(UnpackPart(doc, Dir() / "out", u"docx").status, UnpackResult::Checksum);

    const std::u16string message = u"Invalid checksum found when processing\n" + ShownPath(doc);
    // Not asking: refused with the checksum message.
    Prepared r = Prepare(doc, {}, [](DocxOptions& o) { o.askOnChecksumError = false; });
    EXPECT_EQ(r.code, kDocxChecksum);
    EXPECT_EQ(r.said, std::vector{u"Error: " + message + u" (2)"});
    // Asking, No: declined, nothing more said.
    r = Prepare(doc, {MsgAnswer::No});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kDocxDeclined);
    ASSERT_EQ(r.said.size(), 1u);
    EXPECT_TRUE(r.said[0].starts_with(u"?"));
    EXPECT_NE(r.said[0].find(message + u"\n\nDo you wish to scan this file anyway? ("),
              std::u16string::npos);
    // Asking, Yes: scanned anyway.
    r = Prepare(doc, {MsgAnswer::Yes});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.text, Bom("khecksum test\n"));
}

// Parts at and beyond the two size limits, the question answered Yes, left unanswered (its
// default is No) and not asked; compared with tests/data/docx/sizes.txt.
TEST_F(DocxTest, PartSizeLimits) {
    const std::uintmax_t big = kDocxBigPartSize, most = kDocxMaxPartSize;
    const auto noQuestion = [](DocxOptions& o) { o.askOnBigPart = false; };
    const std::string doc = U16ToUtf8(ShownPath(Dir() / "size.docx"));
    std::string shown;
    for (const auto& [what, r] : std::vector<std::pair<std::string, Prepared>>{
             {"the big size, yes", Prepare(BigDoc(big), {MsgAnswer::Yes})},
             {"one byte more, yes", Prepare(BigDoc(big + 1), {MsgAnswer::Yes})},
             {"one byte more, unanswered", Prepare(BigDoc(big + 1))},
             {"one byte more, not asked", Prepare(BigDoc(big + 1), {}, noQuestion)},
             {"the largest size, yes", Prepare(BigDoc(most), {MsgAnswer::Yes})},
             {"one byte more than the largest, yes",
              Prepare(BigDoc(most + 1), {MsgAnswer::Yes})}}) {
        shown += what + ": " + (r.ok ? "read" : "refused") + ", code " + std::to_string(r.code) +
                 (r.text == Bom("big\n") ? ", the text"
                  : r.text.empty()       ? ", no text"
                                         : ", other") +
                 "\n";
        for (const auto& m : r.said) {
            std::string line = "  " + U16ToUtf8(m) + "\n";
            if (const auto at = line.find(doc); at != std::string::npos)
                line.replace(at, doc.size(), "{doc}");
            shown += line;
        }
    }
    test::ExpectSection("docx/sizes.txt", "", shown);
}

TEST_F(DocxTest, OversizedPartIsRefusedBeforeInflation) {
    const fs::path doc = Dir() / "bomb.docx";
    MakeZip(doc, {{"word/document.xml", std::string(kDocxMaxPartSize + 1, 'a')}});
    ASSERT_LT(fs::file_size(doc), 100'000u); // it compresses to almost nothing
    const UnpackResult r = UnpackPart(doc, Dir() / "out", u"docx");
    EXPECT_EQ(r.status, UnpackResult::TooBig);
    EXPECT_EQ(r.declaredSize, kDocxMaxPartSize + 1);
    EXPECT_EQ(r.bytesWritten, 0u);
    EXPECT_FALSE(fs::exists(Dir() / "out" / "word" / "document.xml"));
}

TEST_F(DocxTest, InflationStopsAtTheLimitWhateverWasDeclared) {
    const fs::path doc = Dir() / "liar.docx";
    MakeZip(doc, {{"word/document.xml", std::string(kDocxMaxPartSize + 4096, 'a')}});
    // Claim 100 bytes in both the local header and the central directory.
    std::string bytes = ReadBytes(doc);
    const auto patch = [&](std::size_t at) {
        bytes[at] = 100;
        bytes[at + 1] = bytes[at + 2] = bytes[at + 3] = 0;
    };
    patch(bytes.find(std::string("PK\x03\x04", 4)) + 22);
    const std::size_t central = bytes.find(std::string("PK\x01\x02", 4));
    ASSERT_NE(central, std::string::npos);
    patch(central + 24);
    WriteBytes(doc, bytes);

    const UnpackResult r = UnpackPart(doc, Dir() / "out", u"docx");
    EXPECT_NE(r.status, UnpackResult::Unpacked);
    EXPECT_LE(r.bytesWritten, kDocxMaxPartSize + 1);
    std::error_code ec;
    const auto onDisk = fs::file_size(Dir() / "out" / "word" / "document.xml", ec);
    EXPECT_LE(ec ? 0 : onDisk, kDocxMaxPartSize + 1);

    const Prepared p = Prepare(doc);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.said.size(), 1u);
    EXPECT_TRUE(p.code == kDocxTooBig || p.code == kDocxReadError || p.code == kDocxChecksum)
        << p.code;
}

TEST_F(DocxTest, OtherKindsReadContentXml) {
    const fs::path doc = Dir() / "odt.zip";
    MakeZip(doc, {{"content.xml", Document("<w:p><w:r><w:t>odt</w:t></w:r></w:p>")}});
    FakeHost host;
    RunState state;
    DocxDocument docx(host, state);
    DocxOptions o = Options();
    o.kind = u"odt";
    ASSERT_EQ(docx.Extract(doc, o), kDocxOk);
    EXPECT_TRUE(fs::exists(docx.TemporaryFolder() / "content.xml"));
    EXPECT_EQ(docx.ReadAndConvert(true, false), u"");
    EXPECT_EQ(docx.RunLines(), (std::vector<std::u16string>{u"odt"}));
    EXPECT_FALSE(fs::exists(docx.TemporaryFolder())); // not kept
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
} // namespace lxty
