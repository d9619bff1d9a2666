#pragma once

// The small icons of the folder list and the drive box: the desktop icon theme's where it has
// them, otherwise drawn in the manner of that desktop's own.

#include <QIcon>

namespace qtui {

QIcon OpenFolderIcon();
QIcon ClosedFolderIcon();
QIcon DriveIcon();

}  // namespace qtui
