// The string grid's peer: cells, fixed rows and columns as grey headers, cell sizes, and the
// user's edits reaching the model before the grid's exit event.

#include "InputEvents.h"
#include "QtFixture.h"

#include "qt/StringGridModel.h"
#include "qt/StringGridPeer.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>

#include <string>
#include <vector>

using namespace tk;

namespace {

class GridPeerTest : public QtFixture {
protected:
    GridPeerTest()
    {
        form = ShownForm(300, 200);
        grid = Child<TStringGrid>(*form);
        grid->SetBounds(10, 10, 200, 150);
        grid->SetColCount(2);
        grid->SetRowCount(5);
        // The state and extension columns of the settings grids.
        grid->SetCell(0, 0, "\x8f\xf3\x91\xd4");
        grid->SetCell(1, 0, "\x8a\x67\x92\xa3\x8e\x71");
        grid->SetCell(0, 1, "\xd5\xb0\xbb\xde\xb0\x8d\xcf");
        grid->SetCell(1, 1, "XLS");
        grid->SetCell(1, 4, "DOC");
    }

    qtui::StringGridWidget& Table() { return *WidgetOf<qtui::StringGridWidget>(*grid); }
    qtui::StringGridModel& Model() { return *Table().Model(); }
    QString Text(int row, int column) { return Model().index(row, column).data().toString(); }

