#pragma once

// The widget of a list view: a report view (rows under column headers) and an icon view (the
// list, small-icon and large-icon styles) over one model and one selection, one of the two shown.

#include "toolkit/Types.h"

#include <QListView>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QWidget>

#include <functional>
#include <vector>

class QItemSelectionModel;
class QStackedLayout;

namespace tk {
class TListView;
}

namespace qtui {

class ListViewModel;

// Draws the rows in a style: the large-icon style puts the name under its icon, and every item of
// the icon view takes the same size, so that a long listing is laid out without measuring it.
class ListItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetStyle(tk::TViewStyle style, QSize itemSize);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    void PaintLargeIcon(QPainter& painter, const QStyleOptionViewItem& option) const;
    void NarrowToFit(QStyleOptionViewItem& option) const;

    tk::TViewStyle m_style = tk::TViewStyle::vsReport;
    QSize m_itemSize;
};

// A press on no row deselects, as in that desktop's list view.
template <class View>
class ListItemsView : public View {
public:
    using View::View;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class ListViewWidget : public QWidget {
public:
    ListViewWidget(const tk::TListView& listView, QWidget* parent);

    ListViewModel* Model() const { return m_model; }
    QTreeView* ReportView() const { return m_report; }
    QListView* IconView() const { return m_icons; }
    QAbstractItemView* ShownView() const;

    // Reads the rows, the image lists and the style again: one reset. The column widths are the
    // list's when its columns changed, else those the user left them at.
    enum class Columns { Kept, Changed };
    void Reload(Columns columns);
    // Shows the list's selected row (-1: none), scrolled into sight when the view did not show
    // it already; the user's own selection is left where it is.
    void ShowSelection(int row);
    // The row the view shows selected, -1 for none.
    int SelectedRow() const;
    void SetTabStop(bool tabStop);
    void SetColor(const QColor& color);

    // The user selected a row (-1: none).
    std::function<void(int row)> OnUserSelect;

private:
    void ApplyStyle(tk::TViewStyle style);
    void ApplyColumns(const std::vector<int>& widths);
    int WidestCaption() const;
    void SelectionMoved();

    const tk::TListView& m_listView;
    ListViewModel* m_model;
    QItemSelectionModel* m_selection;
    QStackedLayout* m_stack;
    ListItemsView<QTreeView>* m_report;
    ListItemsView<QListView>* m_icons;
    ListItemDelegate* m_reportDelegate;
    ListItemDelegate* m_iconDelegate;
    bool m_applying = false;
};

}  // namespace qtui
