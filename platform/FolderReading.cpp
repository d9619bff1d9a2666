#include "platform/FolderReading.h"

#include "platform/CodePage.h"
#include "dos/DosText.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>

namespace platform {

namespace {

// A hash of a code page 932 text with ASCII letters folded, character by character as DOS names
// compare: the bytes of a double-byte character stay as they are.
uint64_t FoldedHash(std::string_view text)
{
    uint64_t hash = 0xcbf29ce484222325;
    for (size_t i = 0; i < text.size();) {
        // A byte below 0x80 is a character of its own, as no lead byte is.
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            hash = (hash ^ static_cast<unsigned char>(dos::AsciiUpper(text[i++]))) * 0x100000001b3;
            continue;
        }
        const size_t next = dos::NextCharacter(text, i);
        for (size_t k = i; k < next; ++k) {
            const char byte = next == i + 1 ? dos::AsciiUpper(text[k]) : text[k];
            hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3;
        }
        i = next;
    }
    return hash;
}

bool SameDosName(std::string_view hostName, std::string_view dosName)
{
    return IsOwnDosName(hostName) ? dos::SameIgnoringAsciiCase(hostName, dosName)
                                  : dos::SameIgnoringAsciiCase(HostNameToCp932(hostName), dosName);
}

}  // namespace

FolderReading::FolderReading(std::string text, const std::vector<std::pair<uint32_t, EntryKind>>& entries)
    : m_text(std::move(text))
{
    m_names.reserve(entries.size());
    for (const auto& [offset, kind] : entries)
        m_names.push_back({std::string_view(m_text.data() + offset), kind});
}

void FolderReading::BuildIndex() const
{
    size_t slots = 16;
    while (slots < 2 * m_names.size())
        slots *= 2;
    m_slots.assign(slots, 0);
    for (uint32_t i = 0; i < m_names.size(); ++i) {
        const std::string_view hostName = m_names[i].hostName;
        const uint64_t hash = IsOwnDosName(hostName) ? FoldedHash(hostName) : FoldedHash(HostNameToCp932(hostName));
        size_t slot = hash & (slots - 1);
        while (m_slots[slot] != 0)
            slot = (slot + 1) & (slots - 1);
        m_slots[slot] = i + 1;
    }
}

std::optional<std::string_view> FolderReading::FindIgnoringCase(std::string_view dosName) const
{
    std::call_once(m_indexed, [this] { BuildIndex(); });
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = FoldedHash(dosName) & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        const std::string_view hostName = m_names[m_slots[slot] - 1].hostName;
        if (SameDosName(hostName, dosName))
            return hostName;
    }
    return std::nullopt;
}

namespace {

// The few folders read last: the one listed, and the ones its paths pass through.
constexpr size_t KeptFolders = 4;

struct Kept {
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
    timespec modified{};
    std::shared_ptr<const FolderReading> reading;
};

struct Keeper {
    std::mutex mutex;
    std::vector<Kept> kept;  // the most recent first
};

Keeper& TheKeeper()
{
    static Keeper keeper;
    return keeper;
}

bool operator==(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// The kernel stamps a change with its coarse clock, the one read here, so a change made after
// this moment carries this time or a later one. A file system that stores coarser times (whole
// seconds, FAT's two seconds, exFAT's hundredths) rounds that down: a time with no digits below
// a hundredth of a second is taken as coming from one, and two seconds more are allowed.
bool ChangedSafelyBefore(const timespec& changed, const timespec& begun)
{
    timespec bound = begun;
    if (changed.tv_nsec % 10'000'000 == 0)
        bound.tv_sec -= 2;
    return Before(changed, bound);
}

EntryKind KindOf(unsigned char type)
{
    switch (type) {
    case DT_DIR: return EntryKind::Folder;
    case DT_LNK: return EntryKind::Link;
    case DT_UNKNOWN: return EntryKind::Unknown;
    default: return EntryKind::Other;
    }
}

// Eight bytes of a name from `from` on as a number that orders as they do (a name is padded with
// zero bytes, which no name holds), so that most comparisons of a sort need not go to the names.
uint64_t OrderPrefix(std::string_view name, size_t from)
{
    uint64_t prefix = 0;
    for (size_t i = from; i < from + 8; ++i)
        prefix = (prefix << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
    return prefix;
}

std::shared_ptr<const FolderReading> ReadNames(int folderFd)
{
    int copy = dup(folderFd);
    if (copy < 0)
        return nullptr;
    DIR* directory = fdopendir(copy);
    if (!directory) {
        close(copy);
        return nullptr;
    }
    // The copy shares its position with the folder's descriptor, which an earlier read left at
    // the end.
    rewinddir(directory);
    // A name's first sixteen bytes, which tell most names of a folder apart, and where it lies.
    struct Found {
        uint64_t first;
        uint64_t second;
        uint32_t offset;
        uint32_t length;
        EntryKind kind;
    };
    std::string text;
    std::vector<Found> found;
    while (dirent* entry = readdir(directory)) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        found.push_back({OrderPrefix(name, 0), OrderPrefix(name, 8), uint32_t(text.size()), uint32_t(name.size()),
                         KindOf(entry->d_type)});
        text.append(name).push_back('\0');
    }
    closedir(directory);
    std::sort(found.begin(), found.end(), [&text](const Found& a, const Found& b) {
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second != b.second)
            return a.second < b.second;
        return std::string_view(text.data() + a.offset, a.length) < std::string_view(text.data() + b.offset, b.length);
    });
    std::vector<std::pair<uint32_t, EntryKind>> entries;
    entries.reserve(found.size());
    for (const Found& entry : found)
        entries.emplace_back(entry.offset, entry.kind);
    return std::make_shared<const FolderReading>(std::move(text), entries);
}

}  // namespace

std::shared_ptr<const FolderReading> ReadFolder(int folderFd)
{
    timespec begun{};
    clock_gettime(CLOCK_REALTIME_COARSE, &begun);
    struct stat folder;
    if (fstat(folderFd, &folder) != 0)
        return nullptr;
    Keeper& keeper = TheKeeper();
    {
        std::lock_guard lock(keeper.mutex);
        auto it = std::find_if(keeper.kept.begin(), keeper.kept.end(), [&](const Kept& kept) {
            return kept.device == folder.st_dev && kept.inode == folder.st_ino;
        });
        if (it != keeper.kept.end()) {
            if (it->changed == folder.st_ctim && it->modified == folder.st_mtim) {
                std::rotate(keeper.kept.begin(), it, it + 1);
                return keeper.kept.front().reading;
            }
            keeper.kept.erase(it);
        }
    }
    std::shared_ptr<const FolderReading> reading = ReadNames(folderFd);
    if (!reading || !ChangedSafelyBefore(folder.st_ctim, begun) || !ChangedSafelyBefore(folder.st_mtim, begun))
        return reading;
    std::lock_guard lock(keeper.mutex);
    std::erase_if(keeper.kept, [&](const Kept& kept) { return kept.device == folder.st_dev && kept.inode == folder.st_ino; });
    keeper.kept.insert(keeper.kept.begin(), Kept{folder.st_dev, folder.st_ino, folder.st_ctim, folder.st_mtim, reading});
    if (keeper.kept.size() > KeptFolders)
        keeper.kept.pop_back();
    return reading;
}

void ForgetFolderReadings()
{
    Keeper& keeper = TheKeeper();
    std::lock_guard lock(keeper.mutex);
    keeper.kept.clear();
}

}  // namespace platform
