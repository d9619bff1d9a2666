#pragma once

// DOS paths over the host's folders: each drive letter stands for a host folder, and a host path
// is shown on the drive whose folder holds it most closely.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class DriveMap {
public:
    // The default map: C: is the home folder, Z: the root, and removable media mounted under
    // /media, /run/media or /mnt take the free letters from D: on.
    static DriveMap Default();
    // Gives each mount point the next free letter from D: on (none are left past Y:).
    void MapRemovable(const std::vector<std::string>& mountPoints);

    void Clear() { m_roots.clear(); }
    // Maps a letter (A to Z, either case) to a host folder (absolute, UTF-8).
    void Map(char letter, const std::string& hostRoot);
    const std::map<char, std::string>& Roots() const { return m_roots; }

    // A host path (UTF-8) as a DOS path (code page 932); none when no drive holds it. A drive
    // root comes with its trailing backslash ("Z:\").
    std::optional<std::string> ToDos(const std::string& hostPath) const;
    // A DOS path (code page 932, absolute, "C:\..." or "C:") as a host path (UTF-8).
    std::optional<std::string> ToHost(const std::string& dosPath) const;

private:
    std::map<char, std::string> m_roots;
};

}  // namespace platform
