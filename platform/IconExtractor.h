#pragma once

// The icon service over the host's files: executables and libraries, icon and cursor files, PNG
// and SVG images; and the system icon library, answered from the desktop's icon theme.

#include "platform/IconTheme.h"
#include "platform/Icons.h"

namespace platform {

class Host;

class IconExtractor : public IIcons {
public:
    IconExtractor(const Host& host, IconTheme theme) : m_host(host), m_theme(std::move(theme)) {}

    std::optional<IconPixels> ExtractIcon(const std::string& dosPath, int number, int size = 32) override;

private:
    std::optional<IconPixels> SystemLibraryIcon(int number, int size);

    const Host& m_host;
    IconTheme m_theme;
};

// Whether a text can be the path of an icon's file: not when it is empty or holds a "/", as the
// desktop's type names do where they stand for a class that names no icon.
bool CanNameFile(const std::string& dosPath);

// Whether a DOS path names the system icon library: the system folder's "shell32.dll", compared
// without regard to the case of letters.
bool IsSystemIconLibrary(const std::string& dosPath, const std::string& systemFolder);

}  // namespace platform
