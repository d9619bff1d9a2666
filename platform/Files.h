#pragma once

// Files and folders in the manner of that system's calls: a directory search with a wildcard
// pattern and an attribute mask, and whole-file reading, replacing, deleting and folder making.
// Every path here is a DOS path in code page 932, resolved through the drive map.

#include "platform/CurrentFolder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class DriveMap;

enum FileAttribute : unsigned {
    faReadOnly = 1,
    faHidden = 2,
    faSysFile = 4,
    faVolumeID = 8,
    faDirectory = 16,
    faArchive = 32,
    faAnyFile = 63,
};

// A moment in local time.
struct LocalTime {
    int year = 1980;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const LocalTime&) const = default;
};

struct FoundFile {
    std::string name;  // code page 932
    unsigned attributes = 0;
    uint64_t size = 0;
    // The last write, in local time at the two-second resolution of that system's file times.
    LocalTime time;
    // The same packed as that system did: the date in the high 16 bits, the time in the low ones.
    uint32_t dosTime = 0;
    // A named pipe, a socket or a device, or a link to one: listed as a file, but never opened,
    // as reading it could wait without end or never end.
    bool special = false;
};

// Packs a local time as a DOS date and time; times before 1980 give 1980-01-01 00:00:00.
uint32_t PackDosTime(const LocalTime& time);

// Matches a file name against a wildcard pattern as that system did: letters compared without
// case, "*" any run of characters, "?" one character, "*.*" everything (names without a dot too).
bool MatchesPattern(std::string_view name, std::string_view pattern);

// A search over one folder: "C:\work\*.bmp". An entry is reported unless it carries the hidden,
// system, volume or directory attribute while the mask lacks it. "." and ".." come first, except
// in a drive's root folder; the rest come in the byte order of their host names, the same on
// every file system.
class DirectorySearch {
public:
    DirectorySearch(const DriveMap& drives, std::string_view pattern, unsigned attributeMask);
    ~DirectorySearch();
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    // The next matching entry; false when there is none left (or the folder cannot be read).
    bool Next(FoundFile& entry);
    // How many entries the folder held when it was read, before the pattern and the mask chose
    // among them ("." and ".." not counted): room to make for what Next gives. 0 until the
    // folder's entries are read, which the first Next past the dots does.
    size_t FolderSize() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};


// A DOS path resolved to the host: an exact look-up first, then, part by part, a look-up that
// ignores the case of ASCII letters (the first such name in byte order when several match). Parts
// that do not exist are kept as given. None when no drive holds the path.
std::optional<std::string> ResolveHostPath(const DriveMap& drives, std::string_view dosPath);

// The host path of a DOS path taken exactly as written, the case of letters included; none when no
// drive holds it or it passes through "." or "..", which only ResolveHostPath follows.
std::optional<std::string> ExactHostPath(const DriveMap& drives, std::string_view dosPath);

// The whole content of a regular file, as long as it was when opened; none when it cannot be read
// or is no regular file (a named pipe, a socket or a device is never waited on).
std::optional<std::string> ReadWholeFile(const DriveMap& drives, std::string_view dosPath);

// Creates or replaces a file with the content. The new content is written beside the old file
// and renamed over it, so a crash never leaves a half-written file or loses the old one; a
// symbolic link keeps standing and the file it names is replaced. False when it cannot be written
// (the old file then stays as it was), a file the user may not write included; `reason`, when
// given, then receives the system's reason in Japanese, code page 932 (see SystemErrors.h).
bool ReplaceFile(const DriveMap& drives, std::string_view dosPath, std::string_view content,
                 std::string* reason = nullptr);

// Deletes a file (not a folder); false when it cannot.
bool DeleteFile(const DriveMap& drives, std::string_view dosPath);

// Creates one folder level; false when it cannot (a missing parent, an existing entry).
bool CreateDirectory(const DriveMap& drives, std::string_view dosPath);

// The folders in a folder, hidden ones (dot names) left out, in byte order of their host names; a
// link to a folder counts as one. What each entry is comes from the folder's own record, so only
// links (and entries of file systems that record no kinds) are looked at one by one.
std::vector<std::string> SubFolderNames(const DriveMap& drives, std::string_view dosFolder);

// Whether anything exists at exactly this path, as a search for the path without wildcards finds
// it; with its entry.
std::optional<FoundFile> FindExact(const DriveMap& drives, std::string_view dosPath);

}  // namespace platform
