#pragma once

// Settings that a desktop keeps in its own settings store rather than in a file: GNOME and the
// desktops built on its settings (Unity, Budgie, Pantheon) in org.gnome.desktop.interface,
// Cinnamon in org.cinnamon.desktop.interface and MATE in org.mate.interface, all read through
// GSettings (whose backend is dconf on those desktops). Xfce keeps its choice in xfconf's xsettings
// channel, read from the file xfconf saves it in.

#include "platform/XdgDirs.h"

#include <optional>
#include <string>

namespace platform {

// The icon theme the current desktop ($XDG_CURRENT_DESKTOP) has chosen in its own store; none for
// a desktop without one, or when its settings schema is not installed.
std::optional<std::string> DesktopStoreIconTheme(const XdgDirs& dirs);

}  // namespace platform
