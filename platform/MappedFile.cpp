#include "platform/MappedFile.h"

#include "platform/Files.h"
#include "platform/RegularFile.h"

#include <sys/mman.h>

#include <cstdint>
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
    // A path written as its file is named opens as it stands (a program's icon is read for every
    // program a folder lists); a missing one is then looked for without regard to case.
    FileRefusal refusal = FileRefusal::Missing;
    std::optional<RegularFile> file;
    std::optional<std::string> exact = ExactHostPath(drives, dosPath);
    if (exact)
        file = RegularFile::Open(*exact, &refusal);
    if (!file && refusal == FileRefusal::Missing) {
        auto host = ResolveHostPath(drives, dosPath);
        if (host && host != exact)
            file = RegularFile::Open(*host);
    }
    if (!file || file->Size() > SIZE_MAX / 2)
        return std::nullopt;
    // The mapping covers the size at opening, whatever is written to the file afterwards.
    size_t size = static_cast<size_t>(file->Size());
    if (size == 0)
        return MappedFile(nullptr, 0);
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file->Descriptor(), 0);
    if (data == MAP_FAILED)
        return std::nullopt;
    return MappedFile(static_cast<const uint8_t*>(data), size);
}

}  // namespace platform
