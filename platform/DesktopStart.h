#pragma once

// A start from the desktop's menu. Started in a terminal, the program keeps its settings files
// and its cache folder in the folder it was started in, which the user chose; started from the
// menu, that folder is whatever the launcher left (usually the home folder), and files written
// there would litter it. The menu entry says so with an option, and the program then keeps its
// settings in $XDG_CONFIG_HOME/orvane, its cache in $XDG_CACHE_HOME/orvane/View, and lists the
// home folder first.

#include "platform/XdgDirs.h"

#include <optional>
#include <string>

namespace platform {

class Host;

// The option of the menu entry's command line.
inline constexpr const char* DesktopStartOption = "--desktop";

// Whether the command line carries the menu entry's option. Nothing else on it is read.
bool AsksForDesktopStart(int argc, const char* const* argv);

// The host folders of a start from the menu; none where the environment names no absolute home
// folder, and the program then keeps to its start folder.
struct DesktopFolders {
    std::string home;
    std::string settings;  // $XDG_CONFIG_HOME/orvane
    std::string cache;     // $XDG_CACHE_HOME/orvane/View
};
std::optional<DesktopFolders> DesktopFoldersOf(const XdgDirs& dirs);

// Makes the settings folder and the cache folder's parent where missing (readable by the user
// only), gives them to the host and makes the home folder the current one. A folder that cannot
// be made is named on standard error; the program still keeps to these folders, as the user's
// home is not the place for its files. False where there is no home folder to start in.
bool StartFromDesktop(Host& host, const XdgDirs& dirs);

}  // namespace platform
