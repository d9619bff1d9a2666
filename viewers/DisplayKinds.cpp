// The display kinds of the selected file. Each one shows and hides the parts of all three panes
// alike, and loads the content into the pane of the current arrangement.

#include "app/ImageForm.h"
#include "browser/FileRows.h"
#include "graphics/Graphics.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "viewers/View.h"

namespace orvane {

using namespace tk;

namespace {
const char* const NoData = "データがありません";
const char* const NotForDisplay = "表示指定されたデータではありません";
const char* const SystemFile = "システムファイルです!";
const char* const SpecialFile = "特殊なファイルです!";

// The parts a display that shows nothing of its own hides.
constexpr unsigned ContentParts = PicturePart | NoticePart | ProductNamePart | HtmlPart | MediaPart | BarsPart;

// The detached window's own scrolling: on for pictures, off otherwise.
void SetWindowScrolling(Tview& view, bool on)
{
    view.SetAutoScroll(on);
    view.HorzScrollBar().SetVisible(on);
    view.VertScrollBar().SetVisible(on);
}

// The part of a docked pane's vertical bar that lies inside the pane.
constexpr int BarInPane = 10;
}  // namespace

// The width a document page is drawn to: the pane's, less what its vertical bar covers, so that a
// tall page scrolls up and down only.
int TImageForm::PageWidth(TArrangement arrangement)
{
    if (arrangement == TArrangement::Separate)
        return m_process.view->ClientWidth();
    return Pane(arrangement).surface->ClientWidth() - BarInPane;
}

// The window's rich edit and HTML control fill it and are fitted to it again whenever its
// scrolling changes, but only while they show. The rich edit changes before the scrolling and the
// HTML control after it, as they always did, so that each keeps the size it has always kept.
//
// A video is drawn on the pane's surface, behind all its parts. A display that hides the media
// panels shows something else there, so the player stops drawing into the pane (the sound, if
// any, plays on); a media file shown again gives it its pane back.
void TImageForm::ShowPaneParts(unsigned shown, unsigned hidden, TWindowScroll windowScroll)
{
    if (hidden & MediaPart)
        UnderMediaPlay->SetDisplay(nullptr);
    const std::array<TViewerPane, 3> panes = Panes();
    for (const TViewerPane& pane : panes)
        pane.SetParts(shown & ~HtmlPart, hidden & ~HtmlPart);
    SetWindowScrolling(*m_process.view, windowScroll == TWindowScroll::Scrolls);
    for (const TViewerPane& pane : panes)
        pane.SetParts(shown & HtmlPart, hidden & HtmlPart);
}

void TImageForm::ShowPicture(TPictureSource source, const std::string& extension, const std::string& captureFile)
{
    Tview& view = *m_process.view;
    ShowPaneParts(PicturePart, (ContentParts & ~PicturePart) | RichEditPart, TWindowScroll::Scrolls);
    m_process.PictureShown = 1;

    const TArrangement arrangement = CurrentArrangement();
    TImage* current = arrangement == TArrangement::None ? nullptr : Pane(arrangement).picture;
    bool loaded = false;
    if (source != TPictureSource::File && platform::ReadWholeFile(m_process.Host.Drives(), captureFile)) {
        if (current)
            current->Picture().LoadFromFile(captureFile);
        loaded = true;
    }
    if (source != TPictureSource::Capture) {
        if (extension == "EXE" || extension == "SCR") {
            std::unique_ptr<TIcon> icon = graphics::MakeIcon(m_process.Icons->ExtractIcon(m_process.CurrentPath, 0));
            const TIcon& shown = icon ? *icon : ImageList2->Image(ProgramIcon);
            // All three arrangements receive the program's icon on the background.
            for (TImage* image : {UImage, view.Image1, RImage}) {
                image->Picture().Assign(BackBmp->Picture());
                image->Canvas().Draw(0, 0, shown);
            }
        } else if (current) {
            current->Picture().LoadFromFile(m_process.CurrentPath, PageWidth(arrangement));
        }
        loaded = true;
    }

    for (TImage* image : {RImage, UImage})
        image->SetBounds(0, 0, image->Picture().Width(), image->Picture().Height());
    view.HorzScrollBar().SetRange(view.Image1->Picture().Width());
    view.VertScrollBar().SetRange(view.Image1->Picture().Height());

    if (loaded) {
        for (TArrangement docked : {TArrangement::Under, TArrangement::Right})
            FitBars(Pane(docked), TBarFit::NewPicture, TFirstBar::Horizontal);
        return;
    }
    for (const TViewerPane& pane : Panes()) {
        pane.SetParts(NoticePart | ProductNamePart, PicturePart);
        pane.notice->SetCaption(NoData);
    }
}

// The media panels show before the file is opened, so a file the player refuses leaves them
// shown in their previous state.
void TImageForm::ShowMedia()
{
    ShowPaneParts(MediaPart, (ContentParts & ~MediaPart) | RichEditPart, TWindowScroll::Fixed);
    UnderMediaPlay->Close();
    UnderMediaPlay->SetFileName(m_process.CurrentPath);
    // Video is drawn on the pane of the current arrangement.
    if (const TArrangement arrangement = CurrentArrangement(); arrangement != TArrangement::None)
        UnderMediaPlay->SetDisplay(Pane(arrangement).surface);
    UnderMediaPlay->Open();
    U_MidiPlayClick(this);
}

void TImageForm::ShowHtml()
{
    Tview& view = *m_process.view;
    ShowPaneParts(HtmlPart, (ContentParts & ~HtmlPart) | RichEditPart, TWindowScroll::Fixed);
    view.HTML->SetBounds(0, 0, view.ClientWidth(), view.ClientHeight());
    // The address keeps the path's backslashes as they stand.
    if (const TArrangement arrangement = CurrentArrangement(); arrangement != TArrangement::None)
        Pane(arrangement).html->RequestDoc("file:///" + m_process.CurrentPath);
}

void TImageForm::ShowSystem()
{
    ShowNotice(SystemFile);
}

// A named pipe, a socket or a device is not read: reading could wait without end or never end.
void TImageForm::ShowSpecial()
{
    ShowNotice(SpecialFile);
}

// A notice alone in place of the file's content.
void TImageForm::ShowNotice(const char* notice)
{
    ShowPaneParts(NoticePart, (ContentParts & ~NoticePart) | RichEditPart, TWindowScroll::Fixed);
    for (const TViewerPane& pane : Panes())
        pane.notice->SetCaption(notice);
}

void TImageForm::ShowText(TTextKind kind, int unlistedFiles)
{
    Tview& view = *m_process.view;
    ShowPaneParts(0, ContentParts, TWindowScroll::Fixed);
    view.HorzScrollBar().SetRange(0);
    view.VertScrollBar().SetRange(0);
    view.RichEdit1->SetBounds(0, 0, view.ClientWidth(), view.ClientHeight());
    HorzScrollBar().SetRange(0);
    VertScrollBar().SetRange(0);

    const std::array<TViewerPane, 3> panes = Panes();
    if (kind != TTextKind::Unlisted) {
        m_process.PictureShown = 0;
        for (const TViewerPane& pane : panes) {
            TRichEdit& edit = *pane.richEdit;
            if (kind == TTextKind::Rich) {
                edit.SetPlainText(false);
            } else {
                edit.DefAttributes().SetColor(pane.plainTextColor);
                edit.DefAttributes().SetSize(9);
            }
            pane.SetParts(RichEditPart, 0);
        }
        if (const TArrangement arrangement = CurrentArrangement(); arrangement != TArrangement::None)
            Pane(arrangement).richEdit->Lines().LoadFromFile(m_process.CurrentPath);
        return;
    }
    // Unlisted types: shown as text is decided before, so only the refusal is left.
    if (unlistedFiles == UnlistedRefused) {
        for (const TViewerPane& pane : panes) {
            pane.SetParts(NoticePart | ProductNamePart, RichEditPart);
            pane.notice->SetCaption(NotForDisplay);
        }
    }
}

}  // namespace orvane
