// The file list: the rows of the current folder, rebuilt from the file system.

#include "app/ImageForm.h"
#include "app/Numbers.h"
#include "app/Process.h"
#include "browser/DateText.h"
#include "browser/FileRows.h"
#include "dos/DosPath.h"
#include "platform/Files.h"
#include "dos/DosText.h"
#include "platform/Host.h"

#include <cstring>
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

void TImageForm::ListFolder()
{
    m_process.Follower.WatchCurrentFolder();
    ListView1->SetViewStyle(TViewStyle::vsList);

    ImageList1->Clear();
    ImageList2->Clear();
    for (int k = 0; k < BuiltInIconCount; ++k) {
        ImageList1->AddImage(*ImageList3, k);
        ImageList2->AddImage(*ImageList4, k);
    }
    IconCount->SetCaption(NumberToStr(BuiltInIconCount));
    for (int row = 0; row < IconList->RowCount(); ++row) {
        IconList->SetCell(0, row, "");
        IconList->SetCell(1, row, "");
    }
    m_iconRows.Clear();
    m_iconGridChanges = IconList->CellChanges();
    m_extractedIcons.clear();

    m_process.ListedCount = 0;
    int i = 0;
    TListItems& items = ListView1->Items();
    const int rowsBefore = items.Count();
    const char separator = m_process.DateSeparator;
    platform::DirectorySearch search(m_process.Host.Drives(), "*.*", platform::faAnyFile);
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

    m_process.ListedCount = i;
    items.Truncate(m_process.ListedCount);

    if (m_process.ListedCount > 0) {
        using Operation = void (TImageForm::*)();
        const std::pair<TImage*, Operation> keys[] = {{Image6, &TImageForm::SortByName},
                                                      {Image7, &TImageForm::SortByType},
                                                      {Image8, &TImageForm::SortByDate},
                                                      {Image9, &TImageForm::SortBySize}};
        for (const auto& [check, operation] : keys) {
            if (check->Visible()) {
                check->Hide();
                (this->*operation)();
                break;
            }
        }
    }
    if (Image10->Visible())
        ListView1->SetViewStyle(TViewStyle::vsReport);
    else if (Image11->Visible())
        ListView1->SetViewStyle(TViewStyle::vsList);
    else if (Image12->Visible())
        ListView1->SetViewStyle(TViewStyle::vsIcon);
}

std::string TImageForm::PathInCurrentFolder(const std::string& name) const
{
    return dos::JoinPath(DirectoryListBox1->Directory(), name);
}

void TImageForm::DirectoryListBox1Change(TObject*)
{
    SetCaption(CaptionPrefix + DirectoryListBox1->Directory());
    ListFolder();
}

}  // namespace orvane
