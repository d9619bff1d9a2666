#pragma once

// Desktop entries (.desktop files), as far as starting their program goes: the Exec line with
// its quoting and field codes, and the keys the field codes refer to. Texts are UTF-8. They are
// key files (formats/KeyFile.h), read by that reader alone.

#include "formats/KeyFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DesktopEntry {
    std::string exec;  // Exec, with the escapes of a string value undone, still quoted.
    std::string icon;
    std::string name;
    std::string location;  // The file it came from, for %k.
};

// The [Desktop Entry] group of a desktop entry file: the file's first group, which only comments
// may precede. None when the file is no well-formed key file (a faulty line, a group or a key
// written twice) or starts with another group.
const formats::KeyFileGroup* DesktopEntryGroup(const formats::KeyFile& file);

// The entry of a file's text; none when it has no [Desktop Entry] group (see above), no Exec key,
// or a type other than Application.
std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text, const std::string& location);

// Reads and parses a file; none when it cannot be read or is no usable entry.
std::optional<DesktopEntry> ReadDesktopEntry(const std::string& path);

// The argument vector of the entry's Exec line for the given files (host paths or URIs): %f and
// %u give the first file, %F and %U all of them (as paths or as file URIs), %i "--icon" and the
// icon, %c the name, %k the location, %% a percent sign; the deprecated codes give nothing. An
// argument that was a field code alone and gives nothing is left out. Empty when the line holds
// no program or its quotes do not close.
std::vector<std::string> ExpandExec(const DesktopEntry& entry, const std::vector<std::string>& files);

// A host path as a file URI ("/a b" gives "file:///a%20b"); a relative path is taken from the
// current folder, and a text that is a URI already stays as it is.
std::string FileUri(const std::string& path);

}  // namespace platform
