#include "platform/DesktopApplications.h"

#include "formats/KeyFile.h"
#include "platform/DesktopEntry.h"
#include "platform/HostFiles.h"

#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

constexpr int MaxFolderDepth = 8;

// The file systems stamp a change with a clock that advances in steps of some milliseconds, so
// a file changed just after it was read may keep the time it had. A source changed this shortly
// before the reading is read again at the next question.
constexpr long long UncertainNs = 50'000'000;

long long RealTimeNs()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

const std::vector<std::string>& ListOf(const std::unordered_map<std::string, std::vector<std::string>>& lists,
                                       const std::string& type)
{
    static const std::vector<std::string> none;
    auto it = lists.find(type);
    return it == lists.end() ? none : it->second;
}

// Whether a TryExec program is there: an absolute path, or a name found on the PATH.
bool ProgramExists(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

DesktopApplications::DesktopApplications(const XdgDirs& dirs, const MimeDatabase& types)
    : m_types(types), m_readNs(RealTimeNs())
{
    for (const std::string& folder : dirs.DataFolders("applications"))
        ReadEntries(folder, "", 0);

    std::vector<std::string> listFolders{dirs.configHome};
    listFolders.insert(listFolders.end(), dirs.configDirs.begin(), dirs.configDirs.end());
    for (const std::string& folder : dirs.DataFolders("applications"))
        listFolders.push_back(folder);
    for (const std::string& folder : listFolders) {
        for (const std::string& desktop : dirs.desktops)
            ReadList(folder + "/" + desktop + "-mimeapps.list", true);
        ReadList(folder + "/mimeapps.list", false);
    }
}

// A desktop file id is the file's path below the applications folder with "/" turned into "-".
void DesktopApplications::ReadEntries(const std::string& folder, const std::string& idPrefix, int depth)
{
    // A folder's time changes when an entry is added, removed or renamed in it.
    m_sources.push_back(StampOf(folder));
    std::vector<HostEntry> entries = ListHostFolder(folder);
    std::sort(entries.begin(), entries.end(), [](const HostEntry& a, const HostEntry& b) { return a.name < b.name; });
    for (const HostEntry& entry : entries) {
        std::string path = folder + "/" + entry.name;
        if (entry.folder && depth < MaxFolderDepth)
            ReadEntries(path, idPrefix + entry.name + "-", depth + 1);
        else if (!entry.folder && entry.name.ends_with(".desktop"))
            ReadEntry(path, idPrefix + entry.name);
    }
}

// A malformed file (not a key file, no [Desktop Entry] group first, no application) is passed
// over as if it were not there.
void DesktopApplications::ReadEntry(const std::string& path, const std::string& id)
{
    if (m_seen.count(id))
        return;
    m_sources.push_back(StampOf(path));
    std::optional<std::string> text = ReadHostFile(path, 1u << 20);
    if (!text)
        return;
    const formats::KeyFile file = formats::KeyFile::Parse(*text);
    const formats::KeyFileGroup* entryGroup = DesktopEntryGroup(file);
    if (!entryGroup)
        return;
    const formats::KeyFileGroup& group = *entryGroup;
    std::optional<std::string> type = group.Value("Type");
    if (!type || *type != "Application")
        return;
    m_seen.insert(id);
    Entry entry;
    entry.path = path;
    std::optional<std::string> tryExec = group.Value("TryExec");
    entry.usable = group.Value("Hidden").value_or("false") != "true" && group.Value("Exec").has_value() &&
                   (!tryExec || ProgramExists(*tryExec));
    for (const std::string& mimeType : formats::SplitKeyFileList(group.Value("MimeType").value_or(""))) {
        std::string canonical = m_types.Canonical(mimeType);
        if (Contains(entry.types, canonical))
            continue;
        entry.types.push_back(canonical);
        m_entriesOfType[canonical].push_back(id);
    }
    m_entries.emplace(id, std::move(entry));
}

void DesktopApplications::ReadList(const std::string& path, bool desktopSpecific)
{
    m_sources.push_back(StampOf(path));
    std::optional<std::string> text = ReadHostFile(path, 4u << 20);
    if (!text)
        return;
    // A list with a faulty line still says what its good lines say.
    formats::KeyFile file = formats::KeyFile::Parse(*text);
    AssociationList list;
    list.desktopSpecific = desktopSpecific;
    auto read = [&](const char* groupName, TypeLists& lists) {
        const formats::KeyFileGroup* group = file.FindGroup(groupName);
        if (!group)
            return;
        for (const auto& [type, value] : group->entries) {
            auto& ids = lists[m_types.Canonical(type)];
            for (const std::string& id : formats::SplitKeyFileList(value))
                if (!Contains(ids, id))
                    ids.push_back(id);
        }
    };
    read("Default Applications", list.defaults);
    if (!desktopSpecific) {
        read("Added Associations", list.added);
        read("Removed Associations", list.removed);
    }
    m_lists.push_back(std::move(list));
}

DesktopApplications::Stamp DesktopApplications::StampOf(const std::string& path)
{
    Stamp stamp;
    stamp.path = path;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return stamp;
    stamp.exists = true;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modifiedNs = status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec;
    return stamp;
}

bool DesktopApplications::SourcesChanged() const
{
    for (const Stamp& source : m_sources)
        if (!(StampOf(source.path) == source) || (source.exists && source.modifiedNs + UncertainNs >= m_readNs))
            return true;
    return false;
}

const DesktopApplications::Entry* DesktopApplications::Usable(const std::string& id) const
{
    auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.usable ? &it->second : nullptr;
}

// Added and removed associations of a more important list win over those of the less important
// ones, and all of them over the types the desktop entry names.
bool DesktopApplications::Associated(const std::string& id, const std::string& type) const
{
    for (const AssociationList& list : m_lists) {
        if (Contains(ListOf(list.added, type), id))
            return true;
        if (Contains(ListOf(list.removed, type), id))
            return false;
    }
    auto it = m_entries.find(id);
    return it != m_entries.end() && Contains(it->second.types, type);
}

// A program that opens a type opens the kinds of it as well (an editor of text/plain opens C
// source), so a default named for a type may be associated with one of its parents.
bool DesktopApplications::AssociatedWithKind(const std::string& id, const std::string& type) const
{
    if (Associated(id, type))
        return true;
    for (const std::string& ancestor : m_types.Ancestors(type))
        if (Associated(id, ancestor))
            return true;
    return false;
}

std::optional<std::string> DesktopApplications::DefaultFor(const std::string& type) const
{
    for (const AssociationList& list : m_lists)
        for (const std::string& id : ListOf(list.defaults, type))
            if (const Entry* entry = Usable(id); entry && AssociatedWithKind(id, type))
                return entry->path;
    return std::nullopt;
}

std::optional<std::string> DesktopApplications::PreferredFor(const std::string& type) const
{
    std::vector<std::string> removed;
    for (const AssociationList& list : m_lists) {
        for (const std::string& id : ListOf(list.added, type))
            if (const Entry* entry = Usable(id); entry && !Contains(removed, id))
                return entry->path;
        const auto& more = ListOf(list.removed, type);
        removed.insert(removed.end(), more.begin(), more.end());
    }
    for (const std::string& id : ListOf(m_entriesOfType, type))
        if (const Entry* entry = Usable(id); entry && !Contains(removed, id))
            return entry->path;
    return std::nullopt;
}

std::optional<std::string> DesktopApplications::DefaultApplication(std::string_view type) const
{
    std::vector<std::string> kinds{m_types.Canonical(type)};
    for (std::string& ancestor : m_types.Ancestors(type))
        kinds.push_back(std::move(ancestor));
    for (const std::string& kind : kinds) {
        if (auto path = DefaultFor(kind))
            return path;
        if (auto path = PreferredFor(kind))
            return path;
    }
    return std::nullopt;
}

}  // namespace platform
