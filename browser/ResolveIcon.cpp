// The icons of the file list: the built-in set made at start, and the icon of any other file type
// found through the file-type registry, kept in a per-listing cache from extension to image.

#include "browser/FileRows.h"
#include "browser/IconRows.h"
#include "browser/Icons.h"
#include "app/ImageForm.h"
#include "graphics/Graphics.h"
#include "app/Numbers.h"
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

void TImageForm::BuildFixedIcons()
{
    platform::IClassesRoot& fileTypes = m_process.Host.FileTypes();
    const std::string library = m_process.Host.GetSystemDirectory() + "\\shell32.dll";
    auto append = [&](std::unique_ptr<TIcon> icon) {
        if (!icon)
            icon = BlankIcon();
        ImageList3->Add(*icon);
        ImageList4->Add(*icon);
    };
    // The system library's folder, document and program icons.
    for (int number : {3, 0, 2})
        append(Extract(m_process.Icons, library, number));

    for (const char* extension : FixedIconExtensions) {
        std::string className = DefaultValueOf(fileTypes, std::string(".") + extension);
        std::string iconKey = className + "\\DefaultIcon";
        std::string iconValue =
            fileTypes.KeyExists(iconKey) ? DefaultValueOf(fileTypes, iconKey) : className;
        IconLocation location = SplitIconValue(iconValue);
        std::unique_ptr<TIcon> icon = Extract(m_process.Icons, location.path, location.number);
        if (!icon)
            icon = Extract(m_process.Icons, library, 2);
        append(std::move(icon));
    }
}

void TImageForm::ResolveIcon(const std::string& extension, const std::string& name, int row)
{
    const int n = StrToNumber(IconCount->Caption());
    const std::string lower = dos::AsciiLower(extension);
    const bool ownIcon = lower == "exe" || lower == "ico" || lower == "scr";
    TListItem& item = ListView1->Items()[row];

    // One registry look-up per type and listing; files that carry their own icon are never
    // found in the cache. The grid is searched through its index, made again from the grid when
    // anything but this listing has written to it.
    if (!ownIcon && lower != "lnk") {
        if (IconList->CellChanges() != m_iconGridChanges) {
            m_iconRows.Clear();
            for (int k = BuiltInIconCount; k < n; ++k)
                m_iconRows.Add(dos::AsciiLower(IconList->Cell(1, k)), k);
            m_iconGridChanges = IconList->CellChanges();
        }
        if (int cached = m_iconRows.Find(lower); cached >= 0 && cached < n) {
            item.SetImageIndex(cached);
            return;
        }
    }

    platform::IClassesRoot& fileTypes = m_process.Host.FileTypes();
    const std::string extKey = "." + extension;
    const bool ownDefaultIcon = fileTypes.KeyExists(extKey + "\\DefaultIcon");
    std::string iconValue = DefaultValueOf(fileTypes, extKey + "\\DefaultIcon");
    if (fileTypes.KeyExists(extKey) && !ownDefaultIcon) {
        std::string className = DefaultValueOf(fileTypes, extKey);
        iconValue = DefaultValueOf(fileTypes, className + "\\DefaultIcon");
    }
    const IconLocation location = SplitIconValue(iconValue);

    // The small image goes to ImageList1 and the large one to ImageList2; `fromLists` when they
    // are images of the lists themselves.
    const TIcon* small = nullptr;
    const TIcon* large = nullptr;
    bool fromLists = true;
    std::unique_ptr<TIcon> extracted;
    if (name == "Recycled") {
        small = large = &ImageList1->Image(13);
    } else if (iconValue.empty() && lower != "scr") {
        small = &ImageList1->Image(DocumentIcon);
        large = &ImageList2->Image(DocumentIcon);
    } else if (ownIcon) {
        extracted = Extract(m_process.Icons, name, 0);
        fromLists = !extracted;
        small = extracted ? extracted.get() : &ImageList1->Image(ProgramIcon);
        large = extracted ? extracted.get() : &ImageList2->Image(ProgramIcon);
    } else {
        auto [place, added] = m_extractedIcons.try_emplace({location.path, location.number});
        if (added)
            if (std::unique_ptr<TIcon> icon = Extract(m_process.Icons, location.path, location.number))
                place->second = ListedIcon{ScaledFor(*ImageList1, *icon), ScaledFor(*ImageList2, *icon)};
        fromLists = !place->second;
        small = place->second ? &place->second->small : &ImageList1->Image(DocumentIcon);
        large = place->second ? &place->second->large : &ImageList2->Image(DocumentIcon);
    }
    if (fromLists) {
        // Copied before anything is added to the lists, which may move their images.
        TIcon smallCopy = *small;
        TIcon largeCopy = *large;
        ImageList1->Add(smallCopy);
        ImageList2->Add(largeCopy);
    } else {
        ImageList1->Add(*small);
        ImageList2->Add(*large);
    }

    IconCount->SetCaption(NumberToStr(n + 1));
    if (IconList->RowCount() <= n)
        IconList->SetRowCount(IconList->RowCount() + 1);
    IconList->SetCell(0, n, NumberToStr(n));
    IconList->SetCell(1, n, extension);
    m_iconRows.Add(lower, n);
    m_iconGridChanges = IconList->CellChanges();
    item.SetImageIndex(n);
}

}  // namespace orvane
