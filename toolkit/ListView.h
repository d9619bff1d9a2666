#pragma once

#include "toolkit/WinControl.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class TImageList;
class TListView;

const char* ViewStyleName(TViewStyle style);

// One row of a list view: its caption, the texts of the further columns, and an image index.
class TListItem {
public:
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    const std::vector<std::string>& SubItems() const { return m_subItems; }
    // Sub-item `index`, or an empty text when the row has fewer.
    const std::string& SubItem(int index) const;
    // Sets sub-item `index`, adding empty ones before it where the row has fewer.
    void SetSubItem(int index, std::string text);
    void SetSubItems(std::vector<std::string> subItems);
    // The sub-items replaced by these texts, written into the row's own strings (no memory is
    // taken again for a row that had as many), reported as one change.
    void AssignSubItems(std::initializer_list<std::string_view> texts);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    int Index() const { return m_index; }

private:
    friend class TListItems;
    void Changed();

    TListView* m_owner = nullptr;
    int m_index = 0;
    std::string m_caption;
    std::vector<std::string> m_subItems;
    int m_imageIndex = -1;
};

// The rows of a list view. Row references stay valid until rows are added or deleted.
class TListItems {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    TListItem& operator[](int index) { return m_items[index]; }
    const TListItem& operator[](int index) const { return m_items[index]; }
    // Appends an empty row and returns it.
    TListItem& Add();
    void Delete(int index);
    // Puts the rows in a new order: row p becomes the row that was at order[p]. `order` is a
    // permutation of the first order.size() rows; the rows after them stay where they are.
    void Reorder(const std::vector<int>& order);
    // Deletes the rows from `count` on.
    void Truncate(int count);
    void Clear() { Truncate(0); }
    // Reserves room for `count` rows, so a long listing does not move them again and again.
    void Reserve(int count) { m_items.reserve(count); }

private:
    friend class TListView;
    explicit TListItems(TListView& owner) : m_owner(owner) {}

    TListView& m_owner;
    std::vector<TListItem> m_items;
};

struct TListColumn {
    std::string caption;
    int width = 50;
    TAlignment alignment = TAlignment::taLeftJustify;
};

// A list of rows with icons, in one of the four styles of that desktop's list view.
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);

    TListItems& Items() { return m_items; }
    const TListItems& Items() const { return m_items; }
    const std::vector<TListColumn>& Columns() const { return m_columns; }
    void AddColumn(const std::string& caption, int width, TAlignment alignment);

    TViewStyle ViewStyle() const { return m_viewStyle; }
    void SetViewStyle(TViewStyle style);
    TImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageList* images);
    TImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageList* images);

    // The selected row's index, -1 when none is selected.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int index);
    // The selected row, or null.
    TListItem* Selected() { return m_itemIndex >= 0 ? &m_items[m_itemIndex] : nullptr; }
    const TListItem* Selected() const { return m_itemIndex >= 0 ? &m_items[m_itemIndex] : nullptr; }

    TNotifyEvent OnChange;

    // The user selected a row (-1: none). Selecting does not click.
    void InputSelect(int index);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TListViewPeer* ListViewPeer() const { return static_cast<TListViewPeer*>(m_peer.get()); }

private:
    friend class TListItem;
    friend class TListItems;
    void ItemsChanged();
    void RowsRemovedFrom(int count);

    TListItems m_items{*this};
    std::vector<TListColumn> m_columns;
    TViewStyle m_viewStyle = TViewStyle::vsIcon;
    TImageList* m_smallImages = nullptr;
    TImageList* m_largeImages = nullptr;
    int m_itemIndex = -1;
};

}  // namespace tk
