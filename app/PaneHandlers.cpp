// The viewer panes as the windows hold them, and the main window's handlers of the viewers, each
// handed to the viewers object.

#include "app/ImageForm.h"
#include "app/View.h"

namespace orvane {

using namespace tk;

TViewerPane Tview::Pane() const
{
    TViewerPane pane;
    pane.surface = Panel;
    pane.picture = Image1;
    pane.notice = Label1;
    pane.productName = Label2;
    pane.richEdit = RichEdit1;
    pane.html = HTML;
    pane.media = {Midi, MidiPlay, MidiStop, MidiStatus};
    return pane;
}

TViewerPane TImageForm::Pane(TArrangement arrangement) const
{
    TViewerPane pane;
    switch (arrangement) {
    case TArrangement::None: break;
    case TArrangement::Separate: return m_process.view->Pane();
    case TArrangement::Under:
        pane.surface = UnderView;
        pane.picture = UImage;
        pane.notice = ULabel;
        pane.productName = ULabel2;
        pane.richEdit = URichEdit;
        pane.html = U_HTML;
        pane.media = {U_Midi, U_MidiPlay, U_MidiStop, U_MidiStatus};
        pane.horizontal = UScrollBarX;
        pane.vertical = UScrollBarY;
        // The lower pane's plain text has always been black whatever the system's text colour.
        pane.plainTextColor = clBlack;
        break;
    case TArrangement::Right:
        pane.surface = RightView;
        pane.picture = RImage;
        pane.notice = RLabel;
        pane.productName = RLabel2;
        pane.richEdit = RRichEdit;
        pane.html = R_HTML;
        pane.media = {R_Midi, R_MidiPlay, R_MidiStop, R_MidiStatus};
        pane.horizontal = RScrollBarX;
        pane.vertical = RScrollBarY;
        break;
    }
    return pane;
}

void TImageForm::U_MidiPlayClick(TObject*)
{
    m_viewers->Play();
}

void TImageForm::U_MidiStopClick(TObject*)
{
    m_viewers->Stop();
}

// The notice does not say why the playing ended; stopping is right for every reason.
void TImageForm::UnderMediaPlayNotify(TObject* sender)
{
    U_MidiStopClick(sender);
}

void TImageForm::UScrollBarYChange(TObject*)
{
    PanPicture(Pane(TArrangement::Under), *UScrollBarY);
}

void TImageForm::UScrollBarXChange(TObject*)
{
    PanPicture(Pane(TArrangement::Under), *UScrollBarX);
}

void TImageForm::RScrollBarYChange(TObject*)
{
    PanPicture(Pane(TArrangement::Right), *RScrollBarY);
}

void TImageForm::RScrollBarXChange(TObject*)
{
    PanPicture(Pane(TArrangement::Right), *RScrollBarX);
}

}  // namespace orvane
