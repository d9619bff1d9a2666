#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace platform {

namespace {

// Reads `count` bytes from the start with pread, so that reading does not depend on where an
// earlier read left the descriptor; stops early at the file's end.
std::optional<std::string> ReadFromStart(int descriptor, uint64_t count)
{
    std::string content;
    content.resize(static_cast<size_t>(count));
    size_t done = 0;
    while (done < content.size()) {
        ssize_t got = pread(descriptor, content.data() + done, content.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    content.resize(done);
    return content;
}

}  // namespace

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_size(std::exchange(other.m_size, 0))
{
}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

RegularFile::~RegularFile()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
}

std::optional<RegularFile> RegularFile::Open(const std::string& hostPath, FileRefusal* refusal)
{
    auto refuse = [refusal](FileRefusal why) -> std::optional<RegularFile> {
        if (refusal)
            *refusal = why;
        return std::nullopt;
    };
    // O_NONBLOCK: a named pipe opens at once instead of waiting for a writer; for a regular file
    // it changes nothing. O_NOCTTY: a terminal never becomes the program's controlling one.
    int descriptor = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        int error = errno;
        // A socket, or a device without its driver, cannot be opened at all.
        struct stat status {};
        bool special = stat(hostPath.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
        errno = error;
        return refuse(special                                 ? FileRefusal::NotAFile
                      : error == ENOENT || error == ENOTDIR ? FileRefusal::Missing
                      : error == EISDIR                     ? FileRefusal::Folder
                                                            : FileRefusal::Unreadable);
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        int error = errno;
        close(descriptor);
        errno = error;
        return refuse(FileRefusal::Unreadable);
    }
    if (!S_ISREG(status.st_mode)) {
        close(descriptor);
        return refuse(S_ISDIR(status.st_mode) ? FileRefusal::Folder : FileRefusal::NotAFile);
    }
    return RegularFile(descriptor, static_cast<uint64_t>(std::max<off_t>(status.st_size, 0)));
}

std::optional<std::string> RegularFile::ReadAll(uint64_t limit) const
{
    if (m_size > limit || m_size > SIZE_MAX / 2)
        return std::nullopt;
    return ReadFromStart(m_descriptor, m_size);
}

std::optional<std::string> RegularFile::ReadHead(size_t count) const
{
    return ReadFromStart(m_descriptor, std::min<uint64_t>(count, m_size));
}

}  // namespace platform
