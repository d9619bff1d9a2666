#include "platform/Host.h"

#include "platform/ClassesRoot.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <unistd.h>

#include <vector>

namespace platform {

Host::Host(DriveMap drives)
    : m_drives(std::move(drives)),
      m_programs(std::make_unique<Processes>(m_drives)),
      m_screen(std::make_unique<X11Screen>())
{
}

Host::~Host() = default;

IClassesRoot& Host::FileTypes()
{
    // The desktop's databases are read at the first look-up, not at start.
    if (!m_fileTypes)
        m_fileTypes = ClassesRoot::FromDesktop(XdgDirs::FromEnvironment(), m_drives);
    return *m_fileTypes;
}

void Host::SetFileTypes(std::unique_ptr<IClassesRoot> fileTypes)
{
    m_fileTypes = std::move(fileTypes);
}

void Host::SetScreen(std::unique_ptr<IScreen> screen)
{
    m_screen = std::move(screen);
}

std::string Host::GetCurrentDirectory() const
{
    std::string host = CurrentHostFolder();
    if (auto dos = m_drives.ToDos(host))
        return *dos;
    return Utf8ToCp932(host);
}

bool Host::SetCurrentDirectory(const std::string& path)
{
    std::string host;
    if (!path.empty() && path[0] == '/')
        host = Cp932ToUtf8(path);
    else if (auto resolved = ResolveHostPath(m_drives, path))
        host = *resolved;
    else
        return false;
    return chdir(host.c_str()) == 0;
}

// A host path as a DOS path, or as itself where it lies on no drive.
static std::string DosPathOf(const DriveMap& drives, const std::string& host)
{
    if (auto dos = drives.ToDos(host))
        return *dos;
    return Utf8ToCp932(host);
}

std::string Host::SettingsFolder() const
{
    return m_settingsFolder.empty() ? GetCurrentDirectory() : DosPathOf(m_drives, m_settingsFolder);
}

std::string Host::DefaultCacheFolder() const
{
    // A drive root keeps its own backslash before the one added here.
    return m_cacheFolder.empty() ? GetCurrentDirectory() + "\\View" : DosPathOf(m_drives, m_cacheFolder);
}

void Host::SetKeepingFolders(std::string settingsFolder, std::string cacheFolder)
{
    m_settingsFolder = std::move(settingsFolder);
    m_cacheFolder = std::move(cacheFolder);
}

std::string Host::GetSystemDirectory() const
{
    std::vector<char> buffer(4096);
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    std::string program = length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : "/usr/bin/orvane";
    std::string folder = program.substr(0, program.rfind('/')) + "/system";
    if (auto dos = m_drives.ToDos(folder))
        return *dos;
    return Utf8ToCp932(folder);
}

}  // namespace platform
