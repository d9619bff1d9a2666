#include "qt/ListViewModel.h"

#include "qt/Convert.h"
#include "toolkit/ListView.h"

#include <algorithm>

namespace qtui {

ListViewModel::ListViewModel(const tk::TListView& listView, QObject* parent)
    : QAbstractTableModel(parent), m_listView(listView)
{
}

void ListViewModel::Reload(bool largeImages)
{
    beginResetModel();
    m_rows = m_listView.Items().Count();
    // Without columns the report still shows the captions.
    m_columns = std::max(1, static_cast<int>(m_listView.Columns().size()));
    m_largeImages = largeImages;
    endResetModel();
}

void ListViewModel::Forget()
{
    beginResetModel();
    m_rows = 0;
    m_columns = 0;
    endResetModel();
}

int ListViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

const tk::TListItem* ListViewModel::Row(int row) const
{
    const tk::TListItems& items = m_listView.Items();
    return row >= 0 && row < items.Count() ? &items[row] : nullptr;
}

QVariant ListViewModel::Alignment(int column) const
{
    const std::vector<tk::TListColumn>& columns = m_listView.Columns();
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return QVariant();
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (columns[column].alignment == tk::TAlignment::taRightJustify)
        horizontal = Qt::AlignRight;
    else if (columns[column].alignment == tk::TAlignment::taCenter)
        horizontal = Qt::AlignHCenter;
    return QVariant::fromValue(horizontal | Qt::AlignVCenter);
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns)
        return QVariant();
    const tk::TListItem* item = Row(index.row());
    if (!item)
        return QVariant();
    int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(column == 0 ? item->Caption() : item->SubItem(column - 1));
    case Qt::DecorationRole:
        if (column != 0)
            return QVariant();
        return m_icons.Icon(m_largeImages ? m_listView.LargeImages() : m_listView.SmallImages(),
                            item->ImageIndex());
    case Qt::TextAlignmentRole:
        return Alignment(column);
    default:
        return QVariant();
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return QVariant();
    const std::vector<tk::TListColumn>& columns = m_listView.Columns();
    if (section >= static_cast<int>(columns.size()))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return ToQString(columns[section].caption);
    case Qt::TextAlignmentRole: return Alignment(section);
    default: return QVariant();
    }
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace qtui
