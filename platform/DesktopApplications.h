#pragma once

// The desktop's applications and which of them opens a type of file: the desktop entries
// (".desktop" files) of the "applications" data folders and the mimeapps.list files, searched in
// the order of the freedesktop association rules, the lists of the current desktop first.

#include "platform/MimeDatabase.h"
#include "platform/XdgDirs.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace platform {

class DesktopApplications {
public:
    // Reads every desktop entry and association list at once. `types` resolves aliases and
    // parents, and must outlive this object.
    DesktopApplications(const XdgDirs& dirs, const MimeDatabase& types);

    // The desktop entry (host path) of the application that opens files of the type: the first
    // installed default of the association lists that is associated with the type, else the most
    // preferred application associated with it; the same again for each type it is a kind of,
    // the nearest first. None when no application opens the type.
    std::optional<std::string> DefaultApplication(std::string_view type) const;

    // Whether any file or folder these answers came from has changed since they were read: an
    // association list written, an application installed or removed, an entry edited. A stat of
    // each, so that asking before every start of a program costs next to nothing.
    bool SourcesChanged() const;

private:
    // What a stat says of a file or folder, enough to see that it changed; a missing one too, so
    // that one that appears later counts as a change.
    struct Stamp {
        std::string path;
        bool exists = false;
        unsigned long long inode = 0;
        long long size = 0;
        long long modifiedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::string& path);

    struct Entry {
        std::string path;
        std::vector<std::string> types;
        bool usable = false;   // an application to start: not hidden, its TryExec program present
    };
    using TypeLists = std::unordered_map<std::string, std::vector<std::string>>;   // type -> ids
    struct AssociationList {
        bool desktopSpecific = false;   // these hold default applications only
        TypeLists defaults, added, removed;
    };

    void ReadEntries(const std::string& folder, const std::string& idPrefix, int depth);
    void ReadEntry(const std::string& path, const std::string& id);
    void ReadList(const std::string& path, bool desktopSpecific);
    bool Associated(const std::string& id, const std::string& type) const;
    bool AssociatedWithKind(const std::string& id, const std::string& type) const;
    std::optional<std::string> DefaultFor(const std::string& type) const;
    std::optional<std::string> PreferredFor(const std::string& type) const;
    const Entry* Usable(const std::string& id) const;

    const MimeDatabase& m_types;
    std::unordered_map<std::string, Entry> m_entries;   // by desktop file id, the first found
    std::unordered_set<std::string> m_seen;              // every id found, usable or not
    TypeLists m_entriesOfType;                           // type -> ids, in the order found
    std::vector<AssociationList> m_lists;                // in the order they are searched
    std::vector<Stamp> m_sources;                        // every folder and file read or looked for
    long long m_readNs = 0;                              // when the reading began, the real time
};

}  // namespace platform
