#pragma once

#include "app/Process.h"
#include "browser/FileList.h"
#include "capture/CaptureCache.h"
#include "settings/SettingsValues.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/Html.h"
#include "toolkit/Image.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/RichEdit.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Timer.h"
#include "viewers/Panes.h"
#include "viewers/Viewers.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class TSettingsStore;

// The main window: a top band with the menu captions, info bar, drive box and title mark; below
// it the folder tree and file list, and the two docked viewer panes, cut apart by thin doors.
class TImageForm : public tk::TForm {
public:
    TImageForm(tk::TComponent* owner, Process& process);
    ~TImageForm() override;

    // The text that starts every caption naming a folder or file.
    std::string CaptionPrefix;

    tk::TPanel* UpperView = nullptr;
    tk::TPanel* MenuPanel = nullptr;
    tk::TPanel* PanelInfo = nullptr;
    // The info bar's three fields: size, type and time, each a caption and its value.
    tk::TPanel* PanelFsize = nullptr;
    tk::TPanel* PanelFshurui = nullptr;
    tk::TPanel* PanelFday = nullptr;
    tk::TPanel* InfoButton = nullptr;
    tk::TPanel* DirBox = nullptr;
    tk::TPanel* DirButton = nullptr;
    tk::TPanel* Mark = nullptr;
    tk::TLabel* MarkTitle = nullptr;
    tk::TPanel* SortButton = nullptr;
    // The info bar: the selected file's size, type and time, each after its fixed caption.
    tk::TLabel* Label3 = nullptr;
    tk::TLabel* Label4 = nullptr;
    tk::TLabel* Label5 = nullptr;
    tk::TLabel* Label6 = nullptr;
    tk::TLabel* Label7 = nullptr;
    tk::TLabel* Label8 = nullptr;
    tk::TLabel* Label9 = nullptr;
    tk::TPanel* UpDoor = nullptr;
    tk::TPanel* MainPanel = nullptr;
    tk::TPanel* CenterDoor = nullptr;
    tk::TPanel* RightDoor = nullptr;
    tk::TPanel* RightView = nullptr;
    tk::TPanel* DownDoor = nullptr;
    tk::TPanel* UnderView = nullptr;
    tk::TTimer* Timer1 = nullptr;
    tk::TTimer* Timer2 = nullptr;

    // The folder tree, the drive box and the file list with its image lists.
    tk::TDirectoryListBox* DirectoryListBox1 = nullptr;
    tk::TDriveComboBox* DriveComboBox2 = nullptr;
    tk::TListView* ListView1 = nullptr;
    // A hidden list that grows with the file list, as the program's sort always had it.
    tk::TListView* ListView2 = nullptr;
    // The working lists of the file list (16 and 32 pixels) and the master lists of the built-in
    // icons they are reset from.
    tk::TImageList* ImageList1 = nullptr;
    tk::TImageList* ImageList2 = nullptr;
    tk::TImageList* ImageList3 = nullptr;
    tk::TImageList* ImageList4 = nullptr;

