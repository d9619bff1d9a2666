// The display kinds of the selected file. Each one shows and hides the parts of all three panes
// alike, and loads the content into the pane of the current arrangement.

#include "viewers/Viewers.h"
#include "browser/FileRows.h"
#include "graphics/Graphics.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/IconExtractor.h"
#include "common/Numbers.h"
#include "dos/DosText.h"
#include "settings/ExtensionLists.h"
#include "viewers/MoreKinds.h"

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
void SetWindowScrolling(TForm& view, bool on)
{
    view.SetAutoScroll(on);
    view.HorzScrollBar().SetVisible(on);
    view.VertScrollBar().SetVisible(on);
}

// The part of a docked pane's vertical bar that lies inside the pane.
constexpr int BarInPane = 10;

bool InTable(const std::string& extension, std::initializer_list<const char*> table)
{
    for (const char* member : table)
        if (extension == member)
            return true;
    return false;
}

// How the selected file is shown.
enum class TDisplayKind { Picture, Media, Html, System, Text };
}  // namespace

// The width a document page is drawn to: the pane's, less what its vertical bar covers, so that a
// tall page scrolls up and down only.
int TViewers::PageWidth(TArrangement arrangement)
{
    if (arrangement == TArrangement::Separate)
        return m_services.window().ClientWidth();
    return m_services.pane(arrangement).surface->ClientWidth() - BarInPane;
}

// The window's rich edit and HTML control fill it and are fitted to it again whenever its
// scrolling changes, but only while they show. The rich edit changes before the scrolling and the
// HTML control after it, as they always did, so that each keeps the size it has always kept.
//
// A video is drawn on the pane's surface, behind all its parts. A display that hides the media
// panels shows something else there, so the player stops drawing into the pane (the sound, if
// any, plays on); a media file shown again gives it its pane back.
void TViewers::ShowPaneParts(unsigned shown, unsigned hidden, TWindowScroll windowScroll)
{
    if (hidden & MediaPart)
        m_parts.player.SetDisplay(nullptr);
    const std::array<TViewerPane, 3> panes = Panes();
    for (const TViewerPane& pane : panes)
        pane.SetParts(shown & ~HtmlPart, hidden & ~HtmlPart);
    SetWindowScrolling(m_services.window(), windowScroll == TWindowScroll::Scrolls);
    for (const TViewerPane& pane : panes)
        pane.SetParts(shown & HtmlPart, hidden & HtmlPart);
}

void TViewers::ShowPicture(TPictureSource source, const std::string& extension, const std::string& captureFile)
{
    TForm& view = m_services.window();
    ShowPaneParts(PicturePart, (ContentParts & ~PicturePart) | RichEditPart, TWindowScroll::Scrolls);
    m_state.pictureShown = 1;

    const std::string& path = m_state.currentPath;
    const TArrangement arrangement = m_services.current();
    TImage* current = arrangement == TArrangement::None ? nullptr : m_services.pane(arrangement).picture;
    TImage& windowPicture = *m_services.pane(TArrangement::Separate).picture;
    TImage& underPicture = *m_services.pane(TArrangement::Under).picture;
    TImage& rightPicture = *m_services.pane(TArrangement::Right).picture;
    bool loaded = false;
    if (source != TPictureSource::File && platform::ReadWholeFile(m_services.host.Drives(), captureFile)) {
        if (current)
            current->Picture().LoadFromFile(captureFile);
        loaded = true;
    }
    if (source != TPictureSource::Capture) {
        if (extension == "EXE" || extension == "SCR") {
            std::unique_ptr<TIcon> icon = graphics::MakeIcon(m_services.icons->ExtractIcon(path, 0));
            const TIcon& shown = icon ? *icon : m_parts.largeIcons.Image(ProgramIcon);
            // All three arrangements receive the program's icon on the background.
            for (TImage* image : {&underPicture, &windowPicture, &rightPicture}) {
                image->Picture().Assign(m_parts.iconBackground.Picture());
                image->Canvas().Draw(0, 0, shown);
            }
        } else if (current) {
            current->Picture().LoadFromFile(path, PageWidth(arrangement));
        }
        loaded = true;
    }

    for (TImage* image : {&rightPicture, &underPicture})
        image->SetBounds(0, 0, image->Picture().Width(), image->Picture().Height());
    view.HorzScrollBar().SetRange(windowPicture.Picture().Width());
    view.VertScrollBar().SetRange(windowPicture.Picture().Height());

    if (loaded) {
        for (TArrangement docked : {TArrangement::Under, TArrangement::Right})
            FitBars(m_services.pane(docked), TBarFit::NewPicture, TFirstBar::Horizontal);
        return;
    }
    for (const TViewerPane& pane : Panes()) {
        pane.SetParts(NoticePart | ProductNamePart, PicturePart);
        pane.notice->SetCaption(NoData);
    }
}

