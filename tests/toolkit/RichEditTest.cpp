// The rich edit: its lines, loading through the text file service, its change event and its
// default attributes.

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"
#include "toolkit/RichEdit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace tk;

namespace {

std::vector<std::string> LinesOf(const TTextBuffer& buffer)
{
    std::vector<std::string> lines;
    for (int i = 0; i < buffer.Count(); ++i)
        lines.emplace_back(buffer.Line(i));
    return lines;
}

// Files by name; a rich file comes back as a one-paragraph document.
class FakeTextFiles : public ITextFiles {
public:
    TRichContent ReadTextFile(const std::string& dosPath, TTextFormat format) override
    {
        formats.push_back(format);
        auto it = files.find(dosPath);
        if (it == files.end())
            throw EInOutError("ファイル \"" + dosPath + "\" を開けません。そのようなファイルやディレクトリはありません。");
        if (format == TTextFormat::RichOrPlain && it->second.rfind("{\\rtf", 0) == 0) {
            auto document = std::make_shared<TRichDocument>();
            TParagraph paragraph;
            paragraph.runs.push_back({"rich", TCharFormat{"Arial", TFontCharset::AnsiCharset, 24, fsBold, clRed}});
            document->paragraphs.push_back(paragraph);
            return {std::make_shared<TTextBuffer>(document->PlainText()), document};
        }
        return {std::make_shared<TTextBuffer>(it->second), nullptr};
    }

    std::map<std::string, std::string> files;
    std::vector<TTextFormat> formats;
};

struct RichEditFixture : ::testing::Test {
    RichEditFixture()
    {
        application.SetTextFiles(&files);
        application.SetDialogs(&dialogs);
        application.CreateForm(form);
        edit = new TRichEdit(form);
        edit->SetParent(form);
        edit->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, edit);
            changes.push_back(edit->Lines().Count());
        };
    }

    TApplication application;
    FakeTextFiles files;
    RecordingDialogs dialogs;
    TForm* form = nullptr;
    TRichEdit* edit = nullptr;
    std::vector<int> changes;   // the line count at each change
};

}  // namespace

