// Peers mirroring the model: geometry, visibility, texts, colours, fonts, stacking and scroll
// bars reach the widgets, once per turn of the event loop.

#include "Pixels.h"
#include "QtFixture.h"

#include "qt/Convert.h"
#include "qt/FormPeer.h"
#include "qt/ImagePeer.h"
#include "qt/LabelPeer.h"
#include "qt/PanelPeer.h"
#include "toolkit/Image.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/VideoFrame.h"

#include <QCloseEvent>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include <string>

using namespace tk;

namespace {

// Counts the events of one type that reach a widget.
class EventCounter : public QObject {
public:
    EventCounter(QWidget& widget, QEvent::Type type) : m_type(type) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

QRgb PixelAt(QWidget& widget, int x, int y)
{
    return widget.grab().toImage().pixel(x, y) & 0xFFFFFF;
}

using Mirror = QtFixture;

TEST_F(Mirror, FormWindowTakesFramePositionAndClientSize)
{
    TForm* form = ShownForm(594, 336);
    form->SetBounds(40, 30, form->Width(), form->Height());
    Turn();
    QWidget* window = WidgetOf(*form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(594, 336));
    EXPECT_EQ(window->pos(), QPoint(40, 30));
}

TEST_F(Mirror, CaptionIsConvertedFromCodePage932)
{
    TForm* form = ShownForm();
    // "Orvane" followed by half-width katakana and two kanji, as code page 932 bytes.
    form->SetCaption("Orvane \xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1");
    Turn();
    EXPECT_EQ(WidgetOf(*form)->windowTitle(),
              QString::fromUtf16(u"Orvane \uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D\u60C5\u5831"));
}

TEST_F(Mirror, ChildrenSitAtTheirModelGeometryOnTheirParent)
{
    TForm* form = ShownForm();
    auto* outer = Child<TPanel>(*form);
    outer->SetBounds(10, 20, 200, 100);
    auto* inner = Child<TPanel>(*form, outer);
    inner->SetBounds(-5, 25, 50, 30);
    Turn();
    QWidget* outerWidget = WidgetOf(*outer);
    QWidget* innerWidget = WidgetOf(*inner);
    ASSERT_NE(innerWidget, nullptr);
    EXPECT_EQ(outerWidget->geometry(), QRect(10, 20, 200, 100));
    EXPECT_EQ(innerWidget->geometry(), QRect(-5, 25, 50, 30));
    EXPECT_EQ(innerWidget->parentWidget(), outerWidget);
}

TEST_F(Mirror, VisibilityAndEnablingFollowTheModel)
{
    TForm* form = ShownForm();
    auto* panel = Child<TPanel>(*form);
    panel->Hide();
    Turn();
    EXPECT_FALSE(WidgetOf(*panel)->isVisible());
    panel->Show();
    panel->SetEnabled(false);
    Turn();
    EXPECT_TRUE(WidgetOf(*panel)->isVisible());
    EXPECT_FALSE(WidgetOf(*panel)->isEnabled());
    form->Hide();
    Turn();
    EXPECT_FALSE(WidgetOf(*form)->isVisible());
}

TEST_F(Mirror, PanelDrawsItsColourAndOnePixelBevels)
{
    TForm* form = ShownForm();
    auto* raised = Child<TPanel>(*form);
    raised->SetBounds(0, 0, 40, 30);
    raised->SetColor(clRed);
    auto* lowered = Child<TPanel>(*form);
    lowered->SetBounds(50, 0, 40, 30);
    lowered->SetBevelOuter(TBevelCut::bvLowered);
    auto* flat = Child<TPanel>(*form);
    flat->SetBounds(100, 0, 40, 30);
    flat->SetBevelOuter(TBevelCut::bvNone);
    flat->SetColor(clBlack);
    Turn();

    QWidget& raisedWidget = *WidgetOf(*raised);
    EXPECT_EQ(PixelAt(raisedWidget, 20, 15), 0xFF0000u);
    EXPECT_EQ(PixelAt(raisedWidget, 0, 10), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(raisedWidget, 10, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(raisedWidget, 39, 10), 0x808080u);
    EXPECT_EQ(PixelAt(raisedWidget, 10, 29), 0x808080u);
    EXPECT_EQ(PixelAt(raisedWidget, 1, 1), 0xFF0000u);

    QWidget& loweredWidget = *WidgetOf(*lowered);
    EXPECT_EQ(PixelAt(loweredWidget, 0, 10), 0x808080u);
    EXPECT_EQ(PixelAt(loweredWidget, 39, 10), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(loweredWidget, 20, 15), 0xC0C0C0u) << "clBtnFace resolves to the classic grey";

    QWidget& flatWidget = *WidgetOf(*flat);
    EXPECT_EQ(PixelAt(flatWidget, 0, 0), 0x000000u);
    EXPECT_EQ(PixelAt(flatWidget, 39, 29), 0x000000u);
}

TEST_F(Mirror, LabelTakesMappedFontAndColours)
{
    TForm* form = ShownForm();
    auto* mark = Child<TPanel>(*form);
    mark->SetBevelOuter(TBevelCut::bvNone);
    mark->SetColor(clBlack);
    auto* label = Child<TLabel>(*form, mark);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 120, 30);
    label->Font().SetColor(clFuchsia);
    label->Font().SetStyle(fsBold | fsItalic);
    label->Font().SetPixelHeight(24);
    label->SetCaption("Orvane");
    Turn();

    auto* widget = WidgetOf<qtui::LabelWidget>(*label);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->font().family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(widget->font().pixelSize(), 24);
    EXPECT_TRUE(widget->font().bold());
    EXPECT_TRUE(widget->font().italic());
    EXPECT_EQ(widget->Caption(), QStringLiteral("Orvane"));
    EXPECT_EQ(widget->Color(), QColor(0, 0, 0)) << "a label takes its parent's colour";

    QImage image = widget->grab().toImage();
    int fuchsia = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            fuchsia += (image.pixel(x, y) & 0xFFFFFF) == 0xFF00FFu;
    EXPECT_GT(fuchsia, 20) << "the caption is drawn in the font's colour";
    EXPECT_EQ(image.pixel(119, 29) & 0xFFFFFF, 0x000000u);
}

TEST_F(Mirror, JapaneseFaceNamesMapToIpaFaces)
{
    TFont font;
    EXPECT_EQ(qtui::ToQFont(font).family(), QStringLiteral("IPAPGothic")) << "the default face";
    const std::pair<const char*, const char*> faces[] = {
        {"\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E", "IPAGothic"},
        {"\x82\x6C\x82\x72 \x82\x6F\x96\xBE\x92\xA9", "IPAPMincho"},
        {"\x82\x6C\x82\x72 \x96\xBE\x92\xA9", "IPAMincho"},
        {"Courier New", "Courier New"},
    };
    for (const auto& [name, family] : faces) {
        font.SetName(name);
        EXPECT_EQ(qtui::ToQFont(font).family(), QString::fromLatin1(family)) << family;
    }
}

TEST_F(Mirror, ManyChangesInOneHandlerReachTheWidgetOnceAfterTheLoopTurns)
{
    TForm* form = ShownForm(400, 300);
    auto* panel = Child<TPanel>(*form);
    panel->SetBounds(0, 0, 10, 10);
    Turn();
    auto* widget = WidgetOf<qtui::PanelWidget>(*panel);
    EventCounter resizes(*widget, QEvent::Resize);
    EventCounter moves(*widget, QEvent::Move);

    for (int i = 1; i <= 1000; ++i) {
        panel->SetBounds(i % 50, i % 70, 11 + i % 200, 11 + i % 100);
        panel->SetCaption(std::to_string(i));
    }
    EXPECT_EQ(widget->geometry(), QRect(0, 0, 10, 10)) << "nothing reaches the widget inside the handler";
    EXPECT_TRUE(widget->Caption().isEmpty());

    Turn();
    EXPECT_EQ(widget->geometry(), QRect(0, 20, 11, 11));
    EXPECT_EQ(widget->Caption(), QStringLiteral("1000"));
    EXPECT_EQ(resizes.count, 1);
    EXPECT_EQ(moves.count, 1);
}

TEST_F(Mirror, StackingFollowsTheModelsChildOrder)
{
    TForm* form = ShownForm();
    auto* first = Child<TPanel>(*form);
    auto* second = Child<TPanel>(*form);
    auto* third = Child<TPanel>(*form);
    Turn();
    QWidget* canvas = WidgetOf(*first)->parentWidget();
    auto order = [&] {
        std::vector<QWidget*> widgets;
        for (QObject* child : canvas->children())
            if (auto* widget = qobject_cast<QWidget*>(child))
                widgets.push_back(widget);
        return widgets;
    };
    EXPECT_EQ(order(), (std::vector<QWidget*>{WidgetOf(*first), WidgetOf(*second), WidgetOf(*third)}));
    first->BringToFront();
    third->SendToBack();
    Turn();
    EXPECT_EQ(order(), (std::vector<QWidget*>{WidgetOf(*third), WidgetOf(*second), WidgetOf(*first)}));
}

TEST_F(Mirror, ImagePaintsThePicturesPixelsWithTheirAlpha)
{
    TForm* form = ShownForm();
    form->SetColor(clWhite);
    auto* image = Child<TImage>(*form);
    image->SetBounds(0, 0, 8, 8);
    auto icon = std::make_unique<TIcon>(2, 1, std::vector<uint32_t>{0xFF0000FFu, 0x00FF0000u});
    image->Picture().SetGraphic(std::move(icon));
    Turn();
    QWidget* widget = WidgetOf(*image);
    QImage shown = WidgetOf(*form)->grab(widget->geometry()).toImage();
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(shown.pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu) << "a transparent pixel shows the form";

    image->SetStretch(true);
    Turn();
    shown = WidgetOf(*form)->grab(widget->geometry()).toImage();
    EXPECT_EQ(shown.pixel(3, 7) & 0xFFFFFF, 0x0000FFu) << "stretched over the whole control";
}

TEST_F(Mirror, ScrollBarShowsTheModelsRangeAndPosition)
{
    TForm* form = ShownForm();
    auto* bar = Child<TScrollBar>(*form);
    bar->SetKind(TScrollBarKind::sbVertical);
    bar->SetParams(30, 10, 110);
    bar->SetSmallChange(3);
    bar->SetLargeChange(20);
    bar->SetPageSize(11);
    Turn();
    auto* widget = WidgetOf<QScrollBar>(*bar);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->orientation(), Qt::Vertical);
    EXPECT_EQ(widget->minimum(), 10);
    EXPECT_EQ(widget->maximum(), 100) << "with a page, the thumb's end stops at Max";
    EXPECT_EQ(widget->value(), 30);
    EXPECT_EQ(widget->singleStep(), 3);
    EXPECT_EQ(widget->pageStep(), 11);
}

TEST_F(Mirror, ButtonShowsItsCaption)
{
    TForm* form = ShownForm();
    auto* button = Child<TButton>(*form);
    button->SetCaption("OK");
    button->SetBounds(5, 6, 75, 25);
    Turn();
    auto* widget = WidgetOf<QPushButton>(*button);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->text(), QStringLiteral("OK"));
    EXPECT_EQ(widget->geometry(), QRect(5, 6, 75, 25));
}

