#include "toolkit/ListView.h"

#include "toolkit/ImageList.h"

#include <algorithm>

namespace tk {

const char* ViewStyleName(TViewStyle style)
{
    switch (style) {
    case TViewStyle::vsIcon: return "vsIcon";
    case TViewStyle::vsSmallIcon: return "vsSmallIcon";
    case TViewStyle::vsList: return "vsList";
    case TViewStyle::vsReport: return "vsReport";
    }
    return "vsIcon";
}

void TListItem::SetCaption(const std::string& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Changed();
}

const std::string& TListItem::SubItem(int index) const
{
    static const std::string none;
    return index >= 0 && index < static_cast<int>(m_subItems.size()) ? m_subItems[index] : none;
}

void TListItem::SetSubItem(int index, std::string text)
{
    if (index < 0)
        return;
    if (index >= static_cast<int>(m_subItems.size()))
        m_subItems.resize(index + 1);
    else if (m_subItems[index] == text)
        return;
    m_subItems[index] = std::move(text);
    Changed();
}

void TListItem::SetSubItems(std::vector<std::string> subItems)
{
    m_subItems = std::move(subItems);
    Changed();
}

void TListItem::AssignSubItems(std::initializer_list<std::string_view> texts)
{
    m_subItems.resize(texts.size());
    auto field = m_subItems.begin();
    for (std::string_view text : texts)
        (field++)->assign(text);
    Changed();
}

void TListItem::SetImageIndex(int index)
{
    if (m_imageIndex == index)
        return;
    m_imageIndex = index;
    Changed();
}

void TListItem::Changed()
{
    if (m_owner)
        m_owner->ItemsChanged();
}

TListItem& TListItems::Add()
{
    TListItem& item = m_items.emplace_back();
    item.m_owner = &m_owner;
    item.m_index = Count() - 1;
    m_owner.ItemsChanged();
    return item;
}

void TListItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    for (int i = index; i < Count(); ++i)
        m_items[i].m_index = i;
    m_owner.RowsRemovedFrom(index);
}

// The rows move in place, along the cycles of the permutation, each row once: a second list of
// all the rows would be fresh memory on every sort of a large folder.
void TListItems::Reorder(const std::vector<int>& order)
{
    if (order.empty())
        return;
    const size_t n = std::min(order.size(), m_items.size());
    std::vector<bool> placed(n);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start])
            continue;
        placed[start] = true;
        TListItem held = std::move(m_items[start]);
        size_t p = start;
        // A number out of range or met twice is no permutation; the cycle closes there.
        for (size_t from = static_cast<size_t>(order[p]); from != start && from < n && !placed[from];
             from = static_cast<size_t>(order[p])) {
            m_items[p] = std::move(m_items[from]);
            placed[from] = true;
            p = from;
        }
        m_items[p] = std::move(held);
    }
    for (size_t p = 0; p < n; ++p)
        m_items[p].m_index = static_cast<int>(p);
    m_owner.ItemsChanged();
}

void TListItems::Truncate(int count)
{
    if (count < 0 || count >= Count())
        return;
    m_items.resize(count);
    m_owner.RowsRemovedFrom(count);
}

TListView::TListView(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
}

void TListView::AddColumn(const std::string& caption, int width, TAlignment alignment)
{
    m_columns.push_back({caption, width, alignment});
    if (ListViewPeer())
        ListViewPeer()->ColumnsChanged();
}

void TListView::SetViewStyle(TViewStyle style)
{
    if (m_viewStyle == style)
        return;
    m_viewStyle = style;
    if (ListViewPeer())
        ListViewPeer()->SetViewStyle(style);
}

void TListView::SetSmallImages(TImageList* images)
{
    m_smallImages = images;
    if (ListViewPeer())
        ListViewPeer()->ImagesChanged();
}

void TListView::SetLargeImages(TImageList* images)
{
    m_largeImages = images;
    if (ListViewPeer())
        ListViewPeer()->ImagesChanged();
}

void TListView::SetItemIndex(int index)
{
    if (index < -1 || index >= m_items.Count())
        index = -1;
    if (m_itemIndex == index)
        return;
    m_itemIndex = index;
    if (ListViewPeer())
        ListViewPeer()->SelectionChanged();
    if (OnChange)
        OnChange(this);
}

void TListView::InputSelect(int index)
{
    RunHandler([&] { SetItemIndex(index); });
}

void TListView::ItemsChanged()
{
    if (ListViewPeer())
        ListViewPeer()->ItemsChanged();
}

void TListView::RowsRemovedFrom(int count)
{
    if (m_itemIndex >= count)
        SetItemIndex(-1);
    ItemsChanged();
}

std::unique_ptr<TControlPeer> TListView::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TListView::InitializePeer()
{
    ListViewPeer()->ColumnsChanged();
    ListViewPeer()->SetViewStyle(m_viewStyle);
    ListViewPeer()->ImagesChanged();
    ListViewPeer()->ItemsChanged();
    ListViewPeer()->SelectionChanged();
    TWinControl::InitializePeer();
}

void TListView::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("ViewStyle", TPropertyValue::Enumeration(ViewStyleName(m_viewStyle)));
    list.Add("Items.Count", TPropertyValue::Integer(m_items.Count()));
    list.Add("ItemIndex", TPropertyValue::Integer(m_itemIndex));
    list.Add("Selected", TPropertyValue::Text(Selected() ? Selected()->Caption() : std::string()));
}

}  // namespace tk
