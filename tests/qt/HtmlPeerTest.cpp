// The HTML control on the Qt back end: pages with their pictures, links inside them, pictures
// addressed directly, documents that cannot be had, and the encodings of pages.

#include "platform/CodePage.h"
#include "qt/HtmlPage.h"
#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"
#include "tests/formats/Samples.h"
#include "tests/qt/QtFixture.h"
#include "toolkit/Html.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QMouseEvent>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include <fstream>

namespace {

// Drive C: on a folder of the test; nothing else of the folder service is used.
class OneDriveFolders : public tk::IFolders {
public:
    explicit OneDriveFolders(std::filesystem::path root) : m_root(std::move(root)) {}
    std::vector<char> Drives() override { return {'C'}; }
    std::string DriveLabel(char) override { return ""; }
    std::string CurrentDirectory() override { return "C:\\"; }
    bool SetCurrentDirectory(const std::string&) override { return false; }
    std::string DriveDirectory(char) override { return "C:"; }
    std::vector<std::string> SubFolders(const std::string&) override { return {}; }
    std::string HostPath(const std::string& path) override
    {
        if (path.size() < 2 || (path[0] != 'C' && path[0] != 'c') || path[1] != ':')
            return "";
        std::string host = platform::Cp932ToUtf8(path.substr(2));
        for (char& c : host)
            if (c == '\\')
                c = '/';
        return m_root.string() + host;
    }

private:
    std::filesystem::path m_root;
};

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The share of the picture's pixels near a colour.
double Share(const QImage& image, QRgb colour)
{
    int near = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb pixel = image.pixel(x, y);
            near += std::abs(qRed(pixel) - qRed(colour)) < 40 && std::abs(qGreen(pixel) - qGreen(colour)) < 40 &&
                    std::abs(qBlue(pixel) - qBlue(colour)) < 40;
        }
    return double(near) / (image.width() * image.height());
}

class HtmlControl : public QtFixture {
protected:
    HtmlControl() : m_folder("html"), m_folders(m_folder.Root())
    {
        application.SetFolders(&m_folders);
        // A page in code page 932 without a declared encoding, as Japanese pages often were,
        // naming its pictures and the next page in other cases and with backslashes.
        WriteText(m_folder / "site" / "page.htm",
                  "<html><body><p>\x93\xFA\x96\x7B\x8C\xEA</p>"
                  "<img src=\"Images\\RED.GIF\" width=\"60\" height=\"60\">"
                  "<img src=\"images/Blue.JPG\" width=\"60\" height=\"60\">"
                  "<p><a href=\"sub\\Next.HTM\">next</a> <a href=\"http://example.com/\">away</a></p>"
                  "</body></html>");
        WriteText(m_folder / "site" / "sub" / "next.htm",
                  "<html><head><meta charset=\"utf-8\"></head><body><p>\xE6\xAC\xA1\xE3\x81\xAE page</p></body></html>");
        std::filesystem::create_directories(m_folder / "site" / "images");
        QImage blue(30, 30, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        blue.save(QString::fromStdString((m_folder / "site" / "images" / "blue.jpg").string()), "JPG", 95);
        // Qt writes no GIF files; ImageMagick does.
        m_haveGif = samples::HaveProgram("convert") &&
                    samples::Run("convert -size 30x30 xc:red '" + (m_folder / "site" / "images" / "red.gif").string() + "'");
    }

    tk::THTML* ShownHtml()
    {
        tk::TForm* form = ShownForm(400, 300);
        auto* html = Child<tk::THTML>(*form);
        html->SetBounds(0, 0, 400, 300);
        Turn();
        return html;
    }

    QTextBrowser* Browser(tk::THTML& html) { return WidgetOf<QTextBrowser>(html); }

    void Request(tk::THTML& html, const std::string& url)
    {
        html.RequestDoc(url);
        Turn();
    }

    TempTree m_folder;
    OneDriveFolders m_folders;
    bool m_haveGif = false;
};

}  // namespace

TEST_F(HtmlControl, ShowsThePageWithItsGifAndJpegPicturesFoundWhateverTheirCase)
{
    if (!m_haveGif)
        GTEST_SKIP() << "ImageMagick is needed to write a GIF";
    tk::THTML* html = ShownHtml();
    Request(*html, "file:///C:\\site\\page.htm");
    QTextBrowser* browser = Browser(*html);
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf16(u"\u65E5\u672C\u8A9E"))) << "read in code page 932";
    QImage shown = browser->grab().toImage();
    EXPECT_GT(Share(shown, qRgb(255, 0, 0)), 0.02) << "the GIF";
    EXPECT_GT(Share(shown, qRgb(0, 0, 255)), 0.02) << "the JPEG";
}

TEST_F(HtmlControl, FollowsALinkToALocalPageAndNoOtherWhere)
{
    tk::THTML* html = ShownHtml();
    Request(*html, "file:///C:\\site\\page.htm");
    QTextBrowser* browser = Browser(*html);
    ASSERT_NE(browser, nullptr);
    auto click = [&](const QString& anchor) {
        QTextCursor found = browser->document()->find(anchor);
        ASSERT_FALSE(found.isNull()) << anchor.toStdString();
        QTextCursor inside(browser->document());
        inside.setPosition(found.selectionStart() + 1);
        QPoint at = browser->cursorRect(inside).center();
        QWidget* viewport = browser->viewport();
        QPointF global = viewport->mapToGlobal(QPointF(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &press);
        QCoreApplication::sendEvent(viewport, &release);
        Turn();
    };
    click(QStringLiteral("away"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("next"))) << "the page stays";
    click(QStringLiteral("next"));
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf16(u"\u6B21\u306E page")))
        << browser->toPlainText().toStdString();
    EXPECT_EQ(html->URL(), "file:///C:\\site\\page.htm") << "the control keeps the address it was asked for";
}

