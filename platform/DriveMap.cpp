#include "platform/DriveMap.h"

#include "platform/CodePage.h"
#include "dos/DosPath.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {
std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The path's remainder below root, or none when root does not hold it.
std::optional<std::string> Below(const std::string& root, const std::string& path)
{
    if (root == "/")
        return path.empty() || path[0] != '/' ? std::nullopt : std::optional(path.substr(1));
    if (path.compare(0, root.size(), root) != 0)
        return std::nullopt;
    if (path.size() == root.size())
        return std::string();
    if (path[root.size()] != '/')
        return std::nullopt;
    return path.substr(root.size() + 1);
}
}  // namespace

namespace {
// The folders directly below `folder` that are mount points of their own (another device).
std::vector<std::string> MountedBelow(const std::string& folder)
{
    std::vector<std::string> mounts;
    struct stat parent;
    if (stat(folder.c_str(), &parent) != 0)
        return mounts;
    DIR* directory = opendir(folder.c_str());
    if (!directory)
        return mounts;
    while (dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "/" + name;
        struct stat info;
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_dev != parent.st_dev)
            mounts.push_back(path);
    }
    closedir(directory);
    std::sort(mounts.begin(), mounts.end());
    return mounts;
}
}  // namespace

DriveMap DriveMap::Default()
{
    DriveMap map;
    const char* home = std::getenv("HOME");
    if (home && *home == '/')
        map.Map('C', home);
    map.Map('Z', "/");
    std::vector<std::string> removable;
    const char* user = std::getenv("USER");
    for (std::string folder : {std::string("/media"), std::string("/run/media"), std::string("/mnt")}) {
        if (user && *user && folder != "/mnt")
            for (const std::string& mount : MountedBelow(folder + "/" + user))
                removable.push_back(mount);
        for (const std::string& mount : MountedBelow(folder))
            removable.push_back(mount);
    }
    map.MapRemovable(removable);
    return map;
}

void DriveMap::MapRemovable(const std::vector<std::string>& mountPoints)
{
    char letter = 'D';
    for (const std::string& mount : mountPoints) {
        while (letter < 'Z' && m_roots.contains(letter))
            ++letter;
        if (letter >= 'Z')
            return;
        Map(letter, mount);
    }
}

void DriveMap::Map(char letter, const std::string& hostRoot)
{
    letter = dos::AsciiUpper(letter);
    if (letter < 'A' || letter > 'Z' || hostRoot.empty() || hostRoot[0] != '/')
        return;
    m_roots[letter] = WithoutTrailingSlash(hostRoot);
}

std::optional<std::string> DriveMap::ToDos(const std::string& hostPath) const
{
    std::string path = WithoutTrailingSlash(hostPath);
    std::optional<char> best;
    std::string rest;
    size_t bestLength = 0;
    for (const auto& [letter, root] : m_roots) {
        auto below = Below(root, path);
        if (below && (!best || root.size() > bestLength)) {
            best = letter;
            bestLength = root.size();
            rest = *below;
        }
    }
    if (!best)
        return std::nullopt;
    std::string dos = std::string(1, *best) + ":\\";
    size_t start = 0;
    while (start < rest.size()) {
        size_t slash = rest.find('/', start);
        size_t end = slash == std::string::npos ? rest.size() : slash;
        if (end > start) {
            dos = dos::JoinPath(dos, HostNameToCp932(std::string_view(rest).substr(start, end - start)));
        }
        start = end + 1;
    }
    return dos;
}

std::optional<std::string> DriveMap::ToHost(const std::string& dosPath) const
{
    if (dosPath.size() < 2 || dosPath[1] != ':')
        return std::nullopt;
    char letter = dosPath[0];
    letter = dos::AsciiUpper(letter);
    auto it = m_roots.find(letter);
    if (it == m_roots.end())
        return std::nullopt;
    // Separators become slashes; the second byte of a double-byte character is none.
    std::string rest;
    for (const std::string& part : dos::PathParts(std::string_view(dosPath).substr(2)))
        rest += "/" + part;
    std::string host = it->second;
    std::string tail = Cp932ToUtf8(rest);
    while (!tail.empty() && tail[0] == '/')
        tail.erase(0, 1);
    if (!tail.empty())
        host += (host == "/" ? "" : "/") + tail;
    return WithoutTrailingSlash(host);
}

}  // namespace platform
