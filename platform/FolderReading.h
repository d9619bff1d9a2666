#pragma once

// The names in a host folder, read once and kept while the folder shows no change: the folder tree,
// the file list and every look-up of a name without regard to case in the same folder share one
// read of it, however many entries it holds. Only names and the kinds the folder itself records
// are kept; sizes, times and whether a link leads to a folder are asked afresh by whoever needs
// them, since they change without the folder changing.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// What a folder entry is, as the folder records it (a link is not followed).
enum class EntryKind : unsigned char { Unknown, Folder, Link, Other };

struct FolderName {
    // Ends in a zero byte, so that its data() is the name as the system calls take it.
    std::string_view hostName;
    EntryKind kind = EntryKind::Unknown;
};

class FolderReading {
public:
    // The names one after the other, each with its zero byte, and for each its offset in them.
    FolderReading(std::string text, const std::vector<std::pair<uint32_t, EntryKind>>& entries);
    FolderReading(const FolderReading&) = delete;
    FolderReading& operator=(const FolderReading&) = delete;

    // Every entry but "." and "..", in byte order of the host names, so that every run and every
    // file system lists a folder alike.
    const std::vector<FolderName>& Names() const { return m_names; }

    // The host name of the entry whose DOS name equals `dosName` with ASCII letters folded, the
    // first in byte order when several do; none when none does. The first look-up hashes every
    // name once; the rest cost one hash look-up, a miss included.
    std::optional<std::string_view> FindIgnoringCase(std::string_view dosName) const;

private:
    void BuildIndex() const;

    // The names' bytes in one block: a large folder's names cost no allocation each.
    std::string m_text;
    std::vector<FolderName> m_names;
    mutable std::once_flag m_indexed;
    // The entries by a hash of their DOS names with letters folded, in open addressing: each slot
    // holds an entry's position + 1, or 0. Entries go in in byte order, so along a chain of probes
    // the first of several equal names comes first.
    mutable std::vector<uint32_t> m_slots;
};

// The names in the folder open as `folderFd`. A reading kept from before is given again while the
// folder's change time is the one it had then; otherwise the folder is read. A reading is kept
// only when the folder's last change lies before the moment its read began by more than the file
// system's time resolution, so that no change can hide behind an unchanged time. Null when the
// folder cannot be read.
std::shared_ptr<const FolderReading> ReadFolder(int folderFd);

// Drops every kept reading, so that the next look-up reads the folder as a first one does.
void ForgetFolderReadings();

}  // namespace platform
