#pragma once

// A row of the file list: its caption is the entry's name, its four sub-items hold what the
// other columns show and the marker the sort groups rows by, and its image is one of the image
// lists' icons.

#include <array>

namespace orvane {

// The sub-items of a row.
enum TRowField : int {
    SizeField = 0,    // the size in bytes as decimal text; empty for a folder
    TypeField = 1,    // FolderType, or the extension and FileTypeSuffix
    TimeField = 2,    // the last write as DateText writes it
    MarkerField = 3,  // FolderMarker or FileMarker
};

// The markers of folders and files. Folders come first in both directions of the sort because
// their marker sorts first.
inline constexpr const char* FolderMarker = "A";
inline constexpr const char* FileMarker = "B";

// The type column of a folder, and what follows a file's extension in it.
inline constexpr const char* FolderType = "ﾌｧｲﾙ ﾌｫﾙﾀﾞ";
inline constexpr const char* FileTypeSuffix = " ﾌｧｲﾙ";

// The built-in icons every listing starts from, at the head of the file list's image lists: the
// system library's folder, document and program icons, then one for each fixed extension. The
// icons resolved from the file types follow them.
enum TBuiltInIcon : int {
    FolderIcon = 0,
    DocumentIcon = 1,  // a file type that names no icon
    ProgramIcon = 2,   // a program whose own icon cannot be had
    FirstFixedIcon = 3,
};
// The extensions with a built-in icon of their own, in the order of their icons; all three letters
// long, in lower case.
inline constexpr std::array<const char*, 11> FixedIconExtensions = {"dll", "drv", "sys", "com", "hlp", "bmp",
                                                                    "txt", "inf", "ini", "mid", "wav"};
inline constexpr int BuiltInIconCount = FirstFixedIcon + static_cast<int>(FixedIconExtensions.size());
// The entry named "Recycled" (the recycle bin of a drive) shows the last built-in icon, the one
// of "wav", as it always did.
inline constexpr int RecycledIcon = BuiltInIconCount - 1;

}  // namespace orvane
