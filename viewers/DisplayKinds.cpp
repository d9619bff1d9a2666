// The display kinds of the selected file. Each one sets the visibility of every viewer component
// of all three arrangements, and loads the content into the one of the current arrangement.

#include "app/Dialogs.h"
#include "app/ImageForm.h"
#include "graphics/Graphics.h"
#include "platform/Files.h"
#include "platform/Host.h"

namespace orvane {

using namespace tk;

namespace {
const char* const NoData = "データがありません";
const char* const NotForDisplay = "表示指定されたデータではありません";
const char* const SystemFile = "システムファイルです!";

void SetAllVisible(std::initializer_list<TControl*> controls, bool visible)
{
    for (TControl* control : controls)
        control->SetVisible(visible);
}

// The detached window's own scrolling: on for pictures, off otherwise.
void SetWindowScrolling(Tview& view, bool on)
{
    view.SetAutoScroll(on);
    view.HorzScrollBar().SetVisible(on);
    view.VertScrollBar().SetVisible(on);
}

// Places a pane's bars for its picture: a bar shows only where the picture overflows the pane.
void PlaceBars(TPanel& pane, TImage& image, TScrollBar& horizontal, TScrollBar& vertical)
{
    const int W = pane.Width(), H = pane.Height();
    const int dx = image.Picture().Width() - W, dy = image.Picture().Height() - H;
    horizontal.SetBounds(0, H - 10, horizontal.Width(), horizontal.Height());
    horizontal.SetPosition(0);
    vertical.SetBounds(W - 10, 0, vertical.Width(), vertical.Height());
    vertical.SetPosition(0);
    if (dx > 0) {
        horizontal.Show();
        vertical.SetHeight(H - 10);
    } else {
        vertical.SetHeight(H);
        horizontal.Hide();
    }
    if (dy > 0) {
        horizontal.SetWidth(W - 10);
        vertical.Show();
    } else {
        horizontal.SetWidth(W);
        vertical.Hide();
    }
}
}  // namespace

void TImageForm::ShowPicture(bool capture, bool picture, const std::string& extension, const std::string& captureFile)
{
    Tview& view = *m_process.view;
    SetAllVisible({UScrollBarX, UScrollBarY, RScrollBarX, RScrollBarY, URichEdit, RRichEdit, view.RichEdit1}, false);
    view.Image1->Show();
    SetAllVisible({view.Label1, view.Label2}, false);
    SetWindowScrolling(view, true);
    SetAllVisible({RLabel, RLabel2, ULabel, ULabel2}, false);
    SetAllVisible({RImage, UImage}, true);
    SetAllVisible({U_Midi, U_HTML, view.Midi, view.HTML, R_Midi, R_HTML}, false);
    m_process.PictureShown = 1;

    // The picture component of each marked arrangement (exactly one is marked).
    std::vector<TImage*> current;
    if (Image1->Visible())
        current.push_back(view.Image1);
    if (Image2->Visible())
        current.push_back(UImage);
    if (Image3->Visible())
        current.push_back(RImage);

    bool loaded = false;
    if (capture && platform::ReadWholeFile(m_process.Host.Drives(), captureFile)) {
        for (TImage* image : current)
            image->Picture().LoadFromFile(captureFile);
        loaded = true;
    }
    if (picture) {
        if (extension == "EXE" || extension == "SCR") {
            std::unique_ptr<TIcon> icon = graphics::MakeIcon(m_process.Icons->ExtractIcon(m_process.CurrentPath, 0));
            const TIcon& shown = icon ? *icon : ImageList2->Image(2);
            // All three arrangements receive the program's icon on the background.
            for (TImage* image : {UImage, view.Image1, RImage}) {
                image->Picture().Assign(BackBmp->Picture());
                image->Canvas().Draw(0, 0, shown);
            }
        } else {
            for (TImage* image : current)
                image->Picture().LoadFromFile(m_process.CurrentPath);
        }
        loaded = true;
    }

    for (TImage* image : {RImage, UImage})
        image->SetBounds(0, 0, image->Picture().Width(), image->Picture().Height());
    view.HorzScrollBar().SetRange(view.Image1->Picture().Width());
    view.VertScrollBar().SetRange(view.Image1->Picture().Height());

    if (loaded) {
        PlaceBars(*UnderView, *UImage, *UScrollBarX, *UScrollBarY);
        PlaceBars(*RightView, *RImage, *RScrollBarX, *RScrollBarY);
        SetAllVisible({view.Image1, RImage, UImage}, true);
        return;
    }
    view.Image1->Hide();
    SetAllVisible({view.Label1, view.Label2, RLabel, RLabel2, ULabel, ULabel2}, true);
    SetAllVisible({RImage, UImage}, false);
    for (TLabel* label : {view.Label1, RLabel, ULabel})
        label->SetCaption(NoData);
}

// The media panels show before the file is opened, so a file the player refuses leaves them
// shown in their previous state.
void TImageForm::ShowMedia()
{
    Tview& view = *m_process.view;
    SetAllVisible({URichEdit, RRichEdit, view.RichEdit1, UScrollBarX, UScrollBarY, RScrollBarX, RScrollBarY}, false);
    SetAllVisible({view.Image1, view.Label1, view.Label2}, false);
    SetWindowScrolling(view, false);
    SetAllVisible({RLabel, RLabel2, RImage, ULabel, ULabel2, UImage, U_HTML, view.HTML, R_HTML}, false);
    SetAllVisible({R_Midi, U_Midi, view.Midi}, true);

    UnderMediaPlay->Close();
    UnderMediaPlay->SetFileName(m_process.CurrentPath);
    // Video is drawn on the pane of the current arrangement.
    if (Image1->Visible())
        UnderMediaPlay->SetDisplay(view.Panel);
    if (Image2->Visible())
        UnderMediaPlay->SetDisplay(UnderView);
    if (Image3->Visible())
        UnderMediaPlay->SetDisplay(RightView);
    UnderMediaPlay->Open();
    U_MidiPlayClick(this);
}

void TImageForm::ShowHtml()
{
    Tview& view = *m_process.view;
    SetAllVisible({URichEdit, RRichEdit, view.RichEdit1, UScrollBarX, UScrollBarY, RScrollBarX, RScrollBarY}, false);
    SetAllVisible({view.Image1, view.Label1, view.Label2}, false);
    SetWindowScrolling(view, false);
    SetAllVisible({RLabel, RLabel2, RImage, ULabel, ULabel2, UImage, U_Midi, view.Midi, R_Midi}, false);
    // The address keeps the path's backslashes as they stand.
    const std::string url = "file:///" + m_process.CurrentPath;
    SetAllVisible({U_HTML, view.HTML, R_HTML}, true);
    view.HTML->SetBounds(0, 0, view.ClientWidth(), view.ClientHeight());
    if (Image3->Visible())
        R_HTML->RequestDoc(url);
    if (Image1->Visible())
        view.HTML->RequestDoc(url);
    if (Image2->Visible())
        U_HTML->RequestDoc(url);
}

void TImageForm::ShowSystem()
{
    Tview& view = *m_process.view;
    SetAllVisible({URichEdit, RRichEdit, view.RichEdit1, UScrollBarX, UScrollBarY, RScrollBarX, RScrollBarY}, false);
    SetAllVisible({view.Image1, view.Label2}, false);
    SetWindowScrolling(view, false);
    SetAllVisible({RLabel2, RImage, ULabel2, UImage, U_HTML, U_Midi, view.Midi, view.HTML, R_Midi, R_HTML}, false);
    for (TLabel* label : {ULabel, RLabel, view.Label1}) {
        label->Show();
        label->SetCaption(SystemFile);
    }
}

void TImageForm::ShowText(bool richText, bool text, int unlistedMode)
{
    Tview& view = *m_process.view;
    SetAllVisible({UScrollBarX, UScrollBarY, RScrollBarX, RScrollBarY, view.Image1, view.Label1, view.Label2}, false);
    SetWindowScrolling(view, false);
    SetAllVisible({RLabel, RLabel2, RImage, ULabel, ULabel2, UImage, U_HTML, U_Midi, view.Midi, view.HTML, R_Midi, R_HTML},
               false);
    view.HorzScrollBar().SetRange(0);
    view.VertScrollBar().SetRange(0);
    view.RichEdit1->SetBounds(0, 0, view.ClientWidth(), view.ClientHeight());
    HorzScrollBar().SetRange(0);
    VertScrollBar().SetRange(0);

    if (richText || text) {
        m_process.PictureShown = 0;
        if (richText) {
            for (TRichEdit* edit : {view.RichEdit1, RRichEdit, URichEdit})
                edit->SetPlainText(false);
        } else {
            for (TRichEdit* edit : {view.RichEdit1, RRichEdit}) {
                edit->DefAttributes().SetColor(clWindowText);
                edit->DefAttributes().SetSize(9);
            }
            URichEdit->DefAttributes().SetColor(clBlack);
            URichEdit->DefAttributes().SetSize(9);
        }
        SetAllVisible({view.RichEdit1, RRichEdit, URichEdit}, true);
        if (Image1->Visible())
            view.RichEdit1->Lines().LoadFromFile(m_process.CurrentPath);
        if (Image2->Visible())
            URichEdit->Lines().LoadFromFile(m_process.CurrentPath);
        if (Image3->Visible())
            RRichEdit->Lines().LoadFromFile(m_process.CurrentPath);
        return;
    }
    if (unlistedMode == 1) {
        SetAllVisible({view.RichEdit1, RRichEdit, URichEdit}, false);
        SetAllVisible({view.Label1, view.Label2, RLabel, RLabel2, ULabel, ULabel2}, true);
        for (TLabel* label : {view.Label1, RLabel, ULabel})
            label->SetCaption(NotForDisplay);
    }
}

}  // namespace orvane
