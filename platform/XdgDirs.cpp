#include "platform/XdgDirs.h"

#include "dos/DosText.h"

#include <cstdlib>

namespace platform {

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// A single folder; relative paths are invalid and give the default.
std::string Folder(const char* name, const std::string& fallback)
{
    std::string value = Variable(name);
    return !value.empty() && value[0] == '/' ? WithoutTrailingSlash(value) : fallback;
}

// A ":"-separated list of folders; relative entries are left out, and an empty list gives the
// default.
std::vector<std::string> FolderList(const char* name, std::vector<std::string> fallback)
{
    std::vector<std::string> folders;
    std::string value = Variable(name);
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(':', start);
        if (end == std::string::npos)
            end = value.size();
        std::string folder = value.substr(start, end - start);
        if (!folder.empty() && folder[0] == '/')
            folders.push_back(WithoutTrailingSlash(folder));
        start = end + 1;
    }
    return folders.empty() ? fallback : folders;
}

}  // namespace

XdgDirs XdgDirs::FromEnvironment()
{
    XdgDirs dirs;
    dirs.home = WithoutTrailingSlash(Variable("HOME"));
    dirs.dataHome = Folder("XDG_DATA_HOME", dirs.home + "/.local/share");
    dirs.dataDirs = FolderList("XDG_DATA_DIRS", {"/usr/local/share", "/usr/share"});
    dirs.configHome = Folder("XDG_CONFIG_HOME", dirs.home + "/.config");
    dirs.configDirs = FolderList("XDG_CONFIG_DIRS", {"/etc/xdg"});
    dirs.cacheHome = Folder("XDG_CACHE_HOME", dirs.home + "/.cache");
    std::string desktops = Variable("XDG_CURRENT_DESKTOP");
    size_t start = 0;
    while (start < desktops.size()) {
        size_t end = desktops.find(':', start);
        if (end == std::string::npos)
            end = desktops.size();
        std::string desktop = desktops.substr(start, end - start);
        for (char& c : desktop)
            c = dos::AsciiLower(c);
        if (!desktop.empty())
            dirs.desktops.push_back(desktop);
        start = end + 1;
    }
    return dirs;
}

std::vector<std::string> XdgDirs::DataSearchPath() const
{
    std::vector<std::string> folders{dataHome};
    folders.insert(folders.end(), dataDirs.begin(), dataDirs.end());
    return folders;
}

std::vector<std::string> XdgDirs::DataFolders(const std::string& sub) const
{
    std::vector<std::string> folders;
    for (const std::string& folder : DataSearchPath())
        folders.push_back(folder + "/" + sub);
    return folders;
}

}  // namespace platform
