#pragma once

#include "app/Process.h"
#include "settings/SettingsValues.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Timer.h"

#include <string>

namespace orvane {

// The main window: a top band with the menu captions, info bar, drive box and title mark; below
// it the folder tree and file list, and the two docked viewer panes, cut apart by thin doors.
class TImageForm : public tk::TForm {
public:
    TImageForm(tk::TComponent* owner, Process& process);

    // The text that starts every caption naming a folder or file.
    std::string CaptionPrefix;

    tk::TPanel* UpperView = nullptr;
    tk::TPanel* MenuPanel = nullptr;
    tk::TPanel* PanelInfo = nullptr;
    tk::TPanel* InfoButton = nullptr;
    tk::TPanel* DirBox = nullptr;
    tk::TPanel* DirButton = nullptr;
    tk::TPanel* Mark = nullptr;
    tk::TLabel* MarkTitle = nullptr;
    tk::TPanel* SortButton = nullptr;
    tk::TPanel* UpDoor = nullptr;
    tk::TPanel* MainPanel = nullptr;
    tk::TPanel* CenterDoor = nullptr;
    tk::TPanel* RightDoor = nullptr;
    tk::TPanel* RightView = nullptr;
    tk::TPanel* DownDoor = nullptr;
    tk::TPanel* UnderView = nullptr;
    tk::TTimer* Timer1 = nullptr;
    tk::TTimer* Timer2 = nullptr;

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

    // The settings files in the start folder: the window positions (TavoCust2.cnf) and the
    // settings (TavoCust.cnf).
    void PrepareSettingsGrids();
    void ReadWindowPositions();
    void ReadSettings();
    void WriteWindowPositions();
    // The OK step of the settings dialog: writes TavoCust.cnf from the dialog's values, stores
    // them and applies them. When the file cannot be written nothing is stored; false then.
    bool StoreSettings(const TSettingsValues& values);
    // Applies the stored settings to the window.
    void Ini();

private:
    void CreateComponents();
    void CreateDatas();
    std::string SettingsFilePath(const char* fileName) const;

    Process& m_process;
};

}  // namespace orvane