// The media panels show before the file is opened, so a file the player refuses leaves them
// shown in their previous state.
void TViewers::ShowMedia()
{
    TMediaPlayer& player = m_parts.player;
    ShowPaneParts(MediaPart, (ContentParts & ~MediaPart) | RichEditPart, TWindowScroll::Fixed);
    player.Close();
    player.SetFileName(m_state.currentPath);
    // Video is drawn on the pane of the current arrangement.
    if (const TArrangement arrangement = m_services.current(); arrangement != TArrangement::None)
        player.SetDisplay(m_services.pane(arrangement).surface);
    player.Open();
    Play();
}

void TViewers::ShowHtml()
{
    TForm& view = m_services.window();
    ShowPaneParts(HtmlPart, (ContentParts & ~HtmlPart) | RichEditPart, TWindowScroll::Fixed);
    m_services.pane(TArrangement::Separate).html->SetBounds(0, 0, view.ClientWidth(), view.ClientHeight());
    // The address keeps the path's backslashes as they stand.
    if (const TArrangement arrangement = m_services.current(); arrangement != TArrangement::None)
        m_services.pane(arrangement).html->RequestDoc("file:///" + m_state.currentPath);
}

// A notice alone in place of the file's content.
void TViewers::ShowNotice(const char* notice)
{
    ShowPaneParts(NoticePart, (ContentParts & ~NoticePart) | RichEditPart, TWindowScroll::Fixed);
    for (const TViewerPane& pane : Panes())
        pane.notice->SetCaption(notice);
}

void TViewers::ShowText(TTextKind kind, int unlistedFiles)
{
    TForm& view = m_services.window();
    ShowPaneParts(0, ContentParts, TWindowScroll::Fixed);
    view.HorzScrollBar().SetRange(0);
    view.VertScrollBar().SetRange(0);
    m_services.pane(TArrangement::Separate).richEdit->SetBounds(0, 0, view.ClientWidth(), view.ClientHeight());
    m_parts.mainWindow.HorzScrollBar().SetRange(0);
    m_parts.mainWindow.VertScrollBar().SetRange(0);

    const std::array<TViewerPane, 3> panes = Panes();
    if (kind != TTextKind::Unlisted) {
        m_state.pictureShown = 0;
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
        if (const TArrangement arrangement = m_services.current(); arrangement != TArrangement::None)
            m_services.pane(arrangement).richEdit->Lines().LoadFromFile(m_state.currentPath);
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

void TViewers::Show(const std::string& name, const std::string& extension, const std::string& captureFile)
{
    const int unlistedFiles = StrToNumber(m_parts.unlistedFiles.Caption());
    // A named pipe, a socket or a device would hold the window up or never end: whatever its
    // name says, it gets a notice and is never opened. The file system is asked now rather than
    // at the listing, as the entry may have been replaced since.
    if (auto entry = platform::FindExact(m_services.host.Drives(), m_state.currentPath); entry && entry->special) {
        ShowNotice(SpecialFile);
        return;
    }

    const bool capture = ListsExtension(m_parts.captureTypes, extension);
    bool text = ListsExtension(m_parts.textTypes, extension);
    // The user's lists come first: a type listed there is shown as it says.
    const TMoreKind more = capture || text ? TMoreKind::None : MoreKindOf(extension);
    const bool picture = InTable(extension, {"BMP", "ICO", "WMF", "EMF", "EXE", "CUR", "SCR"}) ||
                         more == TMoreKind::Picture || more == TMoreKind::Page;
    const bool richText = extension == "RTF";
    const bool media = InTable(extension, {"MID", "RMI", "WAV", "AVI", "MPA"}) || more == TMoreKind::Media;
    const bool html = InTable(extension, {"HTM", "HTML", "GIF", "JPG", "JPEG"});
    const bool system = InTable(extension, {"DLL", "COM", "SYS", "OCX", "CPL", "VXD"}) && dos::AsciiUpper(name) != "CONFIG.SYS";
    if (!capture && !picture && !richText && !media && !html && !system && unlistedFiles == UnlistedAsText)
        text = true;

    // Each later rule overrides an earlier one.
    TDisplayKind kind = TDisplayKind::Text;
    if (capture || picture)
        kind = TDisplayKind::Picture;
    if (media)
        kind = TDisplayKind::Media;
    if (html)
        kind = TDisplayKind::Html;
    if (system)
        kind = TDisplayKind::System;
    switch (kind) {
    case TDisplayKind::Picture:
        ShowPicture(!picture ? TPictureSource::Capture
                    : capture ? TPictureSource::CaptureThenFile
                              : TPictureSource::File,
                    extension, captureFile);
        break;
    case TDisplayKind::Media: ShowMedia(); break;
    case TDisplayKind::Html: ShowHtml(); break;
    case TDisplayKind::System: ShowNotice(SystemFile); break;
    case TDisplayKind::Text:
        ShowText(richText ? TTextKind::Rich : text ? TTextKind::Plain : TTextKind::Unlisted, unlistedFiles);
        break;
    }
}

}  // namespace orvane
