#pragma once

#include "toolkit/WinControl.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tk {

// A grid of texts. Cells are kept apart from the grid's size: a cell beyond the last row or column
// holds its text all the same, as the original grid's did; only the rows and columns within the
// size are shown.
class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent* owner);

    int ColCount() const { return m_colCount; }
    void SetColCount(int count);
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int count);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height);
    // Whether the user may edit the cells that are not fixed.
    bool Editing() const { return m_editing; }
    void SetEditing(bool editing);

    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);
    // One past the last row that holds a cell, within the grid's size or beyond it.
    int StoredRowCount() const { return static_cast<int>(m_cells.size()); }
    // How many times a cell's text has changed since the grid was made: one who keeps an index of
    // the cells knows from it when the index must be made again.
    uint64_t CellChanges() const { return m_cellChanges; }

    // The user typed a text into a cell (the cell's old text is replaced).
    TNotifyEvent OnSetEditText;
    void InputCell(int col, int row, const std::string& text);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TStringGridPeer* GridPeer() const { return static_cast<TStringGridPeer*>(m_peer.get()); }

private:
    void LayoutChanged();

    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    bool m_editing = false;
    uint64_t m_cellChanges = 0;
    std::vector<std::vector<std::string>> m_cells;
};

}  // namespace tk
