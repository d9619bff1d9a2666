#pragma once

// The rows of a list view as a Qt item model. It holds no copy of the rows: each cell is read
// from the list when a view paints it, so a listing of any length costs the view one reset.

#include "qt/ImageListIcons.h"

#include <QAbstractTableModel>

namespace tk {
class TListItem;
class TListView;
}  // namespace tk

namespace qtui {

class ListViewModel : public QAbstractTableModel {
public:
    ListViewModel(const tk::TListView& listView, QObject* parent);

    // Takes the list's present row and column counts, with the icons of the small or the large
    // image list: one reset of every view.
    void Reload(bool largeImages);
    bool LargeImages() const { return m_largeImages; }
    // The list is going (its widget goes a little later): the model empties and reads it no more.
    void Forget();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The row, while the list still has it (between a change and the reset it may not).
    const tk::TListItem* Row(int row) const;
    QVariant Alignment(int column) const;

    const tk::TListView& m_listView;
    int m_rows = 0;
    int m_columns = 1;
    bool m_largeImages = false;
    mutable ImageListIcons m_icons;
};

}  // namespace qtui
