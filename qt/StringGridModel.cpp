#include "qt/StringGridModel.h"

#include "qt/Convert.h"
#include "toolkit/Grids.h"

#include <QColor>

#include <algorithm>

namespace qtui {

StringGridModel::StringGridModel(const tk::TStringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid)
{
}

void StringGridModel::Reload()
{
    beginResetModel();
    m_headerRows = m_grid.FixedRows() > 0 ? 1 : 0;
    m_headerColumns = m_grid.FixedCols() > 0 ? 1 : 0;
    m_rows = std::max(0, m_grid.RowCount() - m_headerRows);
    m_columns = std::max(0, m_grid.ColCount() - m_headerColumns);
    endResetModel();
}

void StringGridModel::Forget()
{
    beginResetModel();
    m_rows = 0;
    m_columns = 0;
    m_headerRows = 0;
    m_headerColumns = 0;
    endResetModel();
}

void StringGridModel::CellsChanged()
{
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1), {Qt::DisplayRole, Qt::EditRole});
    if (m_headerRows > 0 && m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    if (m_headerColumns > 0 && m_rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

bool StringGridModel::Fixed(const QModelIndex& index) const
{
    return GridRow(index.row()) < m_grid.FixedRows() || GridColumn(index.column()) < m_grid.FixedCols();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQString(m_grid.Cell(GridColumn(index.column()), GridRow(index.row())));
    case Qt::BackgroundRole:
        return Fixed(index) ? QVariant(ToQColor(tk::clBtnFace)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return QVariant();
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0 || section >= (orientation == Qt::Horizontal ? m_columns : m_rows))
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_headerRows > 0 ? ToQString(m_grid.Cell(GridColumn(section), 0)) : QVariant();
    return m_headerColumns > 0 ? ToQString(m_grid.Cell(0, GridRow(section))) : QVariant();
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (Fixed(index))
        return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_grid.Editing())
        flags |= Qt::ItemIsEditable;
    return flags;
}

// The model's cell changes only through the grid's input entry; the view shows the outcome at the
// next flush.
bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (OnUserEdit)
        OnUserEdit(GridColumn(index.column()), GridRow(index.row()), ToCp932(value.toString()));
    return true;
}

}  // namespace qtui
