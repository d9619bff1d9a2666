#pragma once

// The file list as one object: it lists the current folder into the list view with an icon for
// every row, keeps the rows in the chosen order and style, and starts the application of a file.
// It is given the components it works with and reports outward only through its services; the
// main window's handlers forward to it.

#include "browser/IconRows.h"
#include "browser/Icons.h"
#include "browser/RowOrder.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Grids.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/StdCtrls.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace platform {
class Host;
class IIcons;
}  // namespace platform

namespace orvane {

class TFileList {
public:
    // The components of the list.
    struct Parts {
        tk::TListView& list;           // ListView1
        tk::TListView& staging;        // ListView2: grows with the list, as the sort always had it
        tk::TDirectoryListBox& tree;   // DirectoryListBox1: the current folder
        // ImageList1 and ImageList2: the icons of this listing; ImageList3 and ImageList4: the
        // built-in icons every listing starts from.
        tk::TImageList& smallIcons;
        tk::TImageList& largeIcons;
        tk::TImageList& smallBuiltIn;
        tk::TImageList& largeBuiltIn;
        tk::TLabel& iconCount;         // IconCount: the images in the working lists
        tk::TStringGrid& iconCache;    // IconList: the extension of each resolved image
    };
    // The current order and style are the marks the menus show beside them, and the sort button
    // in red: the list reads and sets them there.
    struct Choices {
        tk::TImage& byName;  // Image6 to Image9
        tk::TImage& byType;
        tk::TImage& byDate;
        tk::TImage& bySize;
        tk::TButton& nameButton;  // Sfname, Sfshurui, Sfday, Sfsize
        tk::TButton& typeButton;
        tk::TButton& dateButton;
        tk::TButton& sizeButton;
        tk::TImage& ascending;  // Image13, Image14
        tk::TImage& descending;
        tk::TImage& report;  // Image10 to Image12
        tk::TImage& smallIcons;
        tk::TImage& largeIcons;
        // The second-level drop-downs a choice closes: ViewSeiretu, SortMethod, ViewFile.
        tk::TPanel& orderMenu;
        tk::TPanel& directionMenu;
        tk::TPanel& styleMenu;
    };
    // The process-wide values the list keeps: the rows of the last listing and the order.
    struct State {
        int& listedCount;
        TSortKey& sortKey;
        TSortDirection& sortDirection;
        const char& dateSeparator;
    };
    struct Services {
        platform::Host& host;
        // Where icons come from; read at each use, since a test may give the process another.
        platform::IIcons* const& icons;
        // Called before each listing (the folder watch follows the listed folder).
        std::function<void()> listing;
        // Closes the menus after a choice.
        std::function<void()> closeMenus;
        // Before a start, and after one that succeeded with the extension it was started for.
        std::function<void()> launching;
        std::function<void(const std::string& extension)> started;
        // Shows a message box: text, caption, flags.
        std::function<void(const std::string&, const std::string&, unsigned)> messageBox;
    };

    TFileList(Parts parts, Choices choices, State state, Services services);

    // The built-in icons, made once at start from the system library and the file types.
    void BuildFixedIcons();
    // Rebuilds the rows from the current folder, in the chosen order and style.
    void ListFolder();
    // Lists the folder again where it changed on disk: the selected row stays selected.
    void ListAgain();
    // Finds the icon of a file type that is not one of the fixed ones and gives it to the row.
    void ResolveIcon(const std::string& extension, const std::string& name, int row);
    // The path of an entry of the current folder.
    std::string PathInCurrentFolder(const std::string& name) const;

    void SortByName();
    void SortBySize();
    void SortByType();
    void SortByDate();
    void SortAscending();
    void SortDescending();
    void ToggleSortOrder();
    void SetReportStyle();
    // The menu says small icons, but the style is the list style.
    void SetListStyle();
    void SetIconStyle();

    // Starts the application of the selected row's file type with the file; a folder that has
    // none is opened instead.
    void LaunchSelected();

private:
    void SortByKey(TSortKey key, tk::TImage& check, tk::TButton& button);
    void SortInDirection(TSortDirection direction, tk::TImage& check, tk::TImage& other);
    void SetStyle(tk::TImage& check, tk::TViewStyle style);
    void Resort();

    Parts m_parts;
    Choices m_choices;
    State m_state;
    Services m_services;
    // Beside the icon cache grid: the first row of each extension (ASCII letters folded) it holds,
    // so that a lookup need not scan the grid. The grid stays the truth: the index is made again
    // from the grid when the grid's cells have changed since the index last matched them
    // (m_iconGridChanges, the grid's count then).
    IconRows m_iconRows;
    uint64_t m_iconGridChanges = 0;
    // The icons this listing has extracted from the places DefaultIcon values name (a path and a
    // number; null where none came out): the desktop's types share a few dozen theme pictures, so
    // a folder of a thousand types reads and decodes each once.
    std::map<std::pair<std::string, int>, std::optional<ListedIcon>> m_extractedIcons;
};

}  // namespace orvane