    // The panel menus: four caption panels and their drop-downs, whose items are panels; the
    // check images mark the current choices.
    tk::TPanel* PanelFile = nullptr;
    tk::TPanel* PanelView = nullptr;
    tk::TPanel* PanelTool = nullptr;
    tk::TPanel* PanelHelp = nullptr;
    tk::TPanel* MenuFile = nullptr;
    tk::TPanel* Option = nullptr;
    tk::TPanel* FClose = nullptr;
    tk::TPanel* FView = nullptr;
    tk::TPanel* FBunri = nullptr;
    tk::TPanel* FUnder = nullptr;
    tk::TPanel* FRight = nullptr;
    tk::TPanel* FTool = nullptr;
    tk::TPanel* FTol = nullptr;
    tk::TPanel* Fseiretu = nullptr;
    tk::TPanel* Fsort = nullptr;
    tk::TPanel* FHelp = nullptr;
    tk::TPanel* Help = nullptr;
    tk::TPanel* FHp = nullptr;
    tk::TPanel* ViewFile = nullptr;
    tk::TPanel* ListView = nullptr;
    tk::TPanel* SIconView = nullptr;
    tk::TPanel* LIconView = nullptr;
    tk::TPanel* ViewSeiretu = nullptr;
    tk::TPanel* SortFilename = nullptr;
    tk::TPanel* SortShurui = nullptr;
    tk::TPanel* SortDay = nullptr;
    tk::TPanel* SortSize = nullptr;
    tk::TPanel* SortMethod = nullptr;
    tk::TPanel* Asort = nullptr;
    tk::TPanel* Zsort = nullptr;
    tk::TImage* Image1 = nullptr;
    tk::TImage* Image2 = nullptr;
    tk::TImage* Image3 = nullptr;
    tk::TImage* Image6 = nullptr;
    tk::TImage* Image7 = nullptr;
    tk::TImage* Image8 = nullptr;
    tk::TImage* Image9 = nullptr;
    tk::TImage* Image10 = nullptr;
    tk::TImage* Image11 = nullptr;
    tk::TImage* Image12 = nullptr;
    tk::TImage* Image13 = nullptr;
    tk::TImage* Image14 = nullptr;
    // The viewer panes below and right of the list: a picture panned by the pane's own scroll
    // bars, two notice labels, the HTML control and the media panel.
    tk::TImage* UImage = nullptr;
    tk::TLabel* ULabel = nullptr;
    tk::TLabel* ULabel2 = nullptr;
    tk::TRichEdit* URichEdit = nullptr;
    tk::TScrollBar* UScrollBarY = nullptr;
    tk::TScrollBar* UScrollBarX = nullptr;
    // The one media player of all three arrangements; only its display changes.
    tk::TMediaPlayer* UnderMediaPlay = nullptr;
    tk::THTML* U_HTML = nullptr;
    tk::TPanel* U_Midi = nullptr;
    tk::TButton* U_MidiPlay = nullptr;
    tk::TButton* U_MidiStop = nullptr;
    tk::TLabel* U_MidiStatus = nullptr;
    tk::TImage* RImage = nullptr;
    tk::TLabel* RLabel = nullptr;
    tk::TLabel* RLabel2 = nullptr;
    tk::TRichEdit* RRichEdit = nullptr;
    tk::TScrollBar* RScrollBarX = nullptr;
    tk::TScrollBar* RScrollBarY = nullptr;
    tk::TPanel* R_Midi = nullptr;
    tk::TButton* R_MidiPlay = nullptr;
    tk::TButton* R_MidiStop = nullptr;
    tk::TLabel* R_MidiStatus = nullptr;
    tk::THTML* R_HTML = nullptr;

    // The sort buttons on SortButton.
    tk::TButton* Sfname = nullptr;
    tk::TButton* Sfshurui = nullptr;
    tk::TButton* Sfday = nullptr;
    tk::TButton* Sfsize = nullptr;
    tk::TButton* Sfupdn = nullptr;

    // The settings store: hidden labels whose captions hold every setting as text, and the grids
    // of the capture list, the text list and the icon cache. Users read them when they need them.
    tk::TPanel* Datas = nullptr;
    tk::TLabel* WaitTime = nullptr;
    tk::TLabel* CapH = nullptr;
    tk::TLabel* CapW = nullptr;
    tk::TLabel* CapGetCol = nullptr;
    tk::TLabel* CapMessage = nullptr;
    tk::TLabel* ETCtype = nullptr;
    tk::TLabel* FileView = nullptr;
    tk::TLabel* SortFile = nullptr;
    tk::TLabel* ViewSet = nullptr;
    tk::TLabel* SeFile = nullptr;
    tk::TLabel* MenuBar = nullptr;
    tk::TLabel* InfoBar = nullptr;
    tk::TLabel* CashDir = nullptr;
    tk::TLabel* CashSize = nullptr;
    tk::TLabel* CapW_Max = nullptr;
    tk::TLabel* CapH_Max = nullptr;
    tk::TLabel* CPath = nullptr;
    tk::TLabel* IconCount = nullptr;
    tk::TLabel* MenuView = nullptr;
    tk::TStringGrid* CapNames = nullptr;
    tk::TStringGrid* TextNames = nullptr;
    tk::TStringGrid* IconList = nullptr;
    // The door positions of the layout, as decimal captions.
    tk::TLabel* UpDoorData = nullptr;
    tk::TLabel* RightDoorData = nullptr;
    tk::TLabel* DownDoorData = nullptr;

