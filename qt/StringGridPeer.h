#pragma once

#include "qt/WidgetPeer.h"

#include <QTableView>

namespace tk {
class TStringGrid;
}

namespace qtui {

class StringGridModel;

// A string grid: its cells in a table whose headers are the first fixed row and column, drawn as
// that desktop's grey fixed cells; the corner shows the top-left fixed cell. Tab and Shift+Tab
// leave the grid for the next and previous control, from a cell editor too (its text kept).
class StringGridWidget : public QTableView {
public:
    StringGridWidget(const tk::TStringGrid& grid, QWidget* parent);

    StringGridModel* Model() const { return m_model; }
    // Takes the grid's size, fixed rows and columns, cell sizes and editing option.
    void Reload();
    void CellsChanged();
    QString CornerText() const { return m_cornerText; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void UpdateCorner();
    void PaintCorner(QWidget& corner);

    const tk::TStringGrid& m_grid;
    StringGridModel* m_model;
    QWidget* m_corner = nullptr;
    QString m_cornerText;
};

// The user's committed edit of a cell enters the model as InputCell; leaving the grid runs its
// exit event through the form's change of active control.
class StringGridPeer : public ControlPeer<tk::TStringGridPeer> {
public:
    StringGridPeer(tk::TStringGrid& grid, QtBackend& backend);
    ~StringGridPeer() override;

    void LayoutChanged() override { Changed(LayoutChange); }
    void CellsChanged() override { Changed(CellsChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned LayoutChange = OwnChange<0>;
    static constexpr unsigned CellsChange = OwnChange<1>;

    tk::TStringGrid& m_grid;
    StringGridWidget* m_table;
};

}  // namespace qtui
