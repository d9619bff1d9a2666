#include "platform/HostFiles.h"

#include "platform/RegularFile.h"

#include <dirent.h>
#include <sys/stat.h>

namespace platform {

std::optional<std::string> ReadHostFile(const std::string& path, size_t limit)
{
    auto file = RegularFile::Open(path);
    if (!file)
        return std::nullopt;
    return file->ReadAll(limit);
}

bool IsHostFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool IsHostFolder(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::vector<HostEntry> ListHostFolder(const std::string& path)
{
    std::vector<HostEntry> entries;
    DIR* folder = opendir(path.c_str());
    if (!folder)
        return entries;
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
            isFolder = IsHostFolder(path + "/" + name);
        entries.push_back({std::move(name), isFolder});
    }
    closedir(folder);
    return entries;
}

}  // namespace platform
