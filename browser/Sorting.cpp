// Sorting the file list by name, type, date or size, folders first in both directions, and its
// three list styles. The current choices are the visible check images of the menus.

#include "browser/FileList.h"
#include "common/Numbers.h"
#include "browser/FileRows.h"
#include "browser/RowOrder.h"


namespace orvane {

using namespace tk;

namespace {
// The field of a row that a sort key reads.
const std::string& Field(const TListItem& item, TSortKey key)
{
    switch (key) {
    case TSortKey::Size: return item.SubItem(SizeField);
    case TSortKey::Type: return item.SubItem(TypeField);
    case TSortKey::Date: return item.SubItem(TimeField);
    case TSortKey::Name: break;
    }
    return item.Caption();
}
}  // namespace

// The rows are sorted through an index array and then put in that order once. Each row's sort
// text is made into a key first (a number for the size), so a comparison never walks a text.
void TFileList::Resort()
{
    const int n = m_state.listedCount;
    if (n <= 0)
        return;
    TListItems& items = m_parts.list.Items();
    std::vector<int> idx(n);
    for (int r = 0; r < n; ++r)
        idx[r] = r;
    // The hidden staging list grows to the list's length and never shrinks, as the program's
    // list of rows always has; the rows themselves are reordered in place.
    TListItems& staging = m_parts.staging.Items();
    staging.Reserve(n);
    while (staging.Count() < n)
        staging.Add();

    auto textKeys = [&](auto field) {
        std::vector<TextSortKey> keys(n);
        for (int r = 0; r < n; ++r)
            keys[r] = MakeTextSortKey(field(items[r]));
        return keys;
    };
    auto byText = [](const std::vector<TextSortKey>& keys) {
        return [&keys](int a, int b) { return CompareSortKeys(keys[a], keys[b]); };
    };
    // Folders first: the rows are sorted by their markers, then each group by the key.
    const std::vector<TextSortKey> groups = textKeys([](const TListItem& item) -> const std::string& { return item.SubItem(MarkerField); });
    QuickSortRows(idx, 0, n - 1, TSortDirection::Ascending, byText(groups));
    int m = 0;
    while (m < n && items[idx[m]].SubItem(MarkerField) == FolderMarker)
        ++m;

    const TSortDirection direction = m_state.sortDirection;
    auto sortGroups = [&](const auto& compare) {
        if (m > 1)
            QuickSortRows(idx, 0, m - 1, direction, compare);
        if (n - m > 1)
            QuickSortRows(idx, m, n - 1, direction, compare);
    };
    const TSortKey key = m_state.sortKey;
    if (key == TSortKey::Size) {
        std::vector<long long> sizes(n);
        for (int r = 0; r < n; ++r)
            sizes[r] = StrToLargeNumber(Field(items[r], key));
        sortGroups([&sizes](int a, int b) { return sizes[a] < sizes[b] ? -1 : sizes[a] > sizes[b] ? 1 : 0; });
    } else {
        const std::vector<TextSortKey> keys = textKeys([key](const TListItem& item) -> const std::string& { return Field(item, key); });
        sortGroups(byText(keys));
    }
    items.Reorder(idx);
}

void TFileList::SortByKey(TSortKey key, TImage& check, TButton& button)
{
    m_state.sortKey = key;
    if (check.Visible())
        return;
    Choices& c = m_choices;
    for (TButton* other : {&c.nameButton, &c.typeButton, &c.dateButton, &c.sizeButton})
        other->Font().SetColor(other == &button ? clRed : clWindowText);
    for (TImage* other : {&c.byName, &c.byType, &c.byDate, &c.bySize})
        other->SetVisible(other == &check);
    c.orderMenu.Hide();
    m_services.closeMenus();
    Resort();
}

void TFileList::SortByName()
{
    SortByKey(TSortKey::Name, m_choices.byName, m_choices.nameButton);
}

void TFileList::SortBySize()
{
    SortByKey(TSortKey::Size, m_choices.bySize, m_choices.sizeButton);
}

void TFileList::SortByType()
{
    SortByKey(TSortKey::Type, m_choices.byType, m_choices.typeButton);
}

void TFileList::SortByDate()
{
    SortByKey(TSortKey::Date, m_choices.byDate, m_choices.dateButton);
}

void TFileList::SortInDirection(TSortDirection direction, TImage& check, TImage& other)
{
    if (check.Visible())
        return;
    m_state.sortDirection = direction;
    check.Show();
    other.Hide();
    m_choices.directionMenu.Hide();
    m_services.closeMenus();
    Resort();
}

void TFileList::SortAscending()
{
    SortInDirection(TSortDirection::Ascending, m_choices.ascending, m_choices.descending);
}

void TFileList::SortDescending()
{
    SortInDirection(TSortDirection::Descending, m_choices.descending, m_choices.ascending);
}

void TFileList::ToggleSortOrder()
{
    if (m_choices.ascending.Visible())
        SortDescending();
    else
        SortAscending();
}

void TFileList::SetStyle(TImage& check, TViewStyle style)
{
    if (check.Visible())
        return;
    for (TImage* other : {&m_choices.report, &m_choices.smallIcons, &m_choices.largeIcons})
        if (other != &check)
            other->Hide();
    m_choices.styleMenu.Hide();
    m_services.closeMenus();
    check.Show();
    m_parts.list.SetViewStyle(style);
}

void TFileList::SetReportStyle()
{
    SetStyle(m_choices.report, TViewStyle::vsReport);
}

// The menu says small icons, but the style is the list style.
void TFileList::SetListStyle()
{
    SetStyle(m_choices.smallIcons, TViewStyle::vsList);
}

void TFileList::SetIconStyle()
{
    SetStyle(m_choices.largeIcons, TViewStyle::vsIcon);
}

}  // namespace orvane