    void FormCreate(tk::TObject* sender);
    void FormShow(tk::TObject* sender);
    void FormClose(tk::TObject* sender, tk::TCloseAction& action);
    void DirectoryListBox1Change(tk::TObject* sender);

    // The layout of the window's rectangles, re-cut on every resize.
    void FormResize(tk::TObject* sender);
    void FitPictureScrollBars();
    // The top band's three heights, in rows of 25 pixels: none, the menu captions alone, and the
    // menu captions above the info bar and drive box.
    static constexpr int NoBand = 0;
    static constexpr int MenuBand = 25;
    static constexpr int MenuAndInfoBand = 50;
    // Moves the top band's boundary by dy and snaps it to one of the band's heights; only while the
    // boundary is being dragged (its drag flag is 1).
    void SnapUpDoor(int dy);
    // The title crawls through the mark panel.
    void Timer1Timer(tk::TObject* sender);

    // The doors and grips: pressing one starts a drag, moving it while pressed moves it and
    // re-cuts what borders on it, releasing it ends the drag.
    void CenterDoorMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void RightDoorMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void DownDoorMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void UpDoorMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void InfoButtonMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void DirButtonMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void RightDoorClick(tk::TObject* sender);

    // The viewer pane of an arrangement: the detached window's or one of the two docked ones; the
    // pane of TArrangement::None has no parts.
    TViewerPane Pane(TArrangement arrangement) const;
    // The arrangement whose pane shows the selected file: the one the View menu's check marks.
    TArrangement CurrentArrangement() const;

    // The three viewer arrangements: the detached window, the pane below the list, the pane to
    // its right. Each re-cuts the window for itself and shows the selected file again.
    void ShowSeparateView();
    void ShowUnderView();
    void ShowRightView();
    void FBunriClick(tk::TObject* sender);
    void FUnderClick(tk::TObject* sender);
    void FRightClick(tk::TObject* sender);

    // Starts the application of the selected row's file type with the file; Enter does the same.
    void ListView1DblClick(tk::TObject* sender);
    void ListView1KeyUp(tk::TObject* sender, uint16_t& key, tk::TShiftState shift);

    // The capture timer: copies the foreground window into the cache as the document's picture.
    void Timer2Timer(tk::TObject* sender);
    tk::TImage* GetImage = nullptr;
    // The picture file in the cache of the document whose path was flattened into one name.
    std::string CaptureFileOf(const std::string& flattenedPath) const;

    // The path of an entry of the folder the list shows.
    std::string PathInCurrentFolder(const std::string& name) const;

    // Keeps the cache folder's pictures within the size limit by deleting the oldest.
    void TrimCache();

    // Shows the selected file in the viewer of the current arrangement.
    void ListView1Click(tk::TObject* sender);
    // A hidden 32 x 32 background that the icon of a program is drawn on.
    tk::TImage* BackBmp = nullptr;

    // Rebuilds the file list from the current folder.
    void ListFolder();
    // Finds the icon of a file type that is not one of the fixed ones and gives it to the row.
    void ResolveIcon(const std::string& extension, const std::string& name, int row);

    // Closes the open drop-down menus and ends menu mode.
    void CloseMenus();
    // Hides the drop-downs of the captions, the tool menu's second level, or both.
    enum class TDropDowns { FirstLevel, SecondLevel, Both };
    void HideDropDowns(TDropDowns which);
    // Paints the first-level items in their normal colours.
    void ResetMenuItemColors();
    // The captions of the panel menus: entering one raises it (or, in menu mode, opens its
    // drop-down); a click opens or closes its drop-down.
    void PanelFileMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void PanelViewMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void PanelToolMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void PanelHelpMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void PanelFileClick(tk::TObject* sender);
    void PanelViewClick(tk::TObject* sender);
    void PanelToolClick(tk::TObject* sender);
    void PanelHelpClick(tk::TObject* sender);
    // Moving on to the work area (the list, the tree, the info fields, the sort buttons) closes
    // the drop-downs; moving over the info band lowers the captions outside menu mode.
    void MenuPanelMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    void PanelInfoMouseMove(tk::TObject* sender, tk::TShiftState shift, int x, int y);
    // The File and Help commands.
    void OptionClick(tk::TObject* sender);
    void FCloseClick(tk::TObject* sender);
    void FHpClick(tk::TObject* sender);
    // Clicks on the window's surfaces close the menus.
    void FormClick(tk::TObject* sender);
    void RRichEditMouseDown(tk::TObject* sender, tk::TMouseButton button, tk::TShiftState shift, int x, int y);

