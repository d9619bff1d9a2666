// Sorting the file list by name, type, date or size, folders first in both directions, and its
// three list styles. The current choices are the visible check images of the menus.

#include "app/ImageForm.h"
#include "app/Numbers.h"
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

void TImageForm::BindSortingHandlers()
{
    const std::pair<TControl*, void (TImageForm::*)(TObject*)> bindings[] = {
        {SortFilename, &TImageForm::SortFilenameClick}, {Sfname, &TImageForm::SfnameClick},
        {SortSize, &TImageForm::SortSizeClick},         {Sfsize, &TImageForm::SfsizeClick},
        {SortShurui, &TImageForm::SortShuruiClick},     {Sfshurui, &TImageForm::SfshuruiClick},
        {SortDay, &TImageForm::SortDayClick},           {Sfday, &TImageForm::SfdayClick},
        {Asort, &TImageForm::AsortClick},               {Zsort, &TImageForm::ZsortClick},
        {Sfupdn, &TImageForm::SfupdnClick},             {ListView, &TImageForm::ListViewClick},
        {SIconView, &TImageForm::SIconViewClick},       {LIconView, &TImageForm::LIconViewClick},
    };
    for (const auto& [control, handler] : bindings)
        control->OnClick = [this, handler = handler](TObject* sender) { (this->*handler)(sender); };
}

void TImageForm::SortFilenameClick(TObject*) { SortByName(); }
void TImageForm::SfnameClick(TObject*) { SortByName(); }
void TImageForm::SortSizeClick(TObject*) { SortBySize(); }
void TImageForm::SfsizeClick(TObject*) { SortBySize(); }
void TImageForm::SortShuruiClick(TObject*) { SortByType(); }
void TImageForm::SfshuruiClick(TObject*) { SortByType(); }
void TImageForm::SortDayClick(TObject*) { SortByDate(); }
void TImageForm::SfdayClick(TObject*) { SortByDate(); }
void TImageForm::AsortClick(TObject*) { SortAscending(); }
void TImageForm::ZsortClick(TObject*) { SortDescending(); }
void TImageForm::SfupdnClick(TObject*) { ToggleSortOrder(); }
void TImageForm::ListViewClick(TObject*) { SetReportStyle(); }
void TImageForm::SIconViewClick(TObject*) { SetListStyle(); }
void TImageForm::LIconViewClick(TObject*) { SetIconStyle(); }

// The rows are sorted through an index array and then put in that order once. Each row's sort
// text is made into a key first (a number for the size), so a comparison never walks a text.
void TImageForm::Resort()
{
    const int n = m_process.ListedCount;
    if (n <= 0)
        return;
    TListItems& items = ListView1->Items();
    std::vector<int> idx(n);
    for (int r = 0; r < n; ++r)
        idx[r] = r;
    // The hidden staging list grows to the list's length and never shrinks, as the program's
    // list of rows always has; the rows themselves are reordered in place.
    TListItems& staging = ListView2->Items();
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

    const TSortDirection direction = m_process.SortDirection;
    auto sortGroups = [&](const auto& compare) {
        if (m > 1)
            QuickSortRows(idx, 0, m - 1, direction, compare);
        if (n - m > 1)
            QuickSortRows(idx, m, n - 1, direction, compare);
    };
    const TSortKey key = m_process.SortKey;
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

void TImageForm::SortByKey(TSortKey key, TImage* check, TButton* button)
{
    m_process.SortKey = key;
    if (check->Visible())
        return;
    for (TButton* other : {Sfname, Sfshurui, Sfday, Sfsize})
        other->Font().SetColor(other == button ? clRed : clWindowText);
    for (TImage* other : {Image6, Image7, Image8, Image9})
        other->SetVisible(other == check);
    ViewSeiretu->Hide();
    CloseMenus();
    Resort();
}

void TImageForm::SortByName()
{
    SortByKey(TSortKey::Name, Image6, Sfname);
}

void TImageForm::SortBySize()
{
    SortByKey(TSortKey::Size, Image9, Sfsize);
}

void TImageForm::SortByType()
{
    SortByKey(TSortKey::Type, Image7, Sfshurui);
}

void TImageForm::SortByDate()
{
    SortByKey(TSortKey::Date, Image8, Sfday);
}

void TImageForm::SortInDirection(TSortDirection direction, TImage* check, TImage* other)
{
    if (check->Visible())
        return;
    m_process.SortDirection = direction;
    check->Show();
    other->Hide();
    SortMethod->Hide();
    CloseMenus();
    Resort();
}

void TImageForm::SortAscending()
{
    SortInDirection(TSortDirection::Ascending, Image13, Image14);
}

void TImageForm::SortDescending()
{
    SortInDirection(TSortDirection::Descending, Image14, Image13);
}

void TImageForm::ToggleSortOrder()
{
    if (Image13->Visible())
        SortDescending();
    else
        SortAscending();
}

void TImageForm::SetStyle(TImage* check, TViewStyle style)
{
    if (check->Visible())
        return;
    for (TImage* other : {Image10, Image11, Image12})
        if (other != check)
            other->Hide();
    ViewFile->Hide();
    CloseMenus();
    check->Show();
    ListView1->SetViewStyle(style);
}

void TImageForm::SetReportStyle()
{
    SetStyle(Image10, TViewStyle::vsReport);
}

// The menu says small icons, but the style is the list style.
void TImageForm::SetListStyle()
{
    SetStyle(Image11, TViewStyle::vsList);
}

void TImageForm::SetIconStyle()
{
    SetStyle(Image12, TViewStyle::vsIcon);
}

}  // namespace orvane
