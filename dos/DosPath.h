#pragma once

// DOS paths in code page 932 ("C:\work\a.txt"): the one home of every rule about their separators
// and a name's parts. Each rule walks characters, so a 0x5C that ends a double-byte character is
// never taken for the "\" that separates folders (see DosText.h).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dos {

constexpr char PathSeparator = '\\';

// "C:" and whatever follows: a path that names its drive.
bool HasDriveLetter(std::string_view path);

// The offset of the last separator, or npos when there is none.
size_t LastSeparator(std::string_view path);

// Whether the path ends in a separator ("C:\", "C:\work\").
bool EndsWithSeparator(std::string_view path);

// The path without one trailing separator: "C:\" gives "C:"; a folder whose name ends in a
// double-byte character with the second byte 0x5C stays as it is.
std::string_view WithoutTrailingSeparator(std::string_view path);

// The folder and a name in it, with one separator between them: none is added after a folder
// that ends in one ("C:\" and "a" give "C:\a").
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder and a name with a separator between them whatever the folder ends in, as the
// program joins the folders it keeps as text (the start folder, the cache folder): "C:\" and "a"
// give "C:\\a", which the file functions read as "C:\a".
std::string AppendToFolder(std::string_view folder, std::string_view name);

// The path split at its last separator: the folder with its separator, and the name after it.
// "C:name" splits after the drive; a path without separator or drive is all name.
std::pair<std::string_view, std::string_view> SplitLast(std::string_view path);

// The names between the separators, empty ones left out: "C:\a\\b\" gives "C:", "a", "b".
std::vector<std::string> PathParts(std::string_view path);

// The path as one file name, as the capture cache names its pictures: every ":" becomes "#" and
// every "\" becomes "!", as characters: the second byte of a double-byte character stays.
std::string FlattenPath(std::string_view path);

// The offset of the dot that starts a name's extension: the last "." after the name's first
// character; npos when there is none. (A dot is never the second byte of a character.)
size_t ExtensionDot(std::string_view name);

}  // namespace dos
