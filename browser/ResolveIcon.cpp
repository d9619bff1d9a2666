// The icons of the file list: the built-in set made at start, and the icon of any other file type
// found through the file-type registry, kept in a per-listing cache from extension to image.

#include "browser/FileList.h"
#include "browser/FileRows.h"
#include "graphics/Graphics.h"
#include "common/Numbers.h"
#include "platform/Host.h"
#include "dos/DosText.h"


namespace orvane {

using namespace tk;

namespace {

// The key's default value; an absent key or value reads as empty text.
std::string DefaultValueOf(platform::IClassesRoot& fileTypes, const std::string& key)
{
    return fileTypes.DefaultValue(key).value_or(std::string());
}

}  // namespace

IconLocation SplitIconValue(const std::string& iconValue)
{
    size_t comma = iconValue.rfind(',');
    if (comma == std::string::npos)
        return {iconValue, StrToNumber(iconValue)};
    return {iconValue.substr(0, comma), StrToNumber(std::string_view(iconValue).substr(comma + 1))};
}

namespace {

// An extracted icon that the image lists can take, or null: an icon that cannot be added counts
// as none, so that both working lists always hold the same number of images.
std::unique_ptr<TIcon> Extract(platform::IIcons* icons, const std::string& path, int number)
{
    if (!icons)
        return nullptr;
    std::unique_ptr<TIcon> icon = graphics::MakeIcon(icons->ExtractIcon(path, number));
    return icon && !icon->Empty() ? std::move(icon) : nullptr;
}

// The icon as the list holds it: adding it then copies it as it is.
TIcon ScaledFor(const TImageList& list, const TIcon& icon)
{
    return TIcon(list.Width(), list.Height(),
                 ScalePixels(icon.Pixels(), icon.Width(), icon.Height(), list.Width(), list.Height()));
}

// A last resort that keeps the built-in indexes in place when not even the system library
// yields an icon: a blank one.
std::unique_ptr<TIcon> BlankIcon()
{
    return std::make_unique<TIcon>(32, 32, std::vector<uint32_t>(32 * 32, 0));
}

}  // namespace

void TFileList::BuildFixedIcons()
{
    platform::IClassesRoot& fileTypes = m_services.host.FileTypes();
    const std::string library = m_services.host.GetSystemDirectory() + "\\shell32.dll";
    auto append = [&](std::unique_ptr<TIcon> icon) {
        if (!icon)
            icon = BlankIcon();
        m_parts.smallBuiltIn.Add(*icon);
        m_parts.largeBuiltIn.Add(*icon);
    };
    // The system library's folder, document and program icons.
    for (int number : {3, 0, 2})
        append(Extract(m_services.icons, library, number));

    for (const char* extension : FixedIconExtensions) {
        std::string className = DefaultValueOf(fileTypes, std::string(".") + extension);
        std::string iconKey = className + "\\DefaultIcon";
        std::string iconValue =
            fileTypes.KeyExists(iconKey) ? DefaultValueOf(fileTypes, iconKey) : className;
        IconLocation location = SplitIconValue(iconValue);
        std::unique_ptr<TIcon> icon = Extract(m_services.icons, location.path, location.number);
        if (!icon)
            icon = Extract(m_services.icons, library, 2);
        append(std::move(icon));
    }
}

void TFileList::ResolveIcon(const std::string& extension, const std::string& name, int row)
{
    const int n = StrToNumber(m_parts.iconCount.Caption());
    const std::string lower = dos::AsciiLower(extension);
    const bool ownIcon = lower == "exe" || lower == "ico" || lower == "scr";
    TListItem& item = m_parts.list.Items()[row];

    // One registry look-up per type and listing; files that carry their own icon are never
    // found in the cache. The grid is searched through its index, made again from the grid when
    // anything but this listing has written to it.
    if (!ownIcon && lower != "lnk") {
        if (m_parts.iconCache.CellChanges() != m_iconGridChanges) {
            m_iconRows.Clear();
            for (int k = BuiltInIconCount; k < n; ++k)
                m_iconRows.Add(dos::AsciiLower(m_parts.iconCache.Cell(1, k)), k);
            m_iconGridChanges = m_parts.iconCache.CellChanges();
        }
        if (int cached = m_iconRows.Find(lower); cached >= 0 && cached < n) {
            item.SetImageIndex(cached);
            return;
        }
    }

    platform::IClassesRoot& fileTypes = m_services.host.FileTypes();
    const std::string extKey = "." + extension;
    const bool ownDefaultIcon = fileTypes.KeyExists(extKey + "\\DefaultIcon");
    std::string iconValue = DefaultValueOf(fileTypes, extKey + "\\DefaultIcon");
    if (fileTypes.KeyExists(extKey) && !ownDefaultIcon) {
        std::string className = DefaultValueOf(fileTypes, extKey);
        iconValue = DefaultValueOf(fileTypes, className + "\\DefaultIcon");
    }
    const IconLocation location = SplitIconValue(iconValue);

    // The small image goes to the small working list and the large one to the large list;
    // `fromLists` when they are images of the lists themselves.
    const TIcon* small = nullptr;
    const TIcon* large = nullptr;
    bool fromLists = true;
    std::unique_ptr<TIcon> extracted;
    if (name == "Recycled") {
        small = large = &m_parts.smallIcons.Image(RecycledIcon);
    } else if (iconValue.empty() && lower != "scr") {
        small = &m_parts.smallIcons.Image(DocumentIcon);
        large = &m_parts.largeIcons.Image(DocumentIcon);
    } else if (ownIcon) {
        extracted = Extract(m_services.icons, name, 0);
        fromLists = !extracted;
        small = extracted ? extracted.get() : &m_parts.smallIcons.Image(ProgramIcon);
        large = extracted ? extracted.get() : &m_parts.largeIcons.Image(ProgramIcon);
    } else {
        auto [place, added] = m_extractedIcons.try_emplace({location.path, location.number});
        if (added)
            if (std::unique_ptr<TIcon> icon = Extract(m_services.icons, location.path, location.number))
                place->second = ListedIcon{ScaledFor(m_parts.smallIcons, *icon), ScaledFor(m_parts.largeIcons, *icon)};
        fromLists = !place->second;
        small = place->second ? &place->second->small : &m_parts.smallIcons.Image(DocumentIcon);
        large = place->second ? &place->second->large : &m_parts.largeIcons.Image(DocumentIcon);
    }
    if (fromLists) {
        // Copied before anything is added to the lists, which may move their images.
        TIcon smallCopy = *small;
        TIcon largeCopy = *large;
        m_parts.smallIcons.Add(smallCopy);
        m_parts.largeIcons.Add(largeCopy);
    } else {
        m_parts.smallIcons.Add(*small);
        m_parts.largeIcons.Add(*large);
    }

    m_parts.iconCount.SetCaption(NumberToStr(n + 1));
    if (m_parts.iconCache.RowCount() <= n)
        m_parts.iconCache.SetRowCount(m_parts.iconCache.RowCount() + 1);
    m_parts.iconCache.SetCell(0, n, NumberToStr(n));
    m_parts.iconCache.SetCell(1, n, extension);
    m_iconRows.Add(lower, n);
    m_iconGridChanges = m_parts.iconCache.CellChanges();
    item.SetImageIndex(n);
}

}  // namespace orvane
