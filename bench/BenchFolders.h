#pragma once

// Folders of many entries for the listing benchmarks, made once per size and removed at the end:
// every tenth entry a folder, the rest files of twenty types, one in a hundred of them programs.

#include "tests/TempTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace bench {

inline const char* const Extensions[] = {"txt", "bmp", "doc", "pdf", "png", "jpg", "html", "c", "h", "mp3",
                                         "zip", "gz", "xls", "rtf", "wav", "mid", "ini", "log", "csv", "exe"};

// Fills `root` (made if missing) with `count` entries.
inline void FillFolder(const std::string& root, int count)
{
    mkdir(root.c_str(), 0755);
    for (int i = 0; i < count; ++i) {
        std::string name = root + "/entry" + std::to_string(i);
        if (i % 10 == 0) {
            mkdir(name.c_str(), 0755);
            continue;
        }
        name += std::string(".") + Extensions[(i % 100 == 1) ? 19 : i % 19];
        int fd = open(name.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd >= 0) {
            if (write(fd, "data", 4) != 4)
                std::abort();
            close(fd);
        }
    }
}

// Up to `count` extensions the desktop's MIME database names (from the globs "*.ext" of its
// globs2 files), in the order they stand there; made-up ones ("t17") fill up to `count` where the
// database has fewer.
inline std::vector<std::string> DesktopExtensions(int count)
{
    std::vector<std::string> extensions;
    std::set<std::string> seen;
    std::string folders = std::getenv("XDG_DATA_DIRS") ? std::getenv("XDG_DATA_DIRS") : "";
    if (folders.empty())
        folders = "/usr/local/share:/usr/share";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::ifstream globs(folders.substr(start, end - start) + "/mime/globs2");
        for (std::string line; std::getline(globs, line) && int(extensions.size()) < count;) {
            size_t glob = line.rfind(":*.");
            if (glob == std::string::npos || line[0] == '#')
                continue;
            std::string extension = line.substr(glob + 3);
            bool plain = !extension.empty() && std::all_of(extension.begin(), extension.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
            });
            if (plain && seen.insert(extension).second)
                extensions.push_back(extension);
        }
        start = end + 1;
    }
    for (int i = 0; int(extensions.size()) < count; ++i)
        if (seen.insert("t" + std::to_string(i)).second)
            extensions.push_back("t" + std::to_string(i));
    return extensions;
}

// Fills `root` (made if missing) with `count` entries: every tenth a folder, the rest files whose
// extensions take the given ones in turn.
inline void FillTypedFolder(const std::string& root, int count, const std::vector<std::string>& extensions)
{
    mkdir(root.c_str(), 0755);
    for (int i = 0; i < count; ++i) {
        std::string name = root + "/entry" + std::to_string(i);
        if (i % 10 == 0) {
            mkdir(name.c_str(), 0755);
            continue;
        }
        name += "." + extensions[size_t(i) % extensions.size()];
        int fd = open(name.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd >= 0) {
            if (write(fd, "data", 4) != 4)
                std::abort();
            close(fd);
        }
    }
}

// A fresh temporary folder, removed with everything in it when the process ends.
inline std::string TemporaryFolder()
{
    static std::deque<TempTree> made;
    return made.emplace_back("bench").Root();
}

// A folder of `count` entries, made once per size.
inline std::string Folder(int count)
{
    static std::map<int, std::string> made;
    if (auto it = made.find(count); it != made.end())
        return it->second;
    std::string root = TemporaryFolder();
    FillFolder(root, count);
    made[count] = root;
    return root;
}

// The floor: reading the folder's names and stat-ing each, as plainly as it can be done.
inline int ReaddirStat(const std::string& root)
{
    DIR* directory = opendir(root.c_str());
    int entries = 0;
    while (dirent* entry = readdir(directory)) {
        struct stat info;
        fstatat(dirfd(directory), entry->d_name, &info, 0);
        ++entries;
    }
    closedir(directory);
    return entries;
}

}  // namespace bench
