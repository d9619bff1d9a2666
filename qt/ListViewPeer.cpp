#include "qt/ListViewPeer.h"

#include "qt/Convert.h"
#include "qt/ListViewModel.h"
#include "qt/ListViewWidget.h"
#include "toolkit/ListView.h"

namespace qtui {

ListViewPeer::ListViewPeer(tk::TListView& listView, QtBackend& backend)
    : ControlPeer(listView, backend), m_listView(listView), m_view(new ListViewWidget(listView, ParentContainer()))
{
    Attach(m_view, InputRouter::ClickStyle::Watched);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_view->ReportView()),
                                    static_cast<QAbstractItemView*>(m_view->IconView())}) {
        Router()->WatchKeys(*view);
        Router()->Watch(*view->viewport());
    }
    m_view->OnUserSelect = WhileAttached([this](int row) { UserSelected(row); });
}

ListViewPeer::~ListViewPeer()
{
    if (Widget())
        m_view->Model()->Forget();
}

// A handler that selects another row tells the peer, which shows it at the flush.
void ListViewPeer::UserSelected(int row)
{
    if (row != m_listView.ItemIndex())
        m_listView.InputSelect(row);
}

void ListViewPeer::Apply(unsigned changes)
{
    // A new font changes the size of every item.
    if (changes & FontChange)
        changes |= ReloadChange;
    WidgetPeer::Apply(changes);
    if (changes & ColorChange)
        m_view->SetColor(ToQColor(m_listView.Color()));
    if (changes & TabStopChange)
        m_view->SetTabStop(m_listView.TabStop());
    if (changes & ReloadChange)
        m_view->Reload((changes & ColumnsChange) ? ListViewWidget::Columns::Changed : ListViewWidget::Columns::Kept);
    if (changes & (ReloadChange | SelectionChange))
        m_view->ShowSelection(m_listView.ItemIndex());
}

}  // namespace qtui
