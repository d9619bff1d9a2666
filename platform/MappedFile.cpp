#include "platform/MappedFile.h"

#include "platform/Files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace platform {

MappedFile::MappedFile(MappedFile&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0))
{
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        this->~MappedFile();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

MappedFile::~MappedFile()
{
    if (m_data)
        munmap(const_cast<uint8_t*>(m_data), m_size);
}

std::optional<MappedFile> MappedFile::Open(const DriveMap& drives, std::string_view dosPath)
{
    auto host = ResolveHostPath(drives, dosPath);
    if (!host)
        return std::nullopt;
    int fd = open(host->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    if (info.st_size == 0) {
        close(fd);
        return MappedFile(nullptr, 0);
    }
    void* data = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (data == MAP_FAILED)
        return std::nullopt;
    return MappedFile(static_cast<const uint8_t*>(data), size_t(info.st_size));
}

}  // namespace platform
