#include "toolkit/Grids.h"

#include "dos/DosText.h"

#include <algorithm>

namespace tk {

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    SetTabStop(true);
}

void TStringGrid::SetColCount(int count)
{
    count = std::max(count, 1);
    if (m_colCount == count)
        return;
    m_colCount = count;
    LayoutChanged();
}

void TStringGrid::SetRowCount(int count)
{
    count = std::max(count, 1);
    if (m_rowCount == count)
        return;
    m_rowCount = count;
    LayoutChanged();
}

void TStringGrid::SetFixedCols(int count)
{
    count = std::clamp(count, 0, m_colCount);
    if (m_fixedCols == count)
        return;
    m_fixedCols = count;
    LayoutChanged();
}

void TStringGrid::SetFixedRows(int count)
{
    count = std::clamp(count, 0, m_rowCount);
    if (m_fixedRows == count)
        return;
    m_fixedRows = count;
    LayoutChanged();
}

void TStringGrid::SetDefaultColWidth(int width)
{
    if (m_defaultColWidth == width)
        return;
    m_defaultColWidth = width;
    LayoutChanged();
}

void TStringGrid::SetDefaultRowHeight(int height)
{
    if (m_defaultRowHeight == height)
        return;
    m_defaultRowHeight = height;
    LayoutChanged();
}

void TStringGrid::SetEditing(bool editing)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    LayoutChanged();
}

const std::string& TStringGrid::Cell(int col, int row) const
{
    static const std::string empty;
    if (row < 0 || col < 0 || row >= static_cast<int>(m_cells.size()) ||
        col >= static_cast<int>(m_cells[row].size()))
        return empty;
    return m_cells[row][col];
}

void TStringGrid::SetCell(int col, int row, const std::string& text)
{
    if (row < 0 || col < 0 || Cell(col, row) == text)
        return;
    if (row >= static_cast<int>(m_cells.size()))
        m_cells.resize(row + 1);
    if (col >= static_cast<int>(m_cells[row].size()))
        m_cells[row].resize(col + 1);
    m_cells[row][col] = text;
    ++m_cellChanges;
    if (GridPeer())
        GridPeer()->CellsChanged();
}

// A cell holds one line, as an edit does: a pasted text keeps what stands before its first break.
void TStringGrid::InputCell(int col, int row, const std::string& text)
{
    RunHandler([&] {
        SetCell(col, row, std::string(dos::FirstLine(text)));
        if (OnSetEditText)
            OnSetEditText(this);
    });
}

void TStringGrid::LayoutChanged()
{
    if (GridPeer())
        GridPeer()->LayoutChanged();
}

std::unique_ptr<TControlPeer> TStringGrid::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TStringGrid::InitializePeer()
{
    GridPeer()->LayoutChanged();
    GridPeer()->CellsChanged();
    TWinControl::InitializePeer();
}

void TStringGrid::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("ColCount", TPropertyValue::Integer(m_colCount));
    list.Add("RowCount", TPropertyValue::Integer(m_rowCount));
    list.Add("FixedCols", TPropertyValue::Integer(m_fixedCols));
    list.Add("FixedRows", TPropertyValue::Integer(m_fixedRows));
}

}  // namespace tk