TEST_F(HtmlControl, AGifAddressedDirectlyIsShownAsAPicture)
{
    if (!m_haveGif)
        GTEST_SKIP() << "ImageMagick is needed to write a GIF";
    tk::THTML* html = ShownHtml();
    Request(*html, "file:///C:\\SITE\\images\\red.gif");
    QImage shown = Browser(*html)->grab().toImage();
    EXPECT_GT(Share(shown, qRgb(255, 0, 0)), 0.005);
    EXPECT_TRUE(Browser(*html)->toPlainText().trimmed().size() <= 1) << "a picture, not its bytes as text";
}

TEST_F(HtmlControl, ADocumentThatCannotBeHadShowsTheControlsNotice)
{
    tk::THTML* html = ShownHtml();
    const QString notice = QString::fromUtf16(u"\u30DA\u30FC\u30B8\u3092\u8868\u793A\u3067\u304D\u307E\u305B\u3093");
    Request(*html, "file:///C:\\site\\gone.htm");
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(notice));
    Request(*html, "file:///Q:\\page.htm");
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(notice)) << "no drive Q:";
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(QStringLiteral("Q:\\page.htm")));
}

// Qt's document opens by itself, by name, what its loader leaves unanswered: a picture's bare name
// even in the program's current folder. None of that may wait on a named pipe.
TEST_F(HtmlControl, PipesNamedByAPageOrAddressedAreNeverWaitedOn)
{
    std::filesystem::path site = m_folder / "site";
    for (const char* name : {"pipe.gif", "pipe.css", "pipe.htm"})
        ASSERT_TRUE(special::MakePipe((site / name).string()));
    std::filesystem::create_directories(m_folder / "elsewhere");
    ASSERT_TRUE(special::MakePipe((m_folder / "elsewhere" / "only-here.gif").string()));
    WriteText(site / "piped.htm",
              "<html><head><link rel=\"stylesheet\" href=\"pipe.css\"></head><body><p>piped</p>"
              "<img src=\"pipe.gif\" width=\"20\" height=\"20\"><img src=\"only-here.gif\">"
              "<a href=\"pipe.htm\">on</a></body></html>");
    special::PipeRelease release({(site / "pipe.gif").string(), (site / "pipe.css").string(),
                                  (site / "pipe.htm").string(), (m_folder / "elsewhere" / "only-here.gif").string()});
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString((m_folder / "elsewhere").string())));
    tk::THTML* html = ShownHtml();
    const QString notice = QString::fromUtf16(u"\u30DA\u30FC\u30B8\u3092\u8868\u793A\u3067\u304D\u307E\u305B\u3093");

    auto took = special::TimeOf([&] {
        Request(*html, "file:///C:\\site\\piped.htm");
        Browser(*html)->grab();
    });
    EXPECT_LT(took, special::Prompt);
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(QStringLiteral("piped")));

    took = special::TimeOf([&] { Request(*html, "file:///C:\\site\\pipe.htm"); });
    EXPECT_LT(took, special::Prompt);
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(notice)) << Browser(*html)->toPlainText().toStdString();
    QDir::setCurrent(before);

    qtui::HtmlPage page;
    took = special::TimeOf([&] {
        EXPECT_TRUE(page.Load(QString::fromStdString((site / "piped.htm").string())));
        QImage drawn(200, 100, QImage::Format_ARGB32);
        QPainter painter(&drawn);
        page.drawContents(&painter);
    });
    EXPECT_LT(took, special::Prompt) << "the render tool's page";
    EXPECT_FALSE(page.Load(QString::fromStdString((site / "pipe.htm").string())));
}

TEST_F(HtmlControl, EveryRequestReadsThePageAgainAndAFolderWithAJapaneseNameIsFound)
{
    tk::THTML* html = ShownHtml();
    auto folder = m_folder / "\xE8\xA1\xA8";   // 表, whose second byte in code page 932 is a backslash
    WriteText(folder / "a.htm", "<p>first</p>");
    Request(*html, "file:///C:\\\x95\x5C\\a.htm");
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(QStringLiteral("first")));
    WriteText(folder / "a.htm", "<p>second</p>");
    Request(*html, "file:///C:\\\x95\x5C\\a.htm");
    EXPECT_TRUE(Browser(*html)->toPlainText().contains(QStringLiteral("second")));
}

TEST(HtmlPageText, TheEncodingIsTheOneThePageNamesElseUtf8WhenValidElseCodePage932)
{
    const QString japanese = QString::fromUtf16(u"\u65E5\u672C");
    EXPECT_EQ(qtui::DecodeHtml("<meta charset=Shift_JIS><p>\x93\xFA\x96\x7B"), "<meta charset=Shift_JIS><p>" + japanese);
    EXPECT_EQ(qtui::DecodeHtml("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\">\xC6\xFC\xCB\xDC")
                  .right(2),
              japanese);
    EXPECT_EQ(qtui::DecodeHtml("<p>\xE6\x97\xA5\xE6\x9C\xAC"), "<p>" + japanese);
    EXPECT_EQ(qtui::DecodeHtml("<p>\x93\xFA\x96\x7B"), "<p>" + japanese);
    EXPECT_EQ(qtui::DecodeHtml("\xEF\xBB\xBF<p>\xE6\x97\xA5\xE6\x9C\xAC"), "<p>" + japanese);
}
