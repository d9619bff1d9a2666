#pragma once

#include "qt/WidgetPeer.h"

namespace tk {
class TListView;
}

namespace qtui {

class ListViewWidget;

// A list view. Whatever a handler does to the rows, the columns, the image lists or the style,
// the views see one reset at the next flush; the selection follows after it. The user's
// selection enters the model as InputSelect; clicks, double-clicks and keys come through the
// input router, a click after the selection its press made.
class ListViewPeer : public ControlPeer<tk::TListViewPeer> {
public:
    ListViewPeer(tk::TListView& listView, QtBackend& backend);
    ~ListViewPeer() override;

    ListViewWidget* View() const { return m_view; }

    void SetViewStyle(tk::TViewStyle) override { Changed(ReloadChange); }
    void ColumnsChanged() override { Changed(ReloadChange | ColumnsChange); }
    void ItemsChanged() override { Changed(ReloadChange); }
    void SelectionChanged() override { Changed(SelectionChange); }
    void ImagesChanged() override { Changed(ReloadChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned ReloadChange = OwnChange<0>;
    static constexpr unsigned SelectionChange = OwnChange<1>;
    static constexpr unsigned ColumnsChange = OwnChange<2>;

    void UserSelected(int row);

    tk::TListView& m_listView;
    ListViewWidget* m_view;
};

}  // namespace qtui
