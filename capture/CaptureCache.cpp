// The disk cache of captured windows: the timed capture of the foreground window into it, and
// the trim that keeps the pictures the capture wrote within the size limit by deleting the oldest
// one, one at a time, until the total fits.

#include "capture/CaptureCache.h"

#include "common/Numbers.h"
#include "capture/CaptureNames.h"
#include "dos/DosPath.h"
#include "formats/Bmp.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "settings/ExtensionLists.h"
#include "toolkit/Graphics.h"
#include "toolkit/Services.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
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

// Leaves the armed state: the mark turns black again and the timer stops.
void Disarm(TPanel& mark, TTimer& timer)
{
    mark.SetColor(clBlack);
    timer.SetEnabled(false);
}

}  // namespace

TCaptureCache::TCaptureCache(Parts parts, platform::Host& host, MessageBox messageBox)
    : m_parts(parts), m_host(host), m_messageBox(std::move(messageBox))
{
}

// The cache folder as stored (one ending in "\\" gives a doubled separator, as it always did), the
// flattened path of the document and ".bmp".
std::string TCaptureCache::FileOf(const std::string& flattenedPath) const
{
    return dos::AppendToFolder(m_parts.folder.Caption(), flattenedPath + ".bmp");
}

void TCaptureCache::Prepare(std::string& documentPath, std::string& file)
{
    // A hand-edited wait of more than about 24 days is held at the longest interval a timer has.
    const long long interval = std::clamp(StrToNumber(m_parts.delay.Caption()) * 1000LL, (long long)INT_MIN,
                                          (long long)INT_MAX);
    m_parts.timer.SetInterval(static_cast<int>(interval));
    documentPath = dos::FlattenPath(documentPath);
    file = FileOf(documentPath);
}

void TCaptureCache::Arm(const std::string& extension)
{
    if (extension.empty() || !ListsExtension(m_parts.types, extension))
        return;
    m_parts.timer.SetEnabled(true);
    m_parts.mark.SetColor(clBlue);
}

// A capture that cannot be stored (the cache folder was changed to one that does not exist) is
// reported and disarms all the same; the old sequence stayed armed and failed again and again.
void TCaptureCache::Capture(const std::string& file)
{
    const int maxWidth = StrToNumber(m_parts.maxWidth.Caption());
    const int maxHeight = StrToNumber(m_parts.maxHeight.Caption());
    platform::IScreen& screen = m_host.Screen();
    std::optional<platform::WindowId> window = screen.ForegroundWindow();
    std::optional<platform::ScreenRect> rect = window ? screen.WindowRect(*window) : std::nullopt;
    if (!rect) {
        // With no foreground window there is nothing to take.
        Disarm(m_parts.mark, m_parts.timer);
        return;
    }
    const int width = std::max(0, std::min(rect->right - rect->left, maxWidth));
    const int height = std::max(0, std::min(rect->bottom - rect->top, maxHeight));
    m_parts.picture.SetBounds(m_parts.picture.Left(), m_parts.picture.Top(), width, height);
    std::optional<platform::WindowPixels> pixels = screen.CaptureWindow(*window, width, height);
    formats::Image image{width, height, pixels ? std::move(pixels->pixels) : std::vector<uint32_t>()};
    image.pixels.resize(size_t(width) * size_t(height), 0xFF000000);
    m_parts.picture.Picture().SetGraphic(std::make_unique<TBitmap>(width, height, image.pixels));

    Disarm(m_parts.mark, m_parts.timer);
    // A limit of 0 leaves a picture without pixels, which no bitmap file can hold: nothing is
    // written then, and the capture ends as any other does.
    if (!image.pixels.empty()) {
        std::vector<uint8_t> bytes = formats::EncodeBmp(image, formats::BmpDepth::Bits24);
        if (!platform::ReplaceFile(m_host.Drives(), file, std::string(bytes.begin(), bytes.end()))) {
            m_messageBox("画像を保存できません: " + file, "Orvane", mbOk | mbIconError);
            return;
        }
    }
    if (m_parts.sayWhenDone.Caption() == "1")
        m_messageBox("取り込み終了しました！", "Orvane", mbOk);
    Trim();
}

// Each round searches the folder afresh. Only pictures named as the capture names them count and
// go: the folder may be one the user keeps pictures in (the chooser offers any folder), and an
// empty folder setting once made the pattern reach the drive's root. A picture that cannot be
// deleted (read-only, locked, or a folder named like a picture) is passed over from then on, so
// the trim always ends; the old loop found it again and again.
void TCaptureCache::Trim()
{
    const std::string folder = m_parts.folder.Caption();
    const auto limit = CacheLimit(m_parts.sizeLimit.Caption());
    if (!limit) {
        std::fprintf(stderr, "orvane: the cache size is not a whole number; the cache is not trimmed\n");
        return;
    }
    const platform::DriveMap& drives = m_host.Drives();
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
