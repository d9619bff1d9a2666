#pragma once

// The host's process-level services in the shape the program calls them: the current folder as
// a DOS path, and the drive map behind every DOS path.

#include "platform/DriveMap.h"

#include <string>

namespace platform {

class Host {
public:
    explicit Host(DriveMap drives) : m_drives(std::move(drives)) {}

    DriveMap& Drives() { return m_drives; }
    const DriveMap& Drives() const { return m_drives; }

    // The process's current folder as a DOS path in code page 932, as GetCurrentDirectoryA gives
    // it (a drive root with its backslash). A folder on no drive is given as its host path.
    std::string GetCurrentDirectory() const;
    // Makes a folder (DOS path, or an absolute host path) the current one; false when it cannot.
    bool SetCurrentDirectory(const std::string& path);
    // The system folder, as a DOS path: the folder "system" beside the program. The system icon
    // library is named after it ("shell32.dll" there); the icon services answer for that name.
    std::string GetSystemDirectory() const;

private:
    DriveMap m_drives;
};

}  // namespace platform
