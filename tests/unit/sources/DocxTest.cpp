// Docx documents: detection, unpacking with its size and checksum checks, the conversion of
// WordprocessingML into lines, the temporary folders and the extracted text files. The
// fixtures in tests/data/docx were written by LibreOffice; damaged and oversized containers
// are made here.

#include "sources/Docx.h"
#include "sources/FolderScan.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "base/RunState.h"
#include "util/Catalogue.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lxty::test::FakeHost;

namespace lxty {
namespace {

const fs::path kFixtures = fs::path(LXTY_TEST_DATA_DIR) / "docx";

class CatalogueEnvironment : public ::testing::Environment {
public:
    void SetUp() override { LoadProgramTexts(fs::path(LXTY_DATA_DIR) / "lxty.dat"); }
};
const auto* const kCatalogue =
    ::testing::AddGlobalTestEnvironment(new CatalogueEnvironment); // NOLINT

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

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

class TempDir : public test::TempDir {
public:
    TempDir() : test::TempDir("lxty-docx") {}
};

// Options that keep the temporary folders inside a test's own folder.
DocxOptions OptionsIn(const TempDir& dir) {
    DocxOptions o;
    o.temporaryBase = dir / "tmp";
    fs::create_directories(o.temporaryBase);
    return o;
}

std::vector<std::u16string> Convert(const std::string& body) {
    FakeHost host;
    RunState state;
    return ConvertWordprocessingML(Document(body), host, state);
}

std::string Bom(const std::string& text) {
    return "\xEF\xBB\xBF" + text;
}

// ---------------------------------------------------------------------------------------

TEST(Docx, IsDocx) {
    TempDir d;
    fs::copy_file(kFixtures / "runs.docx", d / "copy.DOCX");
    fs::copy_file(kFixtures / "runs.docx", d / "copy.zip");
    WriteBytes(d / "plain.docx", "This is plain text saved as docx.");
    WriteBytes(d / "nine.docx", std::string("PK\x03\x04", 4) + "12345");
    WriteBytes(d / "ten.docx", std::string("PK\x03\x04", 4) + "123456");
    EXPECT_TRUE(IsDocx(kFixtures / "runs.docx"));
    EXPECT_TRUE(IsDocx(d / "copy.DOCX"));
    EXPECT_FALSE(IsDocx(d / "copy.zip"));
    EXPECT_FALSE(IsDocx(d / "plain.docx"));
    EXPECT_FALSE(IsDocx(d / "nine.docx"));
    EXPECT_TRUE(IsDocx(d / "ten.docx"));
    EXPECT_FALSE(IsDocx(d / "missing.docx"));
}

TEST(Docx, WordProcessorDocumentReadsAsAPersonReadsIt) {
    TempDir d;
    fs::copy_file(kFixtures / "runs.docx", d / "runs.docx");
    FakeHost host;
    RunState state;
    DocxDocument doc(host, state);
    DocxOptions o = OptionsIn(d);
    ASSERT_TRUE(doc.Prepare(d / "runs.docx", o));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(doc.TemporaryFolder(), d / "tmp" / "LXTY001");
    EXPECT_EQ(doc.TextFile(), d / "tmp" / "LXTY001" / "runs.txt");
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
    EXPECT_FALSE(fs::exists(d / "extracted_text"));
    const fs::path folder = doc.TemporaryFolder();
    doc.CleanUp();
    EXPECT_FALSE(fs::exists(folder));
}

TEST(Docx, TabsSeparateWords) {
    TempDir d;
    FakeHost host;
    RunState state;
    DocxDocument doc(host, state);
    ASSERT_TRUE(doc.Prepare(kFixtures / "tabs.docx", OptionsIn(d)));
    EXPECT_EQ(ReadBytes(doc.TextFile()), Bom("alpha\tbeta\ngamma delta\n"));
}

TEST(Docx, ExtractedTextIsKeptBesideTheDocumentWhenAsked) {
    TempDir d;
    fs::create_directories(d / "docs");
    fs::copy_file(kFixtures / "tabs.docx", d / "docs" / "tabs.docx");
    FakeHost host;
    RunState state;
    fs::path folder;
    {
        DocxDocument doc(host, state);
        DocxOptions o = OptionsIn(d);
        o.keepExtractedText = true;
        ASSERT_TRUE(doc.Prepare(d / "docs" / "tabs.docx", o));
        folder = doc.TemporaryFolder();
        EXPECT_TRUE(fs::exists(doc.TextFile()));
    }
    EXPECT_FALSE(fs::exists(folder)); // the destructor cleans up
    EXPECT_EQ(DocxDocument::ExtractedTextCopyPath(d / "docs" / "tabs.docx"),
              d / "docs" / "extracted_text" / "tabs.txt");
    EXPECT_EQ(ReadBytes(d / "docs" / "extracted_text" / "tabs.txt"),
              Bom("alpha\tbeta\ngamma delta\n"));
    EXPECT_TRUE(host.messages.empty());
}

TEST(Docx, Conversion) {
    struct Case {
        const char* what;
        std::string body;
        std::vector<std::u16string> lines;
    };
    const std::vector<Case> cases = {
        {"runs join as they stand",
         "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>Hel</w:t></w:r><w:r><w:t>lo</w:t></w:r></w:p>",
         {u"Hello"}},
        {"paragraphs stay apart",
         "<w:p><w:r><w:t>end</w:t></w:r></w:p><w:p><w:r><w:t>start</w:t></w:r></w:p>",
         {u"end", u"start"}},
        {"kept spaces stay",
         "<w:p><w:r><w:t xml:space=\"preserve\">a </w:t></w:r><w:r><w:t>b</w:t></w:r></w:p>",
         {u"a b"}},
        {"references",
         "<w:p><w:r><w:t>R&amp;D it&apos;s &quot;q&quot; &lt;x&gt; &#233;&#xE9;&#XE9; "
         "&#x1F600; &amp;lt;</w:t></w:r></w:p>",
         {u"R&D it's \"q\" <x> \u00E9\u00E9\u00E9 \U0001F600 &lt;"}},
        {"unknown or broken references stay as written",
         "<w:p><w:r><w:t>&nbsp; &#xZZ; &#0; &#xD800; &#99999999; a &amp b</w:t></w:r></w:p>",
         {u"&nbsp; &#xZZ; &#0; &#xD800; &#99999999; a &amp b"}},
        {"UTF-8 text",
         "<w:p><w:r><w:t>\xCE\xB1\xCE\xB2 caf\xC3\xA9 \xE2\x80\x94</w:t></w:r></w:p>",
         {u"\u03B1\u03B2 caf\u00E9 \u2014"}},
        {"line breaks, carriage returns and tabs",
         "<w:p><w:r><w:t>a</w:t><w:br/><w:t>b</w:t><w:cr/><w:t>c</w:t><w:tab/><w:t>d</w:t>"
         "<w:br w:type=\"page\"/><w:t>e</w:t></w:r></w:p>",
         {u"a b c\td e"}},
        {"tab stops are not tabs",
         "<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>"
         "<w:r><w:t>x</w:t></w:r></w:p>",
         {u"x"}},
        {"empty and self-closed elements",
         "<w:p/><w:p><w:r><w:t/><w:t></w:t><w:t>y</w:t></w:r></w:p>",
         {u"", u"y"}},
        {"deleted text and field codes are not text",
         "<w:p><w:r><w:delText>gone</w:delText></w:r><w:r><w:instrText> PAGE </w:instrText>"
         "</w:r><w:r><w:t>kept</w:t></w:r></w:p>",
         {u"kept"}},
        {"table cells without a paragraph end still separate",
         "<w:tbl><w:tr><w:tc><w:r><w:t>one</w:t></w:r></w:tc><w:tc><w:r><w:t>two</w:t></w:r>"
         "</w:tc></w:tr></w:tbl>",
         {u"one two "}},
        {"non-breaking hyphen",
         "<w:p><w:r><w:t>well</w:t><w:noBreakHyphen/><w:t>known</w:t></w:r></w:p>",
         {u"well-known"}},
        {"a text box counts once",
         "<w:p><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:p><w:r><w:t>boxed</w:t>"
         "</w:r></w:p></mc:Choice><mc:Fallback><w:p><w:r><w:t>boxed</w:t></w:r></w:p>"
         "</mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>after</w:t></w:r></w:p>",
         {u"boxed", u"after"}},
        {"control characters and line ends inside a run become spaces",
         "<w:p><w:r><w:t>a\nb\r\nc&#10;d\x01"
         "e</w:t></w:r></w:p>",
         {u"a b  c d e"}},
        {"text after the last paragraph",
         "<w:p><w:r><w:t>a</w:t></w:r></w:p><w:r><w:t>b</w:t>",
         {u"a", u"b"}},
        {"unterminated run ends the text", "<w:p><w:r><w:t>a</w:t><w:t>b", {u"a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Convert(c.body), c.lines) << c.what;
}

TEST(Docx, StopQuestionDuringConversion) {
    std::string body;
    for (int i = 0; i < 5; ++i)
        body += "<w:p><w:r><w:t>p" + std::to_string(i) + "</w:t></w:r></w:p>";

    // Yes: the conversion ends with what it has, and the stop request stays.
    {
        FakeHost host;
        RunState state;
        host.onYield = [&] {
            if (host.yields == 2)
                state.blnStop = true;
        };
        host.answers.push_back(MsgAnswer::Yes);
        EXPECT_EQ(ConvertWordprocessingML(Document(body), host, state),
                  (std::vector<std::u16string>{u"p0", u"p1"}));
        EXPECT_TRUE(state.blnStop);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].question);
        EXPECT_EQ(host.messages[0].text, GetText(362));
        EXPECT_EQ(host.messages[0].title, GetText(363));
        EXPECT_FALSE(GetText(362).empty());
    }
    // No: the request is withdrawn and the conversion goes on.
    {
        FakeHost host;
        RunState state;
        host.onYield = [&] {
            if (host.yields == 2)
                state.blnStop = true;
        };
        host.answers.push_back(MsgAnswer::No);
        EXPECT_EQ(ConvertWordprocessingML(Document(body), host, state).size(), 5u);
        EXPECT_FALSE(state.blnStop);
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.yields, 5);
    }
}

TEST(Docx, ProgressBarAndRunsShownAsFound) {
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
    const std::string big = Document(body + std::string(1'000'001, ' '));
    ConvertWordprocessingML(big, host, state, o);
    EXPECT_EQ(host.labels["lblTotalNumOccurrences"], DocxProgressBar(1, 1));
}

TEST(Docx, TemporaryFolders) {
    TempDir d;
    fs::create_directories(d / "LXTY001");
    WriteBytes(d / "LXTY002", "a file takes the name too");
    std::error_code ec;
    fs::create_directory_symlink(d / "elsewhere", d / "LXTY003", ec); // a dangling link
    const fs::path expected = ec ? d / "LXTY003" : d / "LXTY004";
    EXPECT_EQ(CreateDocxTemporaryFolder(d.path()), expected);
    EXPECT_TRUE(fs::is_directory(expected));
    EXPECT_EQ(CreateDocxTemporaryFolder(d.path(), u"ABC"), d / "ABC001");

    // Program end: every prefix + 001..999 folder goes; other names and links stay.
    fs::create_directories(d / "LXTY999" / "word");
    fs::create_directories(d / "LXTY1000");
    fs::create_directories(d / "LXTYabc");
    RemoveDocxTemporaryFolders(d.path(), u"LXTY");
    EXPECT_FALSE(fs::exists(d / "LXTY001"));
    EXPECT_FALSE(fs::exists(expected));
    EXPECT_FALSE(fs::exists(d / "LXTY999"));
    EXPECT_TRUE(fs::exists(d / "LXTY002"));
    EXPECT_TRUE(fs::exists(d / "LXTY1000"));
    EXPECT_TRUE(fs::exists(d / "LXTYabc"));
    EXPECT_TRUE(fs::exists(d / "ABC001"));
}

TEST(Docx, AllTemporaryFolderNamesTaken) {
    TempDir d;
    DocxOptions o = OptionsIn(d);
    for (int n = 1; n <= 998; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "LXTY%03d", n);
        fs::create_directory(o.temporaryBase / name);
    }
    // 999 is still free.
    {
        FakeHost host;
        RunState state;
        DocxDocument doc(host, state);
        EXPECT_TRUE(doc.Prepare(kFixtures / "tabs.docx", o));
        EXPECT_EQ(doc.TemporaryFolder(), o.temporaryBase / "LXTY999");
    }
    fs::create_directory(o.temporaryBase / "LXTY999");
    FakeHost host;
    RunState state;
    DocxDocument doc(host, state);
    EXPECT_FALSE(doc.Prepare(kFixtures / "tabs.docx", o));
    EXPECT_EQ(doc.Code(), kDocxNoTemporaryFolder);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"Unable to create temporary folder.");
    EXPECT_EQ(host.messages[0].title, GetText(34));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

TEST(Docx, DamagedContainersGiveMessagesNotCrashes) {
    TempDir d;
    const std::string good = ReadBytes(kFixtures / "runs.docx");
    const std::string path = "word/document.xml";
    const std::size_t data = DataOffset(good, path);
    ASSERT_NE(data, std::string::npos);

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"truncated to half", good.substr(0, good.size() / 2)});
    cases.push_back({"truncated before the directory", good.substr(0, good.size() - 30)});
    for (std::size_t off : {data, data + 40, data + 200}) {
        std::string flipped = good;
        flipped[off] = static_cast<char>(flipped[off] ^ 0x5A);
        cases.push_back({"a flipped byte in the document part", flipped});
    }
    std::string noPart = good;
    noPart.replace(noPart.find(path), path.size(), "word/documenX.xml");
    noPart.replace(noPart.rfind(path), path.size(), "word/documenX.xml");
    cases.push_back({"no document part", noPart});

    for (const auto& c : cases) {
        const fs::path doc = d / "damaged.docx";
        WriteBytes(doc, c.bytes);
        FakeHost host;
        RunState state;
        DocxDocument docx(host, state);
        DocxOptions o = OptionsIn(d);
        o.askOnChecksumError = false;
        EXPECT_FALSE(docx.Prepare(doc, o)) << c.what;
        ASSERT_EQ(host.messages.size(), 1u) << c.what;
        const auto& m = host.messages[0];
        EXPECT_EQ(m.title, u"Error") << c.what;
        const std::u16string shown = ShownPath(doc);
        const std::u16string checksum = u"Invalid checksum found when processing\r\n" + shown;
        const std::u16string suffix = u" when processing " + shown;
        const bool isChecksum = m.text == checksum;
        const bool isReadError =
            m.text.size() > suffix.size() &&
            m.text.compare(m.text.size() - suffix.size(), suffix.size(), suffix) == 0;
        EXPECT_TRUE(isChecksum || isReadError) << c.what << ": " << U16ToUtf8(m.text);
        EXPECT_EQ(docx.Code(), isChecksum ? kDocxChecksum : kDocxReadError) << c.what;
        EXPECT_TRUE(fs::is_empty(o.temporaryBase)) << c.what; // cleaned up
    }
    // The part missing from the container says so.
    WriteBytes(d / "nopart.docx", noPart);
    FakeHost host;
    RunState state;
    DocxDocument docx(host, state);
    EXPECT_FALSE(docx.Prepare(d / "nopart.docx", OptionsIn(d)));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, u"No word/document.xml in the document when processing " +
                                         ShownPath(d / "nopart.docx"));
}