    // Sound and video: play and stop from any of the three media panels, which always show the
    // same state; the player's notice at the end of a playing stops it again.
    void U_MidiPlayClick(tk::TObject* sender);
    void U_MidiStopClick(tk::TObject* sender);
    void UnderMediaPlayNotify(tk::TObject* sender);

    // Panning a picture larger than its pane.
    void UScrollBarYChange(tk::TObject* sender);
    void UScrollBarXChange(tk::TObject* sender);
    void RScrollBarYChange(tk::TObject* sender);
    void RScrollBarXChange(tk::TObject* sender);

    // The order of the file list (folders always first) and its style.
    void SortByName();
    void SortBySize();
    void SortByType();
    void SortByDate();
    void SortAscending();
    void SortDescending();
    void ToggleSortOrder();
    void SetReportStyle();
    void SetListStyle();
    void SetIconStyle();
    // The sort menu's items and the sort buttons.
    void SortFilenameClick(tk::TObject* sender);
    void SfnameClick(tk::TObject* sender);
    void SortSizeClick(tk::TObject* sender);
    void SfsizeClick(tk::TObject* sender);
    void SortShuruiClick(tk::TObject* sender);
    void SfshuruiClick(tk::TObject* sender);
    void SortDayClick(tk::TObject* sender);
    void SfdayClick(tk::TObject* sender);
    void AsortClick(tk::TObject* sender);
    void ZsortClick(tk::TObject* sender);
    void SfupdnClick(tk::TObject* sender);
    void ListViewClick(tk::TObject* sender);
    void SIconViewClick(tk::TObject* sender);
    void LIconViewClick(tk::TObject* sender);

    // The settings files in the start folder: the window positions (TavoCust2.cnf) and the
    // settings (TavoCust.cnf), read and written by the settings store.
    TSettingsStore& Settings() const { return *m_settings; }
    void PrepareSettingsGrids();
    void ReadWindowPositions();
    void ReadSettings();
    void WriteWindowPositions();
    // The OK step of the settings dialog: writes TavoCust.cnf from the dialog's values, stores
    // them and applies them. When the file cannot be written nothing is stored; false then, with
    // the system's reason in `reason` when it is given.
    bool StoreSettings(const TSettingsValues& values, std::string* reason = nullptr);
    // Applies the stored settings to the window.
    void Ini();

private:
    void CreateComponents();
    void CreateDatas();
    void CreateMenus();
    void CreatePanes();
    void BindMenuStateHandlers();
    void BindDoorHandlers();
    void BindMenuBarHandlers();
    void EnterCaption(tk::TPanel* caption, int menuNumber);
    void ClickCaption(tk::TPanel* caption);
    // Lights the item (none: null) and paints the others in their normal colours.
    void Highlight(tk::TPanel* item, const std::vector<tk::TPanel*>& normal);
    tk::TPanel* DropDownOf(tk::TPanel* caption) const;
    void PlaceDropDown(tk::TPanel* caption);
    void OpenSecondLevel(tk::TPanel* item, tk::TPanel* dropDown);
    tk::TImage* CheckOf(TArrangement arrangement) const;
    void MarkArrangement(TArrangement arrangement);
    void ShowArrangement(TArrangement arrangement);
    void BindSortingHandlers();

    Process& m_process;
    // The file list: listing, icons, order and style, and starting applications.
    std::unique_ptr<TFileList> m_files;
    // The disk cache of captured windows, made once the components it works with are.
    std::unique_ptr<TCaptureCache> m_capture;
    // Showing the selected file in the panes, and its sound and video.
    std::unique_ptr<TViewers> m_viewers;
    // The settings store over the hidden settings panel, made once its labels are.
    std::unique_ptr<TSettingsStore> m_settings;
};

}  // namespace orvane
