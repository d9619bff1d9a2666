#pragma once

// The shared MIME database of the desktop (shared-mime-info): which type a file name's extension
// gives, the types' aliases, parents and icon names. Read once from the "mime" folders of the
// data folders and answered from maps.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class MimeDatabase {
public:
    // Reads the databases of the given "mime" folders, the most important first.
    explicit MimeDatabase(const std::vector<std::string>& folders);

    // Whether any folder held a database (a glob list).
    bool Found() const { return m_found; }

    // The type of a file whose name ends in "." + extension (code page 932, any case), as the
    // globs "*.extension" decide: the highest weight wins; among equal weights a case-sensitive
    // glob before others, then the more important folder. Other globs ("README*", "*.[ch]") do
    // not name an extension and are not used.
    std::optional<std::string> TypeOfExtension(std::string_view extension) const;

    // The type's name as the database writes it (an alias gives the type it stands for); none for
    // a type the database does not know. Any case.
    std::optional<std::string> KnownType(std::string_view type) const;
    // The type an alias stands for; other names are given back unchanged.
    std::string Canonical(std::string_view type) const;
    // The types this type is a kind of, the nearest first; every text type is a kind of
    // text/plain.
    std::vector<std::string> Ancestors(std::string_view type) const;
    // The icon names of the type in the order of preference: its own icon, the name made of the
    // type ("text-plain"), its generic icon, and the generic icon of its media ("text-x-generic").
    std::vector<std::string> IconNames(std::string_view type) const;

private:
    struct Glob {
        std::string type;
        std::string extension;   // code page 932, as written
        int weight = 50;
        bool caseSensitive = false;
        int rank = 0;            // higher for a more important folder, then for an earlier line
    };

    void ReadFolder(const std::string& folder, int importance);
    void ReadGlobs(const std::string& text, bool weighted, int importance);
    void AddType(const std::string& type);

    bool m_found = false;
    std::unordered_map<std::string, std::vector<Glob>> m_globs;   // by folded extension, best first
    std::unordered_map<std::string, std::string> m_types;          // folded name -> name
    std::unordered_map<std::string, std::string> m_aliases;        // folded alias -> type
    std::unordered_map<std::string, std::vector<std::string>> m_parents;
    std::unordered_map<std::string, std::string> m_icons;
    std::unordered_map<std::string, std::string> m_genericIcons;
};

}  // namespace platform
