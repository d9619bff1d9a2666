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