    // Opens the editor on a table cell, types the text and commits it with Enter (the commit
    // follows on the next turn of the event loop).
    void EditCell(int row, int column, const QString& text)
    {
        Table().setFocus();
        QModelIndex index = Model().index(row, column);
        Table().setCurrentIndex(index);
        Table().edit(index);
        auto* editor = Table().viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << "no editor opened";
        editor->setText(text);
        Type(*editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    TForm* form;
    TStringGrid* grid;
};

TEST_F(GridPeerTest, FirstFixedRowAndColumnAreTheHeadersAndTheCornerShowsTheirCell)
{
    Turn();
    qtui::StringGridWidget& table = Table();
    EXPECT_EQ(Model().rowCount(), 4);
    EXPECT_EQ(Model().columnCount(), 1);
    EXPECT_EQ(Text(0, 0), QStringLiteral("XLS"));
    EXPECT_EQ(Text(3, 0), QStringLiteral("DOC"));
    EXPECT_EQ(Model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf16(u"\u62E1\u5F35\u5B50"));
    EXPECT_EQ(Model().headerData(0, Qt::Vertical, Qt::DisplayRole).toString(),
              QString::fromUtf16(u"\uFF95\uFF70\uFF7B\uFF9E\uFF70\u6E08"));
    EXPECT_EQ(table.CornerText(), QString::fromUtf16(u"\u72B6\u614B"));
    auto* corner = table.findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    QImage cornerShot = corner->grab().toImage();
    int dark = 0;
    for (int y = 2; y < cornerShot.height() - 2; ++y)
        for (int x = 2; x < cornerShot.width() - 2; ++x)
            dark += qGray(cornerShot.pixel(x, y)) < 0x50;
    EXPECT_GT(dark, 10) << "the corner's text in black, not greyed";
    EXPECT_TRUE(table.horizontalHeader()->isVisible());
    EXPECT_TRUE(table.verticalHeader()->isVisible());
    EXPECT_EQ(table.horizontalHeader()->sectionSize(0), 64);
    EXPECT_EQ(table.verticalHeader()->width(), 64) << "the fixed column has the default width";
    EXPECT_EQ(table.rowHeight(0), 24);
    EXPECT_EQ(table.horizontalHeader()->height(), 24);

    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(18);
    grid->SetFixedCols(0);
    Turn();
    EXPECT_EQ(Model().columnCount(), 2);
    EXPECT_FALSE(table.verticalHeader()->isVisible());
    EXPECT_EQ(Text(0, 0), QString::fromUtf16(u"\uFF95\uFF70\uFF7B\uFF9E\uFF70\u6E08"));
    EXPECT_EQ(table.columnWidth(1), 40);
    EXPECT_EQ(table.rowHeight(2), 18);
    EXPECT_TRUE(table.CornerText().isEmpty());
}

TEST_F(GridPeerTest, FurtherFixedRowsAreGreyCellsThatCannotBeEdited)
{
    grid->SetFixedRows(2);
    grid->SetEditing(true);
    Turn();
    QModelIndex fixedCell = Model().index(0, 0);
    QModelIndex cell = Model().index(1, 0);
    EXPECT_EQ(Text(0, 0), QStringLiteral("XLS"));
    EXPECT_EQ(fixedCell.data(Qt::BackgroundRole).value<QColor>(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_FALSE(Model().flags(fixedCell) & Qt::ItemIsEditable);
    EXPECT_FALSE(Model().flags(fixedCell) & Qt::ItemIsSelectable);
    EXPECT_TRUE(Model().flags(cell) & Qt::ItemIsEditable);
    grid->SetEditing(false);
    Turn();
    EXPECT_FALSE(Model().flags(cell) & Qt::ItemIsEditable);
    EXPECT_EQ(Table().editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(GridPeerTest, ManyCellsSetInOneHandlerReachTheTableOnce)
{
    Turn();
    int changes = 0;
    // Counted while the test runs, not when the grid's end changes the model after it.
    QObject counting;
    QObject::connect(&Model(), &QAbstractItemModel::dataChanged, &counting, [&] { ++changes; });
    for (int i = 0; i < 1000; ++i)
        grid->SetCell(1, 2, "X" + std::to_string(i));
    EXPECT_EQ(changes, 0);
    Turn();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Text(1, 0), QStringLiteral("X999"));
}

TEST_F(GridPeerTest, ACommittedEditEntersTheModelInCodePage932AndShowsWhatTheModelKept)
{
    grid->SetEditing(true);
    std::vector<std::string> edits;
    grid->OnSetEditText = [&](TObject*) {
        edits.push_back(grid->Cell(1, 2));
        // A handler that writes extensions in upper case, as the settings grids do.
        std::string upper = grid->Cell(1, 2);
        for (char& c : upper)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        grid->SetCell(1, 2, upper);
    };
    Turn();
    EditCell(1, 0, QString::fromUtf16(u"doc\uFF8C\uFF67\uFF72\uFF99"));
    EXPECT_EQ(edits, (std::vector<std::string>{"doc\xcc\xa7\xb2\xd9"}));
    Turn();
    EXPECT_EQ(Text(1, 0), QString::fromUtf16(u"DOC\uFF8C\uFF67\uFF72\uFF99"));
}

TEST_F(GridPeerTest, LeavingTheGridCommitsTheEditBeforeItsExitEvent)
{
    grid->SetEditing(true);
    auto* button = Child<TButton>(*form);
    button->SetBounds(220, 10, 60, 25);
    std::vector<std::string> events;
    grid->OnSetEditText = [&](TObject*) { events.push_back("edit " + grid->Cell(1, 3)); };
    grid->OnExit = [&](TObject*) { events.push_back("exit " + grid->Cell(1, 3)); };
    grid->SetFocus();
    Turn();
    QModelIndex index = Model().index(2, 0);
    Table().setCurrentIndex(index);
    Table().edit(index);
    auto* editor = Table().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("PDF"));
    WidgetOf(*button)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(events, (std::vector<std::string>{"edit PDF", "exit PDF"}));
}

// The grid becomes its form's active control as the user clicks into it; its widget is then
// given the focus at the next flush, which must not take it from a cell editor opened meanwhile.
TEST_F(GridPeerTest, ACellEditorOpenedBeforeTheFlushKeepsTheFocus)
{
    grid->SetEditing(true);
    Turn();
    Table().setFocus();
    ASSERT_EQ(form->ActiveControl(), grid);
    QModelIndex index = Model().index(1, 0);
    Table().setCurrentIndex(index);
    Table().edit(index);
    Turn();
    auto* editor = Table().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "the editor was closed";
    EXPECT_TRUE(editor->hasFocus());
}

}  // namespace
