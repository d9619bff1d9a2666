#pragma once

// A row of the file list: its caption is the entry's name, and its four sub-items hold what
// the other columns show and the marker the sort groups rows by.

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

}  // namespace orvane
