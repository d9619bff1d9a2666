#include "app/ImageForm.h"

#include "common/Numbers.h"
#include "browser/FileRows.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "settings/SettingsStore.h"
#include "toolkit/Application.h"
#include "app/View.h"
#include "viewers/Viewers.h"

namespace orvane {

using namespace tk;

TImageForm::TImageForm(TComponent* owner, Process& process) : TForm(owner), m_process(process)
{
    CreateComponents();
    auto messageBox = [this](const std::string& text, const std::string& caption, unsigned flags) {
        Application()->MessageBox(text, caption, flags);
    };
    m_capture = std::make_unique<TCaptureCache>(
        TCaptureCache::Parts{*CashDir, *CashSize, *CapW, *CapH, *CapMessage, *GetImage, *Mark, *Timer2, *WaitTime,
                             *CapNames},
        m_process.Host, messageBox);
    m_files = std::make_unique<TFileList>(
        TFileList::Parts{*ListView1, *ListView2, *DirectoryListBox1, *ImageList1, *ImageList2, *ImageList3, *ImageList4,
                         *IconCount, *IconList},
        TFileList::Choices{*Image6, *Image7, *Image8, *Image9, *Sfname, *Sfshurui, *Sfday, *Sfsize, *Image13, *Image14,
                           *Image10, *Image11, *Image12, *ViewSeiretu, *SortMethod, *ViewFile},
        TFileList::State{m_process.ListedCount, m_process.SortKey, m_process.SortDirection, m_process.DateSeparator},
        TFileList::Services{
            .host = m_process.Host,
            .icons = m_process.Icons,
            .listing = [this] { m_process.Follower.WatchCurrentFolder(); },
            .closeMenus = [this] { CloseMenus(); },
            .launching = [this] { m_capture->Prepare(m_process.CurrentPath, m_process.CaptureFileName); },
            .started = [this](const std::string& extension) { m_capture->Arm(extension); },
            .messageBox = messageBox,
        });
    m_process.Follower.OnChange = [this] { m_files->ListAgain(); };
    m_viewers = std::make_unique<TViewers>(
        TViewers::Parts{*this, *UnderMediaPlay, *BackBmp, *ImageList2, *ETCtype, *CapNames, *TextNames},
        TViewers::State{m_process.CurrentPath, m_process.PictureShown},
        TViewers::Services{
            .host = m_process.Host,
            .icons = m_process.Icons,
            .pane = [this](TArrangement arrangement) { return Pane(arrangement); },
            .current = [this] { return CurrentArrangement(); },
            .window = [this]() -> TForm& { return *m_process.view; },
        });
    m_settings = std::make_unique<TSettingsStore>(TSettingsStore::PartsOf(*this), m_process.Host, [this] { Ini(); });
    m_process.Settings = m_settings.get();
    BindSortingHandlers();
    BindMenuStateHandlers();
    BindDoorHandlers();
    BindMenuBarHandlers();
    DirectoryListBox1->OnChange = [this](TObject* sender) { DirectoryListBox1Change(sender); };
    ListView1->OnClick = [this](TObject* sender) { ListView1Click(sender); };
    ListView1->OnDblClick = [this](TObject* sender) { ListView1DblClick(sender); };
    ListView1->OnKeyUp = [this](TObject* sender, uint16_t& key, TShiftState shift) { ListView1KeyUp(sender, key, shift); };
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    Timer2->OnTimer = [this](TObject* sender) { Timer2Timer(sender); };
}

// The process's pointers to the window's subsystems go with them.
TImageForm::~TImageForm()
{
    m_process.Follower.OnChange = nullptr;
    if (m_process.Settings == m_settings.get())
        m_process.Settings = nullptr;
}

// The machine's start values go into the settings store before the settings files are read.
void TImageForm::FormCreate(TObject*)
{
    CaptionPrefix = "Orvane - ";
    SetCaption(CaptionPrefix + DirectoryListBox1->Directory());

    const platform::ScreenRect desktop = m_process.Host.Screen().DesktopRect();
    const int desktopWidth = desktop.right - desktop.left;
    const int desktopHeight = desktop.bottom - desktop.top;
    CapW_Max->SetCaption(NumberToStr(desktopWidth));
    CapH_Max->SetCaption(NumberToStr(desktopHeight));
    CapW->SetCaption(NumberToStr(desktopWidth));
    CapH->SetCaption(NumberToStr(desktopHeight));

    CPath->SetCaption(m_process.Host.SettingsFolder());
    CashDir->SetCaption(m_process.Host.DefaultCacheFolder());

    for (TImageList* list : {ImageList1, ImageList2, ImageList3, ImageList4})
        list->Clear();
    IconCount->SetCaption(NumberToStr(BuiltInIconCount));
    m_files->BuildFixedIcons();
    ListFolder();
}

void TImageForm::FormShow(TObject*)
{
    PrepareSettingsGrids();
    ReadWindowPositions();
    ReadSettings();

    // The cache folder is made when nothing exists at its path; a missing parent makes that fail,
    // and captures and trimming then find no folder.
    const platform::DriveMap& drives = m_process.Host.Drives();
    if (!platform::FindExact(drives, CashDir->Caption()))
        platform::CreateDirectory(drives, CashDir->Caption());
    TrimCache();

    m_process.view->SetCaption(CaptionPrefix + "Non");
    Ini();
}

void TImageForm::FormClose(TObject*, TCloseAction&)
{
    WriteWindowPositions();
}


// The capture cache's operations, as the window's handlers and the other subsystems call them.
std::string TImageForm::CaptureFileOf(const std::string& flattenedPath) const
{
    return m_capture->FileOf(flattenedPath);
}

void TImageForm::Timer2Timer(TObject*)
{
    m_capture->Capture(m_process.CaptureFileName);
}

void TImageForm::TrimCache()
{
    m_capture->Trim();
}

}  // namespace orvane
