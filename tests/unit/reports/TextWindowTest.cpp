// The text window model: what an append keeps at the 65,000-character capacity, when the
// window counts as full, and the "Textbox is full." note with its folder-run tail.

#include "reports/TextWindow.h"
#include "FakeHost.h"
#include "Golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lxty {
namespace {

constexpr std::size_t kCap = 65000;

std::u16string A(std::size_t n, char16_t c = u'a') {
    return std::u16string(n, c);
}

const std::u16string kNote = u"\n\nTextbox is full.";

// A text with "c*N" standing for N times the character c, and back (runs of more than 8).
std::u16string Expand(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t end = i + 2;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        if (i + 2 < end && text[i + 1] == u'*') {
            out.append(std::stoul(U16ToUtf8(text.substr(i + 2, end - i - 2))), text[i]);
            i = end - 1;
        } else
            out += text[i];
    }
    return out;
}
std::string Runs(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0, end; i < text.size(); i = end) {
        end = std::min(text.find_first_not_of(text[i], i), text.size());
        out += end - i > 8 ? text[i] + Utf8ToU16("*" + std::to_string(end - i))
                           : text.substr(i, end - i);
    }
    return test::Escape(out);
}

// Steps (" ; " between): "+text" appends, "=text" sets the whole text, "0" clears the output;
// what the window holds afterwards, from tests/data/reports/text_window.txt.
TEST(TextWindowTest, CapacityAndTheFullNote) {
    test::ExpectCases("reports/text_window.txt", "", [](const test::Row& f) {
        test::FakeHost host;
        TextWindow tw{host};
        int emptied = 0; // outside a folder run the input-file box is kept
        tw.emptyInputFileBox = [&] { ++emptied; };
        // Set from a std::u16string, not a literal: GCC 12 warns falsely (-Wrestrict).
        host.labels["lblTwirler"] = std::u16string(u"|");
        bool everFull = false;
        for (const std::u16string& step : test::Fields(U16ToUtf8(f.at(0)), " ; ")) {
            if (step[0] == u'+')
                tw.OutputToTxb(Expand(step.substr(1)));
            else if (step[0] == u'=')
                tw.SetText(Expand(step.substr(1)));
            else
                tw.ClearOutput();
            everFull = everFull || tw.blnTextboxFull();
        }
        EXPECT_TRUE(tw.Text() == host.textWindow);
        EXPECT_EQ(0, emptied);
        // The twirler stops when the window is full.
        EXPECT_TRUE((everFull ? u"" : u"|") == host.labels["lblTwirler"]);
        return Runs(tw.Text()) + (tw.blnTextboxFull() ? " (full)" : "");
    });
}

TEST(TextWindowTest, FolderRunNoteNamesFilesAndFoldersSoFar) {
    struct Folder {
        std::int64_t files, folders;
        std::u16string tail;
    };
    const Folder cases[] = {
        {1, 1, u"To this point: 1 file in 1 folder"},
        {3, 2, u"To this point: 3 files in 2 folders"},
        {0, 1, u"To this point: 0 files in 1 folder"},
        {1200, 1, u"To this point: 1200 files in 1 folder"},
    };
    for (const auto& c : cases) {
        test::FakeHost h;
        TextWindow w{h};
        int emptied = 0;
        w.folderRun = {true, c.files, c.folders};
        w.emptyInputFileBox = [&] { ++emptied; };
        w.OutputToTxb(A(kCap));
        w.OutputToTxb(u"x");
        EXPECT_TRUE(A(kCap - 256) + kNote + u"\n\n" + c.tail == w.Text()) << c.files;
        EXPECT_EQ(1, emptied);
    }
}

TEST(TextWindowTest, ServesTheCountingCodeThroughItsSink) {
    test::FakeHost host;
    TextWindow tw{host};
    TextWindowSink& sink = tw;
    sink.Append(u"alpha, beta, ");
    EXPECT_EQ(13, sink.Length());
    EXPECT_EQ(u"alpha, beta, ", host.textWindow);
    sink.Clear();
    EXPECT_EQ(0, sink.Length());
    EXPECT_EQ(u"", host.textWindow);
}

} // namespace
} // namespace lxty
