#pragma once

// A file's bytes mapped into memory for reading, so that finding the icon of a large program
// reads the few pages its resources lie in, not the whole file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

class DriveMap;

class MappedFile {
public:
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // The file at a DOS path (relative to the current folder when not absolute); none when it
    // cannot be opened or is no regular file (a folder, a named pipe, a socket, a device), which
    // is refused without waiting. An empty file maps to no bytes.
    static std::optional<MappedFile> Open(const DriveMap& drives, std::string_view dosPath);

    std::span<const uint8_t> Bytes() const { return {m_data, m_size}; }

private:
    MappedFile(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
};

}  // namespace platform
