// The rich edit's peer: which face shows what, the document's formats in the desktop's faces, the
// modes, the light viewer's scrolling, and the user's edits and presses reaching the model.

#include "QtFixture.h"

#include "qt/Convert.h"
#include "qt/PlainTextView.h"
#include "qt/RichEditPeer.h"
#include "toolkit/RichEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <string>
#include <vector>

using namespace tk;

namespace {

std::shared_ptr<TRichDocument> SampleDocument()
{
    auto document = std::make_shared<TRichDocument>();
    TParagraph heading;
    heading.alignment = TParagraphAlignment::Center;
    // "ＭＳ 明朝" and "見出し" in code page 932.
    heading.runs.push_back({"\x8c\xa9\x8f\x6f\x82\xb5",
                            TCharFormat{"\x82\x6c\x82\x72 \x96\xbe\x92\xa9", TFontCharset::ShiftJisCharset, 21, fsBold, {}}});
    document->paragraphs.push_back(heading);
    TParagraph body;
    body.leftIndent = 720;
    body.tabStops = {1440};
    body.runs.push_back({"red\tline\nbreak", TCharFormat{"Courier New", TFontCharset::AnsiCharset, 36, fsItalic | fsUnderline, clRed}});
    body.runs.push_back({" plain", TCharFormat{}});
    document->paragraphs.push_back(body);
    return document;
}

std::string NumberedLines(int count, int longLine = -1)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + (i == longLine ? std::string(3000, 'w') : "") + "\r\n";
    return text;
}

struct RichEditPeerTest : QtFixture {
    RichEditPeerTest()
    {
        form = ShownForm(400, 300);
        edit = Child<TRichEdit>(*form);
        edit->SetBounds(0, 0, 400, 300);
        edit->OnChange = [this](TObject*) { ++changes; };
    }

    qtui::RichEditWidget* Faces() { return dynamic_cast<qtui::RichEditPeer&>(*edit->Peer()).Faces(); }
    qtui::PlainTextView& Viewer() { return *Faces()->Viewer(); }
    QTextEdit& Editor() { return *Faces()->Editor(); }
    void SetRich(std::shared_ptr<TRichDocument> document)
    {
        // A document reaches a rich edit only by loading; this stands in for the service.
        struct OneDocument : ITextFiles {
            TRichContent content;
            TRichContent ReadTextFile(const std::string&, TTextFormat) override { return content; }
        } files;
        files.content = {std::make_shared<TTextBuffer>(document->PlainText()), document};
        application.SetTextFiles(&files);
        edit->Lines().LoadFromFile("C:\\sample.rtf");
        application.SetTextFiles(nullptr);
        Turn();
    }

    TForm* form = nullptr;
    TRichEdit* edit = nullptr;
    int changes = 0;
};

}  // namespace

