#include "platform/Host.h"

#include "platform/CodePage.h"

#include <unistd.h>

#include <vector>

namespace platform {

std::string Host::GetCurrentDirectory() const
{
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (buffer.size() > (1u << 20))
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
    std::string host(buffer.data());
    if (auto dos = m_drives.ToDos(host))
        return *dos;
    return Utf8ToCp932(host);
}

bool Host::SetCurrentDirectory(const std::string& path)
{
    std::string host;
    if (!path.empty() && path[0] == '/')
        host = Cp932ToUtf8(path);
    else if (auto mapped = m_drives.ToHost(path))
        host = *mapped;
    else
        return false;
    return chdir(host.c_str()) == 0;
}

}  // namespace platform