TEST(Docx, ChecksumMismatch) {
    TempDir d;
    const fs::path doc = d / "crc.docx";
    MakeZip(doc, {{"word/document.xml", Document("<w:p><w:r><w:t>checksum test</w:t></w:r></w:p>"),
                   true}});
    std::string bytes = ReadBytes(doc);
    const std::size_t at = bytes.find("checksum test", DataOffset(bytes, "word/document.xml"));
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'k'; // stored data: only the CRC can tell
    WriteBytes(doc, bytes);
    const std::u16string shown = ShownPath(doc);
    const std::u16string question = u"Invalid checksum found when processing\r\n" + shown +
                                    u"\r\n\r\nDo you wish to scan this file anyway?";

    EXPECT_EQ(UnpackPart(doc, d / "out", u"docx").status, UnpackResult::Checksum);

    { // Not asking: refused with the checksum message.
        FakeHost host;
        RunState state;
        DocxDocument docx(host, state);
        DocxOptions o = OptionsIn(d);
        o.askOnChecksumError = false;
        EXPECT_FALSE(docx.Prepare(doc, o));
        EXPECT_EQ(docx.Code(), kDocxChecksum);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, u"Invalid checksum found when processing\r\n" + shown);
        EXPECT_EQ(host.messages[0].title, u"Error");
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    }
    { // Asking, No: declined, nothing more said.
        FakeHost host;
        RunState state;
        host.answers.push_back(MsgAnswer::No);
        DocxDocument docx(host, state);
        EXPECT_FALSE(docx.Prepare(doc, OptionsIn(d)));
        EXPECT_EQ(docx.Code(), kDocxDeclined);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, question);
        EXPECT_TRUE(host.messages[0].question);
    }
    { // Asking, Yes: scanned anyway.
        FakeHost host;
        RunState state;
        host.answers.push_back(MsgAnswer::Yes);
        DocxDocument docx(host, state);
        ASSERT_TRUE(docx.Prepare(doc, OptionsIn(d)));
        EXPECT_EQ(ReadBytes(docx.TextFile()), Bom("khecksum test\n"));
    }
}

