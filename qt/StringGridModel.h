#pragma once

// The cells of a string grid as a Qt table model. The first fixed row and the first fixed column
// are not in the table: the view shows them as its headers, which stay in place while the cells
// scroll. Further fixed rows and columns are grey cells of the table.

#include <QAbstractTableModel>

#include <functional>
#include <string>

namespace tk {
class TStringGrid;
}

namespace qtui {

class StringGridModel : public QAbstractTableModel {
public:
    StringGridModel(const tk::TStringGrid& grid, QObject* parent);

    // Takes the grid's present size and fixed rows and columns: one reset.
    void Reload();
    // Every cell may have a new text.
    void CellsChanged();
    // The grid is going (its widget goes a little later): the model empties and reads it no more.
    void Forget();

    // The grid row and column of a table cell, and of a header section.
    int GridRow(int row) const { return row + m_headerRows; }
    int GridColumn(int column) const { return column + m_headerColumns; }
    bool HasColumnHeaders() const { return m_headerRows > 0; }
    bool HasRowHeaders() const { return m_headerColumns > 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The user committed an edit of the cell (grid column and row, the text in code page 932).
    std::function<void(int col, int row, const std::string& text)> OnUserEdit;

private:
    bool Fixed(const QModelIndex& index) const;

    const tk::TStringGrid& m_grid;
    int m_rows = 0;
    int m_columns = 0;
    int m_headerRows = 0;
    int m_headerColumns = 0;
};

}  // namespace qtui