TEST_F(Mirror, ButtonCaptionTakesItsFontColourWhileEnabled)
{
    TForm* form = ShownForm();
    auto* button = Child<TButton>(*form);
    button->SetCaption("WWW");
    button->SetBounds(5, 6, 75, 25);
    button->Font().SetColor(clRed);
    Turn();
    auto* widget = WidgetOf<QPushButton>(*button);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_GT(CountNear(widget->grab().toImage(), widget->rect(), QColor(255, 0, 0)), 10) << "the caption is drawn red";
    button->Font().SetColor(clWindowText);
    Turn();
    EXPECT_EQ(CountNear(widget->grab().toImage(), widget->rect(), QColor(255, 0, 0)), 0);
    button->Font().SetColor(clRed);
    button->SetEnabled(false);
    Turn();
    EXPECT_EQ(CountNear(widget->grab().toImage(), widget->rect(), QColor(255, 0, 0)), 0) << "a disabled caption is grey";
}

TEST_F(Mirror, HintShowsOnlyWithShowHint)
{
    TForm* form = ShownForm();
    auto* door = Child<TPanel>(*form);
    door->SetHint("Drag to resize|long help");
    Turn();
    EXPECT_TRUE(WidgetOf(*door)->toolTip().isEmpty());
    door->SetShowHint(true);
    door->SetCursor(crVSplit);
    Turn();
    EXPECT_EQ(WidgetOf(*door)->toolTip(), QStringLiteral("Drag to resize"));
    EXPECT_EQ(WidgetOf(*door)->cursor().shape(), Qt::SplitVCursor);
}