TEST_F(RichEditPeerTest, ReadOnlyPlainTextGoesToTheViewerAndEditableOrWrappedSmallTextToTheEditor)
{
    edit->SetReadOnly(true);
    edit->SetWordWrap(false);
    edit->Lines().SetText("one\r\ntwo");
    Turn();
    EXPECT_FALSE(Faces()->EditorShown());
    EXPECT_TRUE(Viewer().isVisible());
    ASSERT_NE(Viewer().Lines(), nullptr);
    EXPECT_EQ(Viewer().Lines(), &edit->TextLines()) << "the viewer paints from the model's own buffer";

    edit->SetReadOnly(false);
    Turn();
    EXPECT_TRUE(Faces()->EditorShown());
    EXPECT_EQ(Editor().toPlainText(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(Editor().lineWrapMode(), QTextEdit::NoWrap);

    edit->SetReadOnly(true);
    edit->SetWordWrap(true);
    Turn();
    EXPECT_TRUE(Faces()->EditorShown()) << "wrapping is the editor's";
    EXPECT_EQ(Editor().lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_TRUE(Editor().isReadOnly());

    edit->SetReadOnly(false);
    edit->Lines().SetText(std::string(qtui::RichEditPeer::EditorTextLimit + 10, 'x'));
    Turn();
    EXPECT_FALSE(Faces()->EditorShown()) << "a large text stays in the viewer, editable or not";
}

TEST_F(RichEditPeerTest, RichTextShowsItsFormatsInTheDesktopsFaces)
{
    edit->SetReadOnly(true);
    SetRich(SampleDocument());
    ASSERT_TRUE(Faces()->EditorShown());
    QTextDocument& document = *Editor().document();
    ASSERT_EQ(document.blockCount(), 2);

    QTextBlock heading = document.firstBlock();
    EXPECT_EQ(heading.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QTextCharFormat headingFormat = heading.begin().fragment().charFormat();
    EXPECT_EQ(heading.text(), QString::fromUtf16(u"\u898B\u51FA\u3057"));
    EXPECT_EQ(headingFormat.fontFamilies().toStringList().value(0), QStringLiteral("IPAMincho"));
    EXPECT_EQ(headingFormat.property(QTextFormat::FontPixelSize).toInt(), 14) << "10.5 points at 96 pixels per inch";
    EXPECT_EQ(headingFormat.fontWeight(), QFont::Bold);

    QTextBlock body = heading.next();
    EXPECT_EQ(body.blockFormat().leftMargin(), 48);
    ASSERT_EQ(body.blockFormat().tabPositions().size(), 1);
    EXPECT_EQ(body.blockFormat().tabPositions()[0].position, 96);
    EXPECT_EQ(body.text(), QStringLiteral("red\tline") + QChar(QChar::LineSeparator) + QStringLiteral("break plain"));
    QTextCharFormat red = body.begin().fragment().charFormat();
    EXPECT_EQ(red.foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(red.fontItalic() && red.fontUnderline());
    EXPECT_EQ(red.property(QTextFormat::FontPixelSize).toInt(), 24);

    // The run that names nothing takes the default attributes.
    edit->DefAttributes().SetColor(clBlue);
    edit->DefAttributes().SetSize(12);
    Turn();
    QTextCursor cursor(Editor().document()->lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::blue));
    EXPECT_EQ(cursor.charFormat().property(QTextFormat::FontPixelSize).toInt(), 16);
}

TEST_F(RichEditPeerTest, TheViewerScrollsByLineDownAndByPixelAcross)
{
    edit->SetReadOnly(true);
    edit->SetWordWrap(false);
    edit->SetScrollBars(TScrollStyle::ssBoth);
    edit->Lines().SetText(NumberedLines(1000, 500));
    Turn();
    qtui::PlainTextView& viewer = Viewer();
    int visible = viewer.VisibleLines();
    EXPECT_GT(visible, 10);
    EXPECT_EQ(viewer.verticalScrollBar()->maximum(), 1000 - visible);
    EXPECT_EQ(viewer.verticalScrollBar()->pageStep(), visible);
    EXPECT_GT(viewer.horizontalScrollBar()->maximum(), 3000 * 3) << "the long line's width in pixels";

    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(&viewer, &end);
    EXPECT_EQ(viewer.TopLine(), 1000 - visible);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &up);
    EXPECT_EQ(viewer.TopLine(), 1000 - visible - 1);
    viewer.horizontalScrollBar()->setValue(120);
    EXPECT_EQ(viewer.LeftPixel(), 120);

    // A new text starts at its top left.
    edit->Lines().SetText(NumberedLines(5));
    Turn();
    EXPECT_EQ(viewer.TopLine(), 0);
    EXPECT_EQ(viewer.LeftPixel(), 0);
    EXPECT_EQ(viewer.verticalScrollBar()->maximum(), 0);
}

TEST_F(RichEditPeerTest, TheViewerDrawsInTheDefaultAttributesOnTheControlsColour)
{
    edit->SetReadOnly(true);
    edit->SetWordWrap(false);
    edit->DefAttributes().SetColor(clRed);
    edit->DefAttributes().SetSize(14);
    edit->Lines().SetText(std::string(40, 'W') + "\r\n" + std::string(40, 'M'));
    Turn();
    QImage image = Faces()->grab().toImage();
    int red = 0, white = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 300; ++x) {
            QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            red += pixel == 0xFF0000;
            white += pixel == 0xFFFFFF;
        }
    EXPECT_GT(red, 200);
    EXPECT_GT(white, 5000);
    EXPECT_GT(Viewer().Paints(), 0);
}

TEST_F(RichEditPeerTest, TheUsersEditsReachTheModelAndTheProgramsDoNotComeBack)
{
    edit->SetWordWrap(false);
    edit->Lines().SetText("start");
    Turn();
    changes = 0;
    ASSERT_TRUE(Faces()->EditorShown());
    QTextCursor cursor(Editor().document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromUtf16(u"\n\u8868\u793A"));
    EXPECT_EQ(edit->Lines().Count(), 2);
    EXPECT_EQ(edit->Lines()[1], "\x95\x5c\x8e\xa6") << "typed text comes to the model in code page 932";
    EXPECT_EQ(changes, 1);

    edit->Lines().Add("by the program");
    Turn();
    EXPECT_EQ(changes, 2) << "filling the editor is no edit of the user's";
    EXPECT_EQ(Editor().toPlainText(), QString::fromUtf16(u"start\n\u8868\u793A\nby the program"));
}

TEST_F(RichEditPeerTest, APressInEitherFaceIsTheControlsMouseDown)
{
    std::vector<std::string> downs;
    edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        downs.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    edit->SetReadOnly(true);
    edit->SetWordWrap(false);
    edit->Lines().SetText("text");
    Turn();
    for (QWidget* viewport : {Viewer().viewport(), Editor().viewport()}) {
        QPoint at(10, 20);
        QPoint expected = viewport->mapTo(Faces(), at);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        EXPECT_EQ(downs.back(), std::to_string(expected.x()) + "," + std::to_string(expected.y()));
    }
    EXPECT_EQ(downs.size(), 2u) << "one press, one mouse down";
}
