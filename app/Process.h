#pragma once

// The process-wide values of the program, kept in one object so that a test can make a fresh
// process: the form instances, the paths shared between the viewer and the launcher, and the
// menu and sort state that every window reads.

#include "host/HostFolders.h"
#include "host/HostMedia.h"
#include "graphics/PictureFormats.h"
#include "platform/IconExtractor.h"
#include "browser/FolderFollower.h"
#include "host/HostTextFiles.h"
#include "browser/RowOrder.h"

#include "toolkit/Application.h"

#include <string>

namespace platform {
class Host;
}

namespace orvane {

class TImageForm;
class Tview;
class TVerForm;
class TCust;
class TSerch;
class TSettingsStore;

struct Process {
    Process(tk::TApplication& application, platform::Host& host);

    tk::TApplication& Application;
    platform::Host& Host;
    // The folders of the drives, as the folder list and the drive box read them.
    HostFolders Folders{Host};
    // Picture files for the picture components; metafiles are drawn by the back end's renderer, so the
    // process is made after the back end has given the application its services.
    graphics::PictureFormats Pictures;
    // The icons of files, from the files themselves and the desktop's icon theme.
    platform::IconExtractor IconFiles;
    // Where the file list takes icons from; a test may give it another source.
    platform::IIcons* Icons = &IconFiles;
    // The files that the rich edits load.
    HostTextFiles TextFiles{Host};
    // Sound and video through the desktop's media device; the probe gives the application its own.
    HostMedia Media{Host, Application};
    tk::IMediaSystem* MediaSystem = &Media;

    TImageForm* ImageForm = nullptr;
    Tview* view = nullptr;
    TVerForm* VerForm = nullptr;
    TCust* Cust = nullptr;
    TSerch* Serch = nullptr;
    // The settings store of the main window, which the settings dialog reads and writes.
    TSettingsStore* Settings = nullptr;

    // Lists the shown folder again when other programs change it.
    FolderFollower Follower{Application};

    // The number of rows the last listing produced.
    int ListedCount = 0;
    std::string CurrentPath;
    std::string CaptureFileName;
    int PictureShown = 0;
    int MenuMode = 0;
    // The menu caption the pointer last entered (one of the numbers below), NoMenu after the
    // menus closed.
    int HoveredMenu = 0;
    static constexpr int NoMenu = 0;
    static constexpr int FileMenu = 1;
    static constexpr int ViewMenu = 3;
    static constexpr int ToolMenu = 4;
    static constexpr int HelpMenu = 5;
    TSortKey SortKey = TSortKey::Name;
    TSortDirection SortDirection = TSortDirection::Ascending;
    int Cust_1 = 0;
    int Cust_2 = 0;
    int Cust_3 = 0;
    int Cust_4 = 0;
    int Cust_5 = 0;
    int Cust_6 = 0;
    int Cust_7 = 0;
    // The drag flags of the doors and grips: 1 while one is being dragged.
    struct DragFlags {
        int CenterDoor = 0;
        int RightDoor = 0;
        int DownDoor = 0;
        int UpDoor = 0;
        int InfoButton = 0;
        int DirButton = 0;
    } DragFlag;
    // The separator the date texts put between year, month and day.
    char DateSeparator = '/';
};

// The process entry: sets the application title, creates the five windows in their order and
// runs the message loop until the main window closes.
void RunProcess(Process& process);

}  // namespace orvane
