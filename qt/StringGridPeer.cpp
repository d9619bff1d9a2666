#include "qt/StringGridPeer.h"

#include "qt/Convert.h"
#include "qt/StringGridModel.h"
#include "toolkit/Grids.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

namespace qtui {

namespace {
// The cell editor's keys as the grid's: Ctrl+Tab ends the edit, keeping its text, and goes on to
// the grid, whose page control turns the page (the editor would take it for a plain Tab).
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(QAbstractItemView& view) : QStyledItemDelegate(&view), m_view(view) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && (key->modifiers() & Qt::ControlModifier)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                QApplication::sendEvent(&m_view, key);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QAbstractItemView& m_view;
};
}  // namespace

StringGridWidget::StringGridWidget(const tk::TStringGrid& grid, QWidget* parent)
    : QTableView(parent), m_grid(grid), m_model(new StringGridModel(grid, this))
{
    setModel(m_model);
    setItemDelegate(new CellDelegate(*this));
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    // The corner is a plain button of the table; the grid's top-left cell is painted on it.
    m_corner = findChild<QAbstractButton*>();
    if (m_corner)
        m_corner->installEventFilter(this);
}

void StringGridWidget::Reload()
{
    m_model->Reload();
    horizontalHeader()->setDefaultSectionSize(m_grid.DefaultColWidth());
    verticalHeader()->setDefaultSectionSize(m_grid.DefaultRowHeight());
    horizontalHeader()->setVisible(m_model->HasColumnHeaders());
    horizontalHeader()->setFixedHeight(m_grid.DefaultRowHeight());
    verticalHeader()->setVisible(m_model->HasRowHeaders());
    verticalHeader()->setFixedWidth(m_grid.DefaultColWidth());
    setEditTriggers(m_grid.Editing() ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                           QAbstractItemView::AnyKeyPressed
                                     : QAbstractItemView::NoEditTriggers);
    UpdateCorner();
}

void StringGridWidget::CellsChanged()
{
    m_model->CellsChanged();
    UpdateCorner();
}

void StringGridWidget::UpdateCorner()
{
    m_cornerText = m_model->HasColumnHeaders() && m_model->HasRowHeaders() ? ToQString(m_grid.Cell(0, 0)) : QString();
    if (m_corner)
        m_corner->update();
}

bool StringGridWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        PaintCorner(*m_corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

// Tab in a cell editor commits the text and asks for the next cell; here it goes on to the next
// control instead, as Tab on the grid itself does.
void StringGridWidget::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    bool next = hint == QAbstractItemDelegate::EditNextItem;
    bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, next || previous ? QAbstractItemDelegate::NoHint : hint);
    if (next || previous)
        focusNextPrevChild(next);
}

void StringGridWidget::PaintCorner(QWidget& corner)
{
    QStyleOptionHeader option;
    // The corner button is disabled, so that pressing it selects nothing; its text takes the
    // table's colours, not grey.
    option.initFrom(this);
    option.rect = corner.rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_cornerText;
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QPainter painter(&corner);
    corner.style()->drawControl(QStyle::CE_Header, &option, &painter, &corner);
}

StringGridPeer::StringGridPeer(tk::TStringGrid& grid, QtBackend& backend)
    : ControlPeer(grid, backend), m_grid(grid), m_table(new StringGridWidget(grid, ParentContainer()))
{
    Attach(m_table, InputRouter::ClickStyle::Watched);
    Router()->Watch(*m_table->viewport());
    m_table->Model()->OnUserEdit =
        WhileAttached([this](int col, int row, const std::string& text) { m_grid.InputCell(col, row, text); });
}

StringGridPeer::~StringGridPeer()
{
    if (Widget())
        m_table->Model()->Forget();
}

void StringGridPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange) {
        QPalette palette = m_table->palette();
        palette.setColor(QPalette::Base, ToQColor(m_grid.Color()));
        m_table->setPalette(palette);
    }
    if (changes & LayoutChange)
        m_table->Reload();
    else if (changes & CellsChange)
        m_table->CellsChanged();
}

}  // namespace qtui