TEST_F(Mirror, FormWithoutSystemMenuHasNoCloseButton)
{
    TForm* form = nullptr;
    application.CreateForm(form);
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    form->SetBorderIcons(biMinimize | biMaximize);
    form->Show();
    Turn();
    Qt::WindowFlags flags = WidgetOf(*form)->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(WidgetOf(*form)->isVisible()) << "new flags leave the window shown";
}

// A window manager's or a taskbar's close request, as Qt delivers it.
TEST_F(Mirror, AFormWithoutSystemMenuStaysShownWhenTheWindowManagerAsksItToClose)
{
    TForm* main = ShownForm();
    TForm* viewer = nullptr;
    TForm* other = nullptr;
    application.CreateForm(viewer);
    application.CreateForm(other);
    viewer->SetBorderIcons(biMinimize | biMaximize);
    viewer->Show();
    other->Show();
    Turn();
    for (TForm* form : {viewer, other}) {
        QCloseEvent request;
        QCoreApplication::sendEvent(WidgetOf(*form), &request);
        Turn();
    }
    EXPECT_TRUE(viewer->Visible());
    EXPECT_TRUE(WidgetOf(*viewer)->isVisible()) << "the window without a close box stays on the screen";
    EXPECT_FALSE(other->Visible()) << "a window with a close box is hidden";
    EXPECT_FALSE(WidgetOf(*other)->isVisible());
    EXPECT_TRUE(main->Visible());
}

