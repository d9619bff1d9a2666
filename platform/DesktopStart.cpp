#include "platform/DesktopStart.h"

#include "platform/Host.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

// Makes a folder and its missing parents; the new ones readable by the user only, as the
// settings and the pictures of documents are the user's own. True when the folder is there.
bool MakeFolders(const std::string& folder, std::string& why)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            why = part + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        why = folder + ": not a folder";
        return false;
    }
    return true;
}

}  // namespace

bool AsksForDesktopStart(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i] && std::string_view(argv[i]) == DesktopStartOption)
            return true;
    return false;
}

std::optional<DesktopFolders> DesktopFoldersOf(const XdgDirs& dirs)
{
    if (dirs.home.empty() || dirs.home[0] != '/')
        return std::nullopt;
    return DesktopFolders{dirs.home, dirs.configHome + "/orvane", dirs.cacheHome + "/orvane/View"};
}

bool StartFromDesktop(Host& host, const XdgDirs& dirs)
{
    const std::optional<DesktopFolders> folders = DesktopFoldersOf(dirs);
    if (!folders) {
        std::fprintf(stderr, "orvane: no home folder (HOME); the settings stay in the start folder\n");
        return false;
    }
    std::string why;
    // The cache folder itself is made at the window's first show, like one the settings name.
    const std::string cacheParent = folders->cache.substr(0, folders->cache.rfind('/'));
    for (const std::string& folder : {folders->settings, cacheParent})
        if (!MakeFolders(folder, why))
            std::fprintf(stderr, "orvane: cannot make the folder %s\n", why.c_str());
    host.SetKeepingFolders(folders->settings, folders->cache);
    if (chdir(folders->home.c_str()) != 0)
        std::fprintf(stderr, "orvane: cannot open the home folder %s: %s\n", folders->home.c_str(),
                     std::strerror(errno));
    return true;
}

}  // namespace platform
