#include "host/HostFolders.h"

#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "platform/Files.h"
#include "platform/Host.h"

#include <algorithm>

namespace orvane {

namespace {
using dos::AsciiUpper;

// Folder names in the list's order: ASCII letters without regard to case, other bytes as they are.
bool ListOrder(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(dos::AsciiUpper(x)) < static_cast<unsigned char>(dos::AsciiUpper(y));
    });
}
}  // namespace

std::vector<char> HostFolders::Drives()
{
    std::vector<char> drives;
    for (const auto& [letter, root] : m_host.Drives().Roots())
        drives.push_back(letter);
    return drives;
}

std::string HostFolders::DriveLabel(char drive)
{
    const auto& roots = m_host.Drives().Roots();
    auto it = roots.find(dos::AsciiUpper(drive));
    if (it == roots.end())
        return std::string();
    const std::string& root = it->second;
    return root == "/" ? "/" : platform::HostNameToCp932(root.substr(root.rfind('/') + 1));
}

std::string HostFolders::CurrentDirectory()
{
    return m_host.GetCurrentDirectory();
}

// The folder left behind stays its drive's current folder, and the new one becomes its own's.
bool HostFolders::SetCurrentDirectory(const std::string& path)
{
    std::string previous = m_host.GetCurrentDirectory();
    if (!m_host.SetCurrentDirectory(path))
        return false;
    for (const std::string& folder : {previous, m_host.GetCurrentDirectory()})
        if (folder.size() >= 2 && folder[1] == ':')
            m_driveDirectories[dos::AsciiUpper(folder[0])] = folder;
    return true;
}

std::string HostFolders::DriveDirectory(char drive)
{
    auto it = m_driveDirectories.find(dos::AsciiUpper(drive));
    if (it != m_driveDirectories.end())
        return it->second;
    std::string current = m_host.GetCurrentDirectory();
    if (!current.empty() && dos::AsciiUpper(current[0]) == dos::AsciiUpper(drive))
        return current;
    return std::string(1, dos::AsciiUpper(drive)) + ":\\";
}

// The tree needs to know only which entries are folders, which the folder itself records: it costs
// no look at each entry, and the list that follows shares the one read of the folder.
std::vector<std::string> HostFolders::SubFolders(const std::string& path)
{
    std::vector<std::string> names = platform::SubFolderNames(m_host.Drives(), path);
    std::sort(names.begin(), names.end(), ListOrder);
    return names;
}

std::string HostFolders::HostPath(const std::string& path)
{
    return platform::ResolveHostPath(m_host.Drives(), path).value_or(std::string());
}

}  // namespace orvane