TEST(Docx, PartSizeLimits) {
    TempDir d;
    const auto makeDoc = [&](const std::string& name, std::uintmax_t size) {
        const std::string head = Document("<w:p><w:r><w:t>big</w:t></w:r></w:p>");
        MakeZip(d / name, {{"word/document.xml", head + std::string(size - head.size(), ' ')}});
        return d / name;
    };
    struct Case {
        std::uintmax_t size;
        bool asks;
        bool refused;
    };
    const std::vector<Case> cases = {
        {kDocxBigPartSize, false, false},
        {kDocxBigPartSize + 1, true, false},
        {kDocxMaxPartSize, true, false},
        {kDocxMaxPartSize + 1, false, true},
    };
    for (const auto& c : cases) {
        const fs::path doc = makeDoc("size.docx", c.size);
        const std::u16string shown = ShownPath(doc);
        FakeHost host;
        RunState state;
        host.answers.push_back(MsgAnswer::Yes);
        DocxDocument docx(host, state);
        const bool ok = docx.Prepare(doc, OptionsIn(d));
        EXPECT_EQ(ok, !c.refused) << c.size;
        if (c.refused) {
            EXPECT_EQ(docx.Code(), kDocxTooBig);
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text,
                      shown + u" is too large (more than 20 Mb) to be scanned directly.\r\n"
                              u"You might be able to save it as a text file\r\n"
                              u"and apply this program to that file.");
            EXPECT_EQ(host.messages[0].title, u"File too big");
            EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
        } else if (c.asks) {
            ASSERT_EQ(host.messages.size(), 1u) << c.size;
            EXPECT_EQ(host.messages[0].text,
                      shown + u"\r\nis rather large.  It may take awhile to scan.\r\n"
                              u"Do you wish to continue?");
            EXPECT_EQ(host.messages[0].title, u"Big file");
            EXPECT_TRUE(host.messages[0].question);
            EXPECT_EQ(ReadBytes(docx.TextFile()), Bom("big\n"));
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.size;
        }
    }

    // The question's default is No, and No explains what to do instead.
    const fs::path doc = makeDoc("size.docx", kDocxBigPartSize + 1);
    FakeHost host;
    RunState state;
    DocxDocument docx(host, state);
    EXPECT_FALSE(docx.Prepare(doc, OptionsIn(d)));
    EXPECT_EQ(docx.Code(), kDocxDeclined);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].answer, MsgAnswer::No);
    EXPECT_EQ(host.messages[1].text, u"You could try saving it as a text file\r\n"
                                     u"and applying this program to that file.");
    EXPECT_EQ(host.messages[1].title, u"Big file");

    // Not asking: a big part is read without a question.
    FakeHost quiet;
    DocxDocument docx2(quiet, state);
    DocxOptions o = OptionsIn(d);
    o.askOnBigPart = false;
    EXPECT_TRUE(docx2.Prepare(doc, o));
    EXPECT_TRUE(quiet.messages.empty());
}

