#pragma once

// The folders the freedesktop standards search, from the XDG_* variables of the environment
// and their documented defaults. Host paths in UTF-8, the most important first.

#include <string>
#include <vector>

namespace platform {

struct XdgDirs {
    std::string home;
    std::string dataHome;                  // $XDG_DATA_HOME, else ~/.local/share
    std::vector<std::string> dataDirs;     // $XDG_DATA_DIRS, else /usr/local/share, /usr/share
    std::string configHome;                // $XDG_CONFIG_HOME, else ~/.config
    std::vector<std::string> configDirs;   // $XDG_CONFIG_DIRS, else /etc/xdg
    std::string cacheHome;                 // $XDG_CACHE_HOME, else ~/.cache
    std::vector<std::string> desktops;     // $XDG_CURRENT_DESKTOP's names, lower-cased

    static XdgDirs FromEnvironment();

    // The data folders, the user's first: dataHome, then dataDirs.
    std::vector<std::string> DataSearchPath() const;
    // Each data folder with `sub` appended ("mime", "applications", "icons").
    std::vector<std::string> DataFolders(const std::string& sub) const;
};

}  // namespace platform
