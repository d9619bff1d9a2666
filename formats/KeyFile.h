#pragma once

// Files of groups and keys as the freedesktop standards write them (desktop entries,
// mimeapps.list, icon theme index files, GTK settings): "[Group]" lines, "Key=Value" lines and
// "#" comments, in UTF-8.
//
// The standards let no group name stand twice in a file and no key twice in a group. A file that
// repeats one is malformed; its values are still read as the desktops' own reader reads them: the
// entries of a repeated group join the first one, and a repeated key's last entry counts. Readers
// of files that the user's tools write (mimeapps.list) take what they can; desktop entries must be
// well formed.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace formats {

struct KeyFileGroup {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;   // key, value as written

    // The value of the key's last entry, with the escapes \s \n \t \r \\ resolved.
    std::optional<std::string> Value(std::string_view key) const;
};

class KeyFile {
public:
    // Reads what it can; lines that are neither a group, an entry nor a comment (and entries
    // before the first group) are left out and make the file malformed, as a repeated group or key
    // does.
    static KeyFile Parse(std::string_view text);

    // Whether every line was well formed; the first fault, with its line number, when not.
    bool WellFormed() const { return m_fault.empty(); }
    const std::string& Fault() const { return m_fault; }

    const std::vector<KeyFileGroup>& Groups() const { return m_groups; }
    // A group by its name (a name written twice gives one group with the entries of both).
    const KeyFileGroup* FindGroup(std::string_view name) const;
    std::optional<std::string> Value(std::string_view group, std::string_view key) const;

private:
    std::string m_fault;
    std::vector<KeyFileGroup> m_groups;
};

// The items of a ";"-separated list ("\;" stands for a ";" inside an item); empty items dropped.
std::vector<std::string> SplitKeyFileList(std::string_view value);

}  // namespace formats
