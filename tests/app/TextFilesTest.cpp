// The rich edits' text files on a real drive: rich text, plain text in its encodings, the choice
// between them, and files that cannot be read.

#include "host/HostTextFiles.h"
#include "platform/CodePage.h"
#include "platform/Host.h"
#include "toolkit/Exception.h"

#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace orvane;

namespace {

std::string Sample(const std::string& name)
{
    std::ifstream file(std::string(ORVANE_TEST_DATA) + "/rtf/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// A UTF-8 text that code page 932 cannot hold.
std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

platform::DriveMap DriveOn(const TempTree& tree)
{
    platform::DriveMap drives;
    drives.Map('C', tree.Root());
    return drives;
}

struct TextFilesFixture : ::testing::Test {
    TempTree tree;
    platform::Host host{DriveOn(tree)};
    HostTextFiles files{host};

    tk::TRichContent Read(const std::string& dosPath, tk::TTextFormat format = tk::TTextFormat::RichOrPlain)
    {
        return files.ReadTextFile(dosPath, format);
    }
    std::string ErrorOf(const std::string& dosPath)
    {
        try {
            Read(dosPath);
        } catch (const tk::EInOutError& error) {
            return error.Message();
        }
        return "no error";
    }
};

}  // namespace

TEST_F(TextFilesFixture, RichTextBecomesADocumentInCodePage932)
{
    tree.Write("doc.rtf", Sample("libreoffice-japanese.rtf"));
    tk::TRichContent content = Read("C:\\doc.rtf");
    ASSERT_NE(content.document, nullptr);
    EXPECT_EQ(content.lines->Line(0), "日本語の文書です。表示とソフト、能力。");
    const tk::TTextRun& first = content.document->paragraphs[0].runs[0];
    EXPECT_EQ(first.format.name, "ＭＳ 明朝");
    EXPECT_EQ(first.format.charset, tk::TFontCharset::ShiftJisCharset);
    EXPECT_EQ(content.document->paragraphs[1].runs[0].format.style, tk::TFontStyles(tk::fsBold));
    EXPECT_EQ(content.document->paragraphs[3].runs[0].format.color, tk::clRed);
    // Spelt outside the assertion, whose text of its arguments would have to be code page 932.
    const std::string lastLine = Utf8(u8"絵文字 😀 と記号 ①②③ ～");
    EXPECT_EQ(platform::Cp932ToUtf8(std::string(content.lines->Line(6))), lastLine)
        << "a character the code page lacks comes back whole";
}

TEST_F(TextFilesFixture, RichTextByContentNotByNameAndPlainWhenAskedOrUnreadable)
{
    tree.Write("looks.txt", "{\\rtf1\\ansi {\\b bold} text\\par}");
    tree.Write("deep.rtf", "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}') + "}");
    tree.Write("doc.rtf", "{\\rtf1\\ansi {\\b bold} text\\par}");
    EXPECT_NE(Read("C:\\looks.txt").document, nullptr) << "a text file that begins like rich text";
    EXPECT_EQ(Read("C:\\looks.txt").lines->Line(0), "bold text");
    tk::TRichContent plain = Read("C:\\doc.rtf", tk::TTextFormat::Plain);
    EXPECT_EQ(plain.document, nullptr);
    EXPECT_EQ(plain.lines->Line(0), "{\\rtf1\\ansi {\\b bold} text\\par}");
    tk::TRichContent deep = Read("C:\\deep.rtf");
    EXPECT_EQ(deep.document, nullptr) << "rich text the reader refuses is read as plain text";
    EXPECT_EQ(deep.lines->Text().size(), 10009u);
}

TEST_F(TextFilesFixture, PlainTextInEachEncoding)
{
    tree.Write("sjis.txt", "表示\r\nｱｲｳ\r\n");
    tree.Write("utf8.txt", "\xE8\xA1\xA8\xE7\xA4\xBA\n\xEF\xBD\xB1\n");
    tree.Write("bom.txt", "\xEF\xBB\xBF" "abc");
    tree.Write("utf16.txt", std::string("\xFF\xFE\x68\x88\x3A\x79\x0A\x00", 8));
    EXPECT_EQ(Read("C:\\sjis.txt").lines->Text(), "表示\r\nｱｲｳ\r\n");
    EXPECT_EQ(Read("C:\\utf8.txt").lines->Text(), "表示\nｱ\n");
    EXPECT_EQ(Read("C:\\bom.txt").lines->Text(), "abc");
    EXPECT_EQ(Read("C:\\utf16.txt").lines->Text(), "表示\n");
}

TEST_F(TextFilesFixture, FilesThatCannotBeReadSayWhy)
{
    tree.Write("folder/inside.txt", "x");
    EXPECT_EQ(ErrorOf("C:\\gone.txt"), "ファイル \"C:\\gone.txt\" を開けません。そのようなファイルやディレクトリはありません。");
    EXPECT_EQ(ErrorOf("C:\\folder"), "ファイル \"C:\\folder\" を開けません。ディレクトリです。");
    EXPECT_EQ(ErrorOf("Q:\\nodrive.txt"), "ファイル \"Q:\\nodrive.txt\" を開けません。そのようなファイルやディレクトリはありません。");
}

// A link that is there names the file it misses; links that lead round in a circle say so.
TEST_F(TextFilesFixture, ALinkThatLeadsNowhereSaysWhatIsMissing)
{
    ASSERT_TRUE(special::MakeLink(tree.Path("moved-away.txt"), tree.Path("broken.txt")));
    ASSERT_TRUE(special::MakeLink(tree.Path("loop2.txt"), tree.Path("loop1.txt")));
    ASSERT_TRUE(special::MakeLink(tree.Path("loop1.txt"), tree.Path("loop2.txt")));
    EXPECT_EQ(ErrorOf("C:\\broken.txt"), "ファイル \"C:\\broken.txt\" を開けません。リンク先のファイルがありません。");
    EXPECT_EQ(ErrorOf("C:\\loop1.txt"), "ファイル \"C:\\loop1.txt\" を開けません。シンボリックリンクの階層が多すぎます。");
}

TEST_F(TextFilesFixture, APipeOrADeviceIsRefusedAtOnceAndNeverRead)
{
    ASSERT_TRUE(special::MakePipe(tree.Path("fifo.txt")));
    ASSERT_TRUE(special::MakeLink("/dev/zero", tree.Path("zero.txt")));
    special::PipeRelease release({tree.Path("fifo.txt")});
    for (const char* path : {"C:\\fifo.txt", "C:\\zero.txt"}) {
        auto took = special::TimeOf(
            [&] { EXPECT_EQ(ErrorOf(path), "ファイル \"" + std::string(path) + "\" を開けません。通常のファイルではありません。"); });
        EXPECT_LT(took, special::Prompt) << path;
    }
}
