#pragma once

// How the desktop knows the program: the taskbar and the window list match a window to the menu
// entry orvane.desktop by its WM_CLASS class (the entry's StartupWMClass) and show the entry's
// name and icon; the window carries the same icon itself for desktops that read it from there.

class QApplication;

namespace qtui {

// The class of the program's windows, as the desktop entry's StartupWMClass names it.
inline constexpr const char* WindowClass = "Orvane";

// Names the application (Qt makes the WM_CLASS class of every window from it), names its desktop
// entry, and gives every window the program's icon: the icon theme's, else the one built in.
void ApplyDesktopIdentity(QApplication& application);

}  // namespace qtui
