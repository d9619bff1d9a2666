#pragma once

// Folders of many entries for the listing benchmarks, made once per size and removed at the end:
// every tenth entry a folder, the rest files of twenty types, one in a hundred of them programs.

#include "tests/TempTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <map>
#include <string>

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
