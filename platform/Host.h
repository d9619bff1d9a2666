#pragma once

// The host's services in the shape the program calls them: the drive map behind every DOS path,
// the current folder, the file types of HKEY_CLASSES_ROOT, starting programs, and the screen.

#include "platform/DriveMap.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Screen.h"

#include <memory>
#include <string>

namespace platform {

class Host {
public:
    // A host over the drive map, with the real screen (X11) and the desktop's file types.
    explicit Host(DriveMap drives);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    DriveMap& Drives() { return m_drives; }
    const DriveMap& Drives() const { return m_drives; }

    // The process's current folder as a DOS path in code page 932, as GetCurrentDirectoryA gives
    // it (a drive root with its backslash). A folder on no drive is given as its host path.
    std::string GetCurrentDirectory() const;
    // Makes a folder (DOS path, or an absolute host path) the current one; false when it cannot.
    bool SetCurrentDirectory(const std::string& path);
    // Where the settings files and the default cache folder are kept, as DOS paths: the current
    // folder and its "View", unless a start from the desktop's menu gave folders of their own.
    std::string SettingsFolder() const;
    std::string DefaultCacheFolder() const;
    // The folders of a start from the menu, as host paths in UTF-8.
    void SetKeepingFolders(std::string settingsFolder, std::string cacheFolder);
    // The system folder, as a DOS path: the folder "system" beside the program. The system icon
    // library is named after it ("shell32.dll" there); the icon services answer for that name.
    std::string GetSystemDirectory() const;

    // HKEY_CLASSES_ROOT; the desktop's associations unless another source was set.
    IClassesRoot& FileTypes();
    void SetFileTypes(std::unique_ptr<IClassesRoot> fileTypes);
    // Starting programs, and the record of what was started.
    Processes& Programs() { return *m_programs; }
    IScreen& Screen() { return *m_screen; }
    void SetScreen(std::unique_ptr<IScreen> screen);

private:
    DriveMap m_drives;
    std::unique_ptr<IClassesRoot> m_fileTypes;
    std::unique_ptr<Processes> m_programs;
    std::unique_ptr<IScreen> m_screen;
    std::string m_settingsFolder;
    std::string m_cacheFolder;
};

}  // namespace platform
