#pragma once

#include "app/Process.h"
#include "toolkit/Form.h"
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

    void FormCreate(tk::TObject* sender);
    void FormShow(tk::TObject* sender);
    void FormClose(tk::TObject* sender, tk::TCloseAction& action);

private:
    void CreateComponents();

    Process& m_process;
};

}  // namespace orvane