namespace {
// Videos whose first picture, all red, shows when they open.
class RedVideos : public IMediaSystem {
public:
    struct Device : IMediaDevice {
        std::string Play() override { return {}; }
        std::string Stop() override { return {}; }
        int64_t Length() override { return 1000; }
        int64_t Position() override { return 0; }
    };
    std::unique_ptr<IMediaDevice> OpenMedia(const std::string&, IMediaEvents& events) override
    {
        auto picture = std::make_shared<TVideoFrame>();
        picture->Width = 4;
        picture->Height = 3;
        picture->Pixels.assign(12, 0xFFFF0000u);
        events.NewVideoFrame(std::move(picture));
        return std::make_unique<Device>();
    }
};
}  // namespace

// The panel paints its own colour behind whatever lies on it once the player no longer draws
// there: it was given another display, it was closed, or it is gone.
TEST_F(Mirror, APanelPaintsAVideoOnlyWhileThePlayerDrawsOnIt)
{
    RedVideos videos;
    application.SetMediaSystem(&videos);
    TForm* form = ShownForm();
    auto* pane = Child<TPanel>(*form);
    pane->SetBounds(0, 0, 40, 30);
    pane->SetBevelOuter(TBevelCut::bvNone);
    pane->SetColor(clBlue);
    auto* player = Child<TMediaPlayer>(*form);
    auto redPixels = [&] {
        Turn();
        return CountColour(WidgetOf(*pane)->grab().toImage(), QRect(0, 0, 40, 30), 0xFF0000u);
    };
    auto showVideo = [&] {
        player->SetDisplay(pane);
        player->SetFileName("C:\\clip.avi");
        player->Open();
    };

    showVideo();
    EXPECT_GT(redPixels(), 600) << "the picture fills the pane";
    player->SetDisplay(nullptr);
    EXPECT_EQ(redPixels(), 0);
    EXPECT_EQ(PixelAt(*WidgetOf(*pane), 20, 15), 0x0000FFu);
    showVideo();
    player->Close();
    EXPECT_EQ(redPixels(), 0);
    showVideo();
    delete player;
    EXPECT_EQ(redPixels(), 0);
    EXPECT_EQ(PixelAt(*WidgetOf(*pane), 20, 15), 0x0000FFu);
}

TEST_F(Mirror, DialogFrameHasAFixedSize)
{
    TForm* form = nullptr;
    application.CreateForm(form);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetClientWidth(239);
    form->SetClientHeight(127);
    form->Show();
    Turn();
    EXPECT_EQ(WidgetOf(*form)->minimumSize(), QSize(239, 127));
    EXPECT_EQ(WidgetOf(*form)->maximumSize(), QSize(239, 127));
}

TEST_F(Mirror, FreedControlsLoseTheirWidgets)
{
    TForm* form = ShownForm();
    auto* panel = Child<TPanel>(*form);
    panel->SetCaption("x");
    Turn();
    QPointer<QWidget> widget = WidgetOf(*panel);
    panel->SetCaption("y");
    delete panel;
    Turn();
    EXPECT_TRUE(widget.isNull());
}

}  // namespace