TEST(Docx, OversizedPartIsRefusedBeforeInflation) {
    TempDir d;
    const fs::path doc = d / "bomb.docx";
    MakeZip(doc, {{"word/document.xml", std::string(kDocxMaxPartSize + 1, 'a')}});
    ASSERT_LT(fs::file_size(doc), 100'000u); // it compresses to almost nothing
    const UnpackResult r = UnpackPart(doc, d / "out", u"docx");
    EXPECT_EQ(r.status, UnpackResult::TooBig);
    EXPECT_EQ(r.declaredSize, kDocxMaxPartSize + 1);
    EXPECT_EQ(r.bytesWritten, 0u);
    EXPECT_FALSE(fs::exists(d / "out" / "word" / "document.xml"));
}

TEST(Docx, InflationStopsAtTheLimitWhateverWasDeclared) {
    TempDir d;
    const fs::path doc = d / "liar.docx";
    const std::uintmax_t real = kDocxMaxPartSize + 4096;
    MakeZip(doc, {{"word/document.xml", std::string(real, 'a')}});
    // Claim 100 bytes in both the local header and the central directory.
    std::string bytes = ReadBytes(doc);
    const auto patch = [&](std::size_t at) {
        bytes[at] = 100;
        bytes[at + 1] = bytes[at + 2] = bytes[at + 3] = 0;
    };
    const std::size_t local = bytes.find(std::string("PK\x03\x04", 4));
    patch(local + 22);
    const std::size_t central = bytes.find(std::string("PK\x01\x02", 4));
    ASSERT_NE(central, std::string::npos);
    patch(central + 24);
    WriteBytes(doc, bytes);

    const UnpackResult r = UnpackPart(doc, d / "out", u"docx");
    EXPECT_NE(r.status, UnpackResult::Unpacked);
    EXPECT_LE(r.bytesWritten, kDocxMaxPartSize + 1);
    std::error_code ec;
    const auto onDisk = fs::file_size(d / "out" / "word" / "document.xml", ec);
    EXPECT_LE(ec ? 0 : onDisk, kDocxMaxPartSize + 1);

    FakeHost host;
    RunState state;
    DocxDocument docx(host, state);
    EXPECT_FALSE(docx.Prepare(doc, OptionsIn(d)));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(docx.Code() == kDocxTooBig || docx.Code() == kDocxReadError ||
                docx.Code() == kDocxChecksum)
        << docx.Code();
}

TEST(Docx, OtherKindsReadContentXml) {
    TempDir d;
    const fs::path doc = d / "odt.zip";
    MakeZip(doc, {{"content.xml", Document("<w:p><w:r><w:t>odt</w:t></w:r></w:p>")}});
    FakeHost host;
    RunState state;
    DocxDocument docx(host, state);
    DocxOptions o = OptionsIn(d);
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
