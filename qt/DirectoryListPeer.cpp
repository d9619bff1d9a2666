#include "qt/DirectoryListPeer.h"

#include "qt/Convert.h"
#include "qt/FolderIcons.h"
#include "toolkit/FileCtrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace qtui {

namespace {
constexpr int IconSize = 16;
// Where a line starts, how far each level moves it right, and the gap between icon and name.
constexpr int LineMargin = 2;
constexpr int LevelIndent = 4;
constexpr int IconGap = 4;

class FolderLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        int textWidth = option.fontMetrics.horizontalAdvance(index.data().toString());
        return QSize(TextLeft(index) + textWidth + LineMargin, std::max(IconSize, option.fontMetrics.height()));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        bool selected = option.state & QStyle::State_Selected;
        const QRect& line = option.rect;
        if (selected)
            painter->fillRect(line, option.palette.color(QPalette::Highlight));
        int iconLeft = line.left() + TextLeft(index) - IconGap - IconSize;
        QRect iconRect(iconLeft, line.top() + (line.height() - IconSize) / 2, IconSize, IconSize);
        index.data(Qt::DecorationRole).value<QIcon>().paint(painter, iconRect);
        QRect textRect = line.adjusted(TextLeft(index), 0, 0, 0);
        painter->setFont(option.font);
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
            const QWidget* widget = option.widget;
            (widget ? widget->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus,
                                                                               painter, widget);
        }
    }

private:
    static int TextLeft(const QModelIndex& index)
    {
        return LineMargin + index.data(FolderListModel::LevelRole).toInt() * LevelIndent + IconSize + IconGap;
    }
};
}  // namespace

FolderListModel::FolderListModel(const tk::TDirectoryListBox& list, QObject* parent)
    : QAbstractListModel(parent), m_list(list), m_open(OpenFolderIcon()), m_closed(ClosedFolderIcon())
{
}

void FolderListModel::Reload()
{
    beginResetModel();
    m_rows = static_cast<int>(m_list.Items().size());
    endResetModel();
}

void FolderListModel::Forget()
{
    beginResetModel();
    m_rows = 0;
    endResetModel();
}

int FolderListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const std::vector<tk::TFolderItem>& items = m_list.Items();
    if (index.row() >= static_cast<int>(items.size()))
        return QVariant();
    const tk::TFolderItem& item = items[index.row()];
    switch (role) {
    case Qt::DisplayRole: return ToQString(item.caption);
    case Qt::DecorationRole: return item.open ? m_open : m_closed;
    case LevelRole: return item.level;
    default: return QVariant();
    }
}

FolderListWidget::FolderListWidget(const tk::TDirectoryListBox& list, QWidget* parent)
    : QListView(parent), m_model(new FolderListModel(list, this))
{
    setModel(m_model);
    setItemDelegate(new FolderLineDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (OnOpen)
            OnOpen(index.row());
    });
}

void FolderListWidget::ShowCurrent(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
        return;
    }
    QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void FolderListWidget::keyPressEvent(QKeyEvent* event)
{
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !currentIndex().isValid()) {
        QListView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (OnOpen)
        OnOpen(currentIndex().row());
}

DirectoryListPeer::DirectoryListPeer(tk::TDirectoryListBox& list, QtBackend& backend)
    : ControlPeer(list, backend), m_list(list), m_view(new FolderListWidget(list, ParentContainer()))
{
    Attach(m_view, InputRouter::ClickStyle::Watched);
    Router()->Watch(*m_view->viewport());
    m_view->OnOpen = WhileAttached([this](int row) { m_list.InputOpenItem(row); });
}

DirectoryListPeer::~DirectoryListPeer()
{
    if (Widget())
        m_view->Model()->Forget();
}

void DirectoryListPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange) {
        QPalette palette = m_view->palette();
        palette.setColor(QPalette::Base, ToQColor(m_list.Color()));
        m_view->setPalette(palette);
    }
    if (changes & ItemsChange) {
        m_view->Model()->Reload();
        m_view->ShowCurrent(m_list.ItemIndex());
    }
}

}  // namespace qtui
