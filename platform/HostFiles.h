#pragma once

// Reading the host's own files and folders (POSIX), for the databases the platform services are
// built from. Paths here are host paths in UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The whole content of a regular file (as long as it was when opened); none when it cannot be
// read, is larger than `limit`, or is no regular file, which is refused without waiting.
std::optional<std::string> ReadHostFile(const std::string& path, size_t limit = 64u << 20);

bool IsHostFile(const std::string& path);
bool IsHostFolder(const std::string& path);

struct HostEntry {
    std::string name;
    bool folder = false;   // a folder, or a link to one
};

// The entries of a folder, without "." and ".."; empty when it cannot be read.
std::vector<HostEntry> ListHostFolder(const std::string& path);

}  // namespace platform