TEST(TextBuffer, LinesEndAtCrLfLfOrCrAndAFinalBreakOpensNoLine)
{
    EXPECT_EQ(LinesOf(TTextBuffer("one\r\ntwo\nthree\rfour")), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(LinesOf(TTextBuffer("a\r\n")), (std::vector<std::string>{"a"}));
    EXPECT_EQ(LinesOf(TTextBuffer("a\n\n")), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(LinesOf(TTextBuffer("a\r\r\n\n")), (std::vector<std::string>{"a", "", ""}));
    EXPECT_EQ(TTextBuffer("").Count(), 0);
    EXPECT_EQ(LinesOf(TTextBuffer("\n")), (std::vector<std::string>{""}));
    // Code page 932 trail bytes are never CR or LF, but they may be a backslash or a bar.
    EXPECT_EQ(LinesOf(TTextBuffer("表示\r\nソ|")), (std::vector<std::string>{"表示", "ソ|"}));
}

TEST(TextBuffer, AppendAddsOneLineAndTheLongestLineIsKnown)
{
    TTextBuffer buffer("short\nthe longest line\nmid");
    EXPECT_EQ(buffer.LongestLine(), 1);
    buffer.Append("");
    buffer.Append("an even longer line than that");
    EXPECT_EQ(LinesOf(buffer),
              (std::vector<std::string>{"short", "the longest line", "mid", "", "an even longer line than that"}));
    EXPECT_EQ(buffer.LongestLine(), 4);
    buffer.Append("x\r\ny");
    EXPECT_EQ(buffer.Count(), 7) << "a line holding a break adds two";
    EXPECT_EQ(TTextBuffer().LongestLine(), -1);
}

TEST_F(RichEditFixture, LinesAddClearAndTextEachRunTheChangeEvent)
{
    edit->Lines().Add("first");
    edit->Lines().Add("second");
    EXPECT_EQ(edit->Lines().Count(), 2);
    EXPECT_EQ(edit->Lines()[1], "second");
    EXPECT_EQ(edit->Lines()[2], "") << "beyond the last line";
    EXPECT_EQ(edit->Lines().Text(), "first\r\nsecond\r\n");
    edit->Lines().SetText("a\nb\nc");
    EXPECT_EQ(edit->Lines().Text(), "a\r\nb\r\nc\r\n");
    edit->Lines().Clear();
    EXPECT_EQ(edit->Lines().Count(), 0);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(RichEditFixture, LoadingAsksForRichTextUnlessPlainTextIsOn)
{
    files.files["C:\\doc.rtf"] = "{\\rtf1 rich}";
    edit->Lines().LoadFromFile("C:\\doc.rtf");
    ASSERT_NE(edit->Content().document, nullptr);
    EXPECT_EQ(edit->Lines()[0], "rich");
    edit->SetPlainText(true);
    edit->Lines().LoadFromFile("C:\\doc.rtf");
    EXPECT_EQ(edit->Content().document, nullptr);
    EXPECT_EQ(edit->Lines()[0], "{\\rtf1 rich}");
    EXPECT_EQ(files.formats, (std::vector<TTextFormat>{TTextFormat::RichOrPlain, TTextFormat::Plain}));
    EXPECT_EQ(changes, (std::vector<int>{1, 1})) << "loading is a change, the same text again too";
}

TEST_F(RichEditFixture, AFileThatCannotBeReadRaisesAndLeavesTheText)
{
    edit->Lines().SetText("kept");
    changes.clear();
    try {
        edit->Lines().LoadFromFile("C:\\gone.txt");
        FAIL() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "ファイル \"C:\\gone.txt\" を開けません。そのようなファイルやディレクトリはありません。");
    }
    EXPECT_EQ(edit->Lines()[0], "kept");
    EXPECT_TRUE(changes.empty());

    application.SetTextFiles(nullptr);
    EXPECT_THROW(edit->Lines().LoadFromFile("C:\\any.txt"), EInOutError);
}

TEST_F(RichEditFixture, ALineAddedToRichTextBecomesAParagraphInTheDefaultAttributes)
{
    files.files["C:\\doc.rtf"] = "{\\rtf1 rich}";
    edit->Lines().LoadFromFile("C:\\doc.rtf");
    auto loaded = edit->Content().document;
    edit->Lines().Add("added");
    ASSERT_NE(edit->Content().document, nullptr);
    ASSERT_EQ(edit->Content().document->paragraphs.size(), 2u);
    EXPECT_EQ(edit->Content().document->paragraphs[1].runs[0].text, "added");
    EXPECT_EQ(edit->Content().document->paragraphs[1].runs[0].format, TCharFormat{});
    EXPECT_EQ(loaded->paragraphs.size(), 1u) << "a document already handed out stays as it was";
    EXPECT_EQ(edit->Lines().Text(), "rich\r\nadded\r\n");
}

TEST_F(RichEditFixture, TheUsersTypingChangesTheTextAndRunsTheEventInsideTheErrorReport)
{
    edit->Lines().SetText("before");
    edit->OnChange = [](TObject*) { throw EInOutError("from the handler"); };
    edit->InputText("typed\r\nby the user");
    EXPECT_EQ(edit->Lines().Count(), 2);
    EXPECT_EQ(edit->Lines()[1], "by the user");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "from the handler");
}

TEST_F(RichEditFixture, DefaultAttributesFollowTheFontAndStandAlone)
{
    EXPECT_EQ(edit->DefAttributes().Size(), 9) << "the form's 12-pixel font";
    edit->Font().SetSize(14);
    EXPECT_EQ(edit->DefAttributes().Size(), 14);
    edit->DefAttributes().SetSize(9);
    edit->DefAttributes().SetColor(clBlack);
    EXPECT_EQ(edit->Font().Size(), 14) << "setting the default attributes leaves the font";
    EXPECT_EQ(edit->DefAttributes().Color(), clBlack);
}
