#pragma once

// A file opened to read its content, in the one way that cannot hold the program up. The open
// never waits (a named pipe waits for a writer, a terminal could become the program's own), and
// anything but a regular file, or a link to one, is refused before a byte of it is read. What is
// read ends at the size the file had when it was opened, so that a file still being written, or
// a device without end behind a harmless name, cannot fill the memory. Every file of the user's
// or of the desktop that the program reads is opened here. Paths are host paths.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Why a file was not opened.
enum class FileRefusal {
    Missing,     // nothing at the path (errno says more)
    Folder,      // a folder
    NotAFile,    // a named pipe, a socket or a device
    Unreadable,  // the system refused it (errno says why)
};

class RegularFile {
public:
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // None when the file cannot be opened or is no regular file; `refusal`, when given, then says
    // why.
    static std::optional<RegularFile> Open(const std::string& hostPath, FileRefusal* refusal = nullptr);

    // The open descriptor (closed with the object, and not inherited by started programs).
    int Descriptor() const { return m_descriptor; }
    // The size the file had when it was opened.
    uint64_t Size() const { return m_size; }

    // The content from the start up to the size at opening; fewer bytes when the file has
    // shrunk since. None when reading fails or the size exceeds `limit`.
    std::optional<std::string> ReadAll(uint64_t limit = UINT64_MAX) const;
    // Up to `count` bytes from the start, never past the size at opening.
    std::optional<std::string> ReadHead(size_t count) const;

private:
    RegularFile(int descriptor, uint64_t size) : m_descriptor(descriptor), m_size(size) {}

    int m_descriptor = -1;
    uint64_t m_size = 0;
};

}  // namespace platform
