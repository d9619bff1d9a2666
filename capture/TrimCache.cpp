// The disk cache of captured pictures: the pictures the capture wrote are kept within the size
// limit by deleting the oldest one, one at a time, until the total fits.

#include "app/ImageForm.h"
#include "capture/CaptureNames.h"
#include "dos/DosPath.h"
#include "platform/Files.h"
#include "platform/Host.h"

#include <cstdio>
#include <set>

namespace orvane {

using namespace tk;

namespace {

// The limit in mebibytes, read strictly as a whole decimal number; none for anything else (only
// a hand-edited settings file can hold such a value).
std::optional<uint64_t> CacheLimit(const std::string& text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + uint64_t(c - '0');
    }
    return value << 20;
}

}  // namespace

// Each round searches the folder afresh. Only pictures named as the capture names them count and
// go: the folder may be one the user keeps pictures in (the chooser offers any folder), and an
// empty folder setting once made the pattern reach the drive's root. A picture that cannot be
// deleted (read-only, locked, or a folder named like a picture) is passed over from then on, so
// the trim always ends; the old loop found it again and again.
void TImageForm::TrimCache()
{
    const std::string folder = CashDir->Caption();
    const auto limit = CacheLimit(CashSize->Caption());
    if (!limit) {
        std::fprintf(stderr, "orvane: the cache size is not a whole number; the cache is not trimmed\n");
        return;
    }
    const platform::DriveMap& drives = m_process.Host.Drives();
    std::set<std::string> undeletable;
    for (;;) {
        platform::DirectorySearch search(drives, dos::AppendToFolder(folder, "*.bmp"), platform::faAnyFile);
        uint64_t total = 0;
        std::optional<platform::FoundFile> oldest;
        for (platform::FoundFile entry; search.Next(entry);) {
            if (!IsCaptureFileName(entry.name))
                continue;
            total += entry.size;
            if (undeletable.contains(entry.name))
                continue;
            if (!oldest || entry.dosTime < oldest->dosTime)
                oldest = entry;
        }
        if (total <= *limit || !oldest)
            return;
        if (!platform::DeleteFile(drives, dos::AppendToFolder(folder, oldest->name)))
            undeletable.insert(oldest->name);
    }
}

}  // namespace orvane
