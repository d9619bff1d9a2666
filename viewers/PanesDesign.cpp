// The two docked viewer panes as designed. Within a pane the picture and the labels lie beneath
// the controls with windows of their own (rich edit, scroll bars, HTML control, media panel).

#include "app/Design.h"
#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

namespace {

TImage* MakePicture(TForm* form, TPanel* pane, const char* name, TRect bounds)
{
    auto* image = new TImage(form);
    image->SetName(name);
    image->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    image->SetAutoSize(true);
    image->SetParent(pane);
    return image;
}

// The first label shows the notices in large bold type; the second the product's name in red.
TLabel* MakeNotice(TForm* form, TPanel* pane, const char* name, int left, int top)
{
    TLabel* label = MakeLabel(form, pane, name, left, top, "データがありません");
    label->Font().SetName(DefaultFontName());
    label->Font().SetPixelHeight(19);
    label->Font().SetStyle(fsBold);
    label->Font().SetColor(clBlack);
    label->SetVisible(false);
    return label;
}

TLabel* MakeProductName(TForm* form, TPanel* pane, const char* name, int left, int top)
{
    TLabel* label = MakeLabel(form, pane, name, left, top, "Orvane");
    label->Font().SetName(DefaultFontName());
    label->Font().SetPixelHeight(12);
    label->Font().SetColor(clRed);
    label->SetVisible(false);
    return label;
}

TScrollBar* MakeBar(TForm* form, TPanel* pane, const char* name, TScrollBarKind kind, TRect bounds, int pageStep)
{
    auto* bar = new TScrollBar(form);
    bar->SetName(name);
    bar->SetKind(kind);
    bar->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    bar->SetParams(0, 0, 100);
    bar->SetPageSize(0);
    bar->SetLargeChange(pageStep);
    bar->SetParent(pane);
    return bar;
}

// The panes' rich edits show text and rich text read-only, with both scroll bars and no wrap.
TRichEdit* MakeRichEdit(TForm* form, TPanel* pane, const char* name)
{
    auto* edit = new TRichEdit(form);
    edit->SetName(name);
    edit->SetAlign(TAlign::alClient);
    edit->SetReadOnly(true);
    edit->SetScrollBars(TScrollStyle::ssBoth);
    edit->SetWordWrap(false);
    edit->SetParent(pane);
    return edit;
}

THTML* MakeHtml(TForm* form, TPanel* pane, const char* name)
{
    auto* html = new THTML(form);
    html->SetName(name);
    html->SetAlign(TAlign::alClient);
    html->SetParent(pane);
    return html;
}

// The panes' media panels write their status in the default face, 12 pixels high.
MediaPanel MakePaneMediaPanel(TForm* form, TPanel* pane, const std::string& prefix, TRect bounds, int statusLeft,
                              int statusTop)
{
    MediaPanel media = MakeMediaPanel(form, pane, prefix, bounds, statusLeft, statusTop);
    media.status->Font().SetName(DefaultFontName());
    media.status->Font().SetPixelHeight(12);
    return media;
}

}  // namespace

void TImageForm::CreatePanes()
{
    UImage = MakePicture(this, UnderView, "UImage", Bounds(1, 1, 479, 148));
    ULabel = MakeNotice(this, UnderView, "ULabel", 7, 3);
    ULabel2 = MakeProductName(this, UnderView, "ULabel2", 106, 25);
    URichEdit = MakeRichEdit(this, UnderView, "URichEdit");
    URichEdit->Lines().SetText(" ");
    UScrollBarY = MakeBar(this, UnderView, "UScrollBarY", TScrollBarKind::sbVertical, Bounds(426, 4, 16, 78), 1);
    UScrollBarX = MakeBar(this, UnderView, "UScrollBarX", TScrollBarKind::sbHorizontal, Bounds(0, 64, 121, 10), 1);
    UnderMediaPlay = new TMediaPlayer(this);
    UnderMediaPlay->SetName("UnderMediaPlay");
    UnderMediaPlay->SetBounds(432, 16, 29, 30);
    UnderMediaPlay->SetVisible(false);
    UnderMediaPlay->SetParent(UnderView);
    UnderMediaPlay->SetDisplay(UnderView);
    UnderMediaPlay->OnNotify = [this](TObject* sender) { UnderMediaPlayNotify(sender); };
    U_HTML = MakeHtml(this, UnderView, "U_HTML");
    MediaPanel under = MakePaneMediaPanel(this, UnderView, "U_", Bounds(1, 0, 140, 30), 58, 10);
    U_Midi = under.panel;
    U_MidiPlay = under.play;
    U_MidiStop = under.stop;
    U_MidiStatus = under.status;
    U_Midi->SetVisible(false);

    RImage = MakePicture(this, RightView, "RImage", Bounds(1, 1, 102, 155));
    RLabel = MakeNotice(this, RightView, "RLabel", 13, 3);
    RLabel2 = MakeProductName(this, RightView, "RLabel2", 9, 27);
    RRichEdit = MakeRichEdit(this, RightView, "RRichEdit");
    RScrollBarX = MakeBar(this, RightView, "RScrollBarX", TScrollBarKind::sbHorizontal, Bounds(2, 136, 99, 10), 1);
    RScrollBarY = MakeBar(this, RightView, "RScrollBarY", TScrollBarKind::sbVertical, Bounds(82, 8, 16, 121), 10);
    MediaPanel right = MakePaneMediaPanel(this, RightView, "R_", Bounds(1, 0, 88, 45), 5, 29);
    R_Midi = right.panel;
    R_MidiPlay = right.play;
    R_MidiStop = right.stop;
    R_MidiStatus = right.status;
    R_HTML = MakeHtml(this, RightView, "R_HTML");

    for (TButton* play : {U_MidiPlay, R_MidiPlay})
        play->OnClick = [this](TObject* sender) { U_MidiPlayClick(sender); };
    for (TButton* stop : {U_MidiStop, R_MidiStop})
        stop->OnClick = [this](TObject* sender) { U_MidiStopClick(sender); };
}

}  // namespace orvane
