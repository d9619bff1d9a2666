// The file list: the rows of the current folder, rebuilt from the file system.

#include "browser/FileList.h"
#include "common/Numbers.h"
#include "browser/DateText.h"
#include "browser/FileRows.h"
#include "dos/DosPath.h"
#include "platform/Files.h"
#include "dos/DosText.h"
#include "platform/Host.h"

#include <cstring>
#include <utility>
#include <string>
#include <vector>

namespace orvane {

using namespace tk;

namespace {

// The built-in icon of a fixed extension, or -1.
int FixedImageIndex(const std::string& extension)
{
    if (extension.size() != 3)
        return -1;
    const char lower[3] = {dos::AsciiLower(extension[0]), dos::AsciiLower(extension[1]),
                           dos::AsciiLower(extension[2])};
    for (size_t i = 0; i < FixedIconExtensions.size(); ++i)
        if (std::memcmp(lower, FixedIconExtensions[i], 3) == 0)
            return FirstFixedIcon + static_cast<int>(i);
    return -1;
}

// The text after the name's last dot; the whole name when it has none. A dot is never the
// second byte of a double-byte character, so a plain search finds the right one.
std::string SuffixOrWholeName(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(dot + 1);
}

// A folder lists as one only with no attributes beyond the read-only, hidden and system ones
// (16 to 23); one with its archive attribute lists as a file, as it always did.
bool ListedAsFolder(unsigned attributes)
{
    return attributes >= platform::faDirectory
        && attributes <= (platform::faDirectory | platform::faReadOnly | platform::faHidden | platform::faSysFile);
}

}  // namespace

TFileList::TFileList(Parts parts, Choices choices, State state, Services services)
    : m_parts(parts), m_choices(choices), m_state(state), m_services(std::move(services))
{
}

void TFileList::ListFolder()
{
    if (m_services.listing)
        m_services.listing();
    m_parts.list.SetViewStyle(TViewStyle::vsList);

    m_parts.smallIcons.Clear();
    m_parts.largeIcons.Clear();
    for (int k = 0; k < BuiltInIconCount; ++k) {
        m_parts.smallIcons.AddImage(m_parts.smallBuiltIn, k);
        m_parts.largeIcons.AddImage(m_parts.largeBuiltIn, k);
    }
    m_parts.iconCount.SetCaption(NumberToStr(BuiltInIconCount));
    TStringGrid& iconCache = m_parts.iconCache;
    for (int row = 0; row < iconCache.RowCount(); ++row) {
        iconCache.SetCell(0, row, "");
        iconCache.SetCell(1, row, "");
    }
    m_iconRows.Clear();
    m_iconGridChanges = iconCache.CellChanges();
    m_extractedIcons.clear();

    m_state.listedCount = 0;
    int i = 0;
    TListItems& items = m_parts.list.Items();
    const int rowsBefore = items.Count();
    const char separator = m_state.dateSeparator;
    platform::DirectorySearch search(m_services.host.Drives(), "*.*", platform::faAnyFile);
    for (platform::FoundFile entry; search.Next(entry);) {
        if (entry.name == "." || entry.name == "..")
            continue;
        std::string extension = SuffixOrWholeName(entry.name);
        // Every row takes its four fields (size, type, time, marker) at once, a row kept from the last listing too: comparing
        // each old field first costs more than it saves.
        const bool fresh = i >= items.Count();
        if (fresh) {
            // Room for the whole folder at once: a list that grows row by row moves its rows
            // again and again, into fresh memory each time.
            if (i == rowsBefore)
                items.Reserve(static_cast<int>(search.FolderSize()));
            items.Add();
        }
        TListItem& item = items[i];
        item.SetCaption(entry.name);
        std::string date = DateText(entry.time, separator);
        if (ListedAsFolder(entry.attributes)) {
            item.SetImageIndex(FolderIcon);
            item.AssignSubItems({"", FolderType, date, FolderMarker});
        } else {
            // The whole 64-bit size: the old 32-bit field showed files over 2 GiB as negative.
            item.AssignSubItems({NumberToStr(static_cast<long long>(entry.size)), extension + FileTypeSuffix, date, FileMarker});
            // A named pipe, a socket or a device is no document of its type, and its icon is not
            // looked for inside it: reading it could hold the listing up.
            int fixed = FixedImageIndex(extension);
            if (entry.special)
                item.SetImageIndex(DocumentIcon);
            else if (fixed >= 0)
                item.SetImageIndex(fixed);
            else
                ResolveIcon(extension, entry.name, i);
        }
        ++i;
    }

    m_state.listedCount = i;
    items.Truncate(m_state.listedCount);

    if (m_state.listedCount > 0) {
        using Operation = void (TFileList::*)();
        const std::pair<TImage*, Operation> keys[] = {{&m_choices.byName, &TFileList::SortByName},
                                                      {&m_choices.byType, &TFileList::SortByType},
                                                      {&m_choices.byDate, &TFileList::SortByDate},
                                                      {&m_choices.bySize, &TFileList::SortBySize}};
        for (const auto& [check, operation] : keys) {
            if (check->Visible()) {
                check->Hide();
                (this->*operation)();
                break;
            }
        }
    }
    if (m_choices.report.Visible())
        m_parts.list.SetViewStyle(TViewStyle::vsReport);
    else if (m_choices.smallIcons.Visible())
        m_parts.list.SetViewStyle(TViewStyle::vsList);
    else if (m_choices.largeIcons.Visible())
        m_parts.list.SetViewStyle(TViewStyle::vsIcon);
}

void TFileList::ListAgain()
{
    TListView& list = m_parts.list;
    const TListItem* selected = list.Selected();
    const std::string name = selected ? selected->Caption() : std::string();
    ListFolder();
    int index = -1;
    if (!name.empty())
        for (int row = 0; row < list.Items().Count(); ++row)
            if (list.Items()[row].Caption() == name) {
                index = row;
                break;
            }
    list.SetItemIndex(index);
}

std::string TFileList::PathInCurrentFolder(const std::string& name) const
{
    return dos::JoinPath(m_parts.tree.Directory(), name);
}

}  // namespace orvane
