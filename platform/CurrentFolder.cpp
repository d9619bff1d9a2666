#include "platform/CurrentFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

namespace platform {

// The folder the process stands in. One that was removed under it has no path any more (getcwd
// fails); the kernel still names it, marked " (deleted)", and its nearest parent that exists is
// taken instead, so no caller is ever handed an empty folder.
std::string CurrentHostFolder()
{
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno == ERANGE && buffer.size() <= (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        ssize_t length = readlink("/proc/self/cwd", buffer.data(), buffer.size() - 1);
        if (length <= 0 || buffer[0] != '/')
            return "/";
        std::string folder(buffer.data(), static_cast<size_t>(length));
        constexpr std::string_view Deleted = " (deleted)";
        if (folder.ends_with(Deleted))
            folder.resize(folder.size() - Deleted.size());
        for (struct stat info; folder.size() > 1; folder.resize(std::max<size_t>(folder.rfind('/'), 1)))
            if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                return folder;
        return "/";
    }
    return buffer.data();
}

}  // namespace platform
