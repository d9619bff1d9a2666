// The detached viewer window as designed: a panel with the picture, the two notice labels and
// the media panel, the HTML control, and an editable rich edit, each filling the window; the rich
// edit, made last, lies on top until a file is shown.

#include "common/Design.h"
#include "app/ImageForm.h"
#include "app/View.h"

namespace orvane {

using namespace tk;

Tview::Tview(TComponent* owner, Process& process) : TForm(owner), m_process(process)
{
    SetName("view");
    SetCaption("view");
    SetBounds(212, 311, 476, 212);
    SetFormStyle(TFormStyle::fsStayOnTop);
    // Minimise and maximise without the system menu: the title bar offers no close button.
    SetBorderIcons(biMinimize | biMaximize);
    SetWindowFont(*this);
    CreateComponents();
}

void Tview::CreateComponents()
{
    Panel = MakePanel(this, this, "Panel", Bounds(0, 0, 468, 189), TBevelCut::bvLowered);
    Panel->SetAlign(TAlign::alClient);
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetAutoSize(true);
    Image1->SetBounds(1, 1, 466, 187);
    Image1->SetParent(Panel);
    Label1 = MakeLabel(this, Panel, "Label1", 5, 4, "データがありません");
    Label1->Font().SetPixelHeight(19);
    Label1->Font().SetStyle(fsBold);
    Label1->Font().SetColor(clBlack);
    Label2 = MakeLabel(this, Panel, "Label2", 110, 25, "Orvane");
    Label2->Font().SetColor(clRed);
    MediaPanel media = MakeMediaPanel(this, Panel, "", Bounds(1, 0, 140, 30), 53, 10);
    Midi = media.panel;
    Midi->SetVisible(false);
    MidiPlay = media.play;
    MidiStop = media.stop;
    MidiStatus = media.status;

    HTML = new THTML(this);
    HTML->SetName("HTML");
    HTML->SetAlign(TAlign::alClient);
    HTML->SetParent(this);
    RichEdit1 = new TRichEdit(this);
    RichEdit1->SetName("RichEdit1");
    RichEdit1->SetAlign(TAlign::alClient);
    RichEdit1->SetScrollBars(TScrollStyle::ssBoth);
    RichEdit1->SetWordWrap(false);
    RichEdit1->SetParent(this);

    OnClick = [this](TObject* sender) { FormClick(sender); };
    Image1->OnClick = [this](TObject* sender) { Image1Click(sender); };
    MidiPlay->OnClick = [this](TObject* sender) { MidiPlayClick(sender); };
    MidiStop->OnClick = [this](TObject* sender) { MidiStopClick(sender); };
}

void Tview::FormClick(TObject*)
{
    m_process.ImageForm->HideDropDowns(TImageForm::TDropDowns::FirstLevel);
}

void Tview::Image1Click(TObject* sender)
{
    FormClick(sender);
}

void Tview::MidiPlayClick(TObject* sender)
{
    m_process.ImageForm->U_MidiPlayClick(sender);
}

void Tview::MidiStopClick(TObject* sender)
{
    m_process.ImageForm->U_MidiStopClick(sender);
}

}  // namespace orvane
