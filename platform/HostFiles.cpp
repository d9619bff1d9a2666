#include "platform/HostFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::optional<std::string> ReadHostFile(const std::string& path, size_t limit)
{
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || size_t(status.st_size) > limit) {
        close(descriptor);
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    while (true) {
        ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0 || content.size() + size_t(count) > limit) {
            close(descriptor);
            return count == 0 ? std::optional(std::move(content)) : std::nullopt;
        }
        content.append(buffer, size_t(count));
    }
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
