#include "qt/ListViewWidget.h"

#include "qt/Convert.h"
#include "platform/CodePage.h"
#include "qt/ListViewModel.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStackedLayout>
#include <QTextLayout>

#include <algorithm>
#include <unordered_map>

namespace qtui {

namespace {
constexpr int SmallIcon = 16;
constexpr int LargeIcon = 32;
// The spacing of large icons on that desktop, and the room an item of the small-icon styles
// leaves around its icon and name.
constexpr int LargeIconCellWidth = 75;
constexpr int SmallIconItemPadding = 4 + 12;

// Measures names character by character from tables, so that the widest of 100,000 names is
// found in a few milliseconds rather than by laying out each name; kerning, which the fonts of
// these names hardly have, is left out. Names with the escapes of characters that code page 932
// lacks are measured whole.
class NameWidths {
public:
    explicit NameWidths(const QFontMetrics& metrics) : m_metrics(metrics)
    {
        for (int byte = 0; byte < 256; ++byte)
            m_single[byte] = dos::IsLeadByte(byte) ? 0 : Measure(std::string(1, char(byte)));
    }

    int Width(const std::string& name)
    {
        int width = 0;
        for (size_t i = 0; i < name.size(); ++i) {
            auto byte = static_cast<unsigned char>(name[i]);
            if (!dos::IsLeadByte(byte) || i + 1 == name.size()) {
                width += m_single[byte];
                continue;
            }
            if (byte >= 0xF0)
                return Measure(name);
            uint16_t code = uint16_t(byte << 8 | static_cast<unsigned char>(name[++i]));
            auto [it, added] = m_double.try_emplace(code, 0);
            if (added)
                it->second = Measure(name.substr(i - 1, 2));
            width += it->second;
        }
        return width;
    }

private:
    int Measure(const std::string& text) const { return m_metrics.horizontalAdvance(ToQString(text)); }

    const QFontMetrics& m_metrics;
    int m_single[256] = {};
    std::unordered_map<uint16_t, int> m_double;
};

template <class View>
void SetUpView(View& view)
{
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setTextElideMode(Qt::ElideRight);
    view.setFocusPolicy(Qt::StrongFocus);
}
}  // namespace

void ListItemDelegate::SetStyle(tk::TViewStyle style, QSize itemSize)
{
    m_style = style;
    m_itemSize = itemSize;
}

QSize ListItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_style == tk::TViewStyle::vsReport || !m_itemSize.isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    return m_itemSize;
}

void ListItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The highlight lies behind the name; the icon shows its selection blended.
    option->showDecorationSelected = false;
    switch (m_style) {
    case tk::TViewStyle::vsReport:
        // The report highlights the name of the selected row, not its other columns.
        if (index.column() > 0)
            option->state &= ~QStyle::State_Selected;
        break;
    default:
        option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        break;
    }
}

void ListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_style == tk::TViewStyle::vsReport && index.column() > 0) {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        NarrowToFit(item);
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        return;
    }
    if (m_style != tk::TViewStyle::vsIcon) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    PaintLargeIcon(*painter, item);
}

// The report's columns keep their widths, which were chosen for the narrower Latin letters of
// the original desktop's font; with this desktop's Japanese fonts a date and time ("2026/12/08
// 16:56:30") is some ten pixels wider than its 120-pixel column. A size, type or date that is a
// little too wide is drawn narrower, down to four fifths of its width, rather than cut short;
// only a text wider than that still ends in an ellipsis.
void ListItemDelegate::NarrowToFit(QStyleOptionViewItem& option) const
{
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The style's own margin on each side of a cell's text, as it lays the text out, and a pixel
    // for the fractions of the text's width that whole pixels round away.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const qreal room = option.rect.width() - 2 * margin - 1;
    const qreal needed = QFontMetricsF(option.font).horizontalAdvance(option.text);
    if (option.text.isEmpty() || needed <= room || room <= 0 || needed * 4 > room * 5)
        return;
    QFont font = option.font;
    for (int stretch = std::min(99, int(room * 100 / needed)); stretch >= 80; --stretch) {
        font.setStretch(stretch);
        if (QFontMetricsF(font).horizontalAdvance(option.text) <= room) {
            option.font = font;
            option.fontMetrics = QFontMetrics(font);
            return;
        }
    }
}

// The icon centred at the top of its cell, the name under it in at most two lines, broken between
// words or, for a name without blanks, between any two characters, as that desktop did; a name
// longer than that ends in an ellipsis. The highlight covers the name only.
void ListItemDelegate::PaintLargeIcon(QPainter& painter, const QStyleOptionViewItem& option) const
{
    const QRect& cell = option.rect;
    bool selected = option.state & QStyle::State_Selected;
    QRect iconRect(cell.left() + (cell.width() - LargeIcon) / 2, cell.top() + 4, LargeIcon, LargeIcon);
    option.icon.paint(&painter, iconRect, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);

    int width = cell.width() - 4;
    QTextLayout layout(option.text, option.font);
    QTextOption wrapping(Qt::AlignHCenter);
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid() && lines.size() < 2; line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(option.text.mid(line.textStart(), line.textLength()));
        if (lines.size() == 2)
            lines.back() = option.fontMetrics.elidedText(option.text.mid(line.textStart()), Qt::ElideRight, width);
    }
    layout.endLayout();

    int lineHeight = option.fontMetrics.height();
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, option.fontMetrics.horizontalAdvance(line));
    QRect label(cell.left() + (cell.width() - textWidth) / 2 - 2, iconRect.bottom() + 4, textWidth + 4,
                int(lines.size()) * lineHeight + 1);
    if (selected)
        painter.fillRect(label, option.palette.color(QPalette::Highlight));
    painter.setFont(option.font);
    painter.setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QRect(cell.left(), label.top() + i * lineHeight, cell.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, lines[i]);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = label;
        focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = option.widget;
        if (widget)
            widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, widget);
    }
}

template <class View>
void ListItemsView<View>::mousePressEvent(QMouseEvent* event)
{
    View::mousePressEvent(event);
    if (!this->indexAt(event->position().toPoint()).isValid() && this->selectionModel())
        this->selectionModel()->clearSelection();
}

ListViewWidget::ListViewWidget(const tk::TListView& listView, QWidget* parent)
    : QWidget(parent),
      m_listView(listView),
      m_model(new ListViewModel(listView, this)),
      m_selection(new QItemSelectionModel(m_model, this)),
      m_stack(new QStackedLayout(this)),
      m_report(new ListItemsView<QTreeView>(this)),
      m_icons(new ListItemsView<QListView>(this)),
      m_reportDelegate(new ListItemDelegate(this)),
      m_iconDelegate(new ListItemDelegate(this))
{
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_icons);

    SetUpView(*m_report);
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(false);
    m_report->setIconSize(QSize(SmallIcon, SmallIcon));
    m_report->header()->setStretchLastSection(false);
    m_report->header()->setSectionsMovable(false);
    m_report->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_report->setItemDelegate(m_reportDelegate);

    SetUpView(*m_icons);
    m_icons->setViewMode(QListView::ListMode);
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setLayoutMode(QListView::SinglePass);
    m_icons->setUniformItemSizes(true);
    m_icons->setWrapping(true);
    m_icons->setSpacing(0);
    m_icons->setItemDelegate(m_iconDelegate);

    m_report->setModel(m_model);
    m_icons->setModel(m_model);
    // Each view made a selection model of its own; both now share one.
    QItemSelectionModel* reportSelection = m_report->selectionModel();
    QItemSelectionModel* iconSelection = m_icons->selectionModel();
    m_report->setSelectionModel(m_selection);
    m_icons->setSelectionModel(m_selection);
    delete reportSelection;
    delete iconSelection;
    connect(m_selection, &QItemSelectionModel::selectionChanged, this, [this] { SelectionMoved(); });
    // The focus stays on the name of a row, whichever column was clicked: typing the first
    // letters of a name finds it there.
    connect(m_selection, &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid() && current.column() != 0)
            m_selection->setCurrentIndex(current.siblingAtColumn(0), QItemSelectionModel::NoUpdate);
    });
    setFocusProxy(m_report);
}

QAbstractItemView* ListViewWidget::ShownView() const
{
    return m_stack->currentWidget() == m_report ? static_cast<QAbstractItemView*>(m_report) : m_icons;
}

void ListViewWidget::Reload(Columns columns)
{
    // A reset gives the header its default widths back.
    std::vector<int> widths;
    QHeaderView* header = m_report->header();
    if (columns == Columns::Kept && header->count() == static_cast<int>(m_listView.Columns().size()))
        for (int column = 0; column < header->count(); ++column)
            widths.push_back(header->sectionSize(column));
    tk::TViewStyle style = m_listView.ViewStyle();
    ApplyStyle(style);
    m_model->Reload(style == tk::TViewStyle::vsIcon);
    ApplyColumns(widths);
}

// The small-icon styles give every item the width of the widest name, as that desktop did; the
// large icons sit in cells of a fixed width, their names wrapped under them.
void ListViewWidget::ApplyStyle(tk::TViewStyle style)
{
    QAbstractItemView* previous = ShownView();
    bool hadFocus = previous->hasFocus();
    int lineHeight = m_icons->fontMetrics().height();
    if (style == tk::TViewStyle::vsReport) {
        m_stack->setCurrentWidget(m_report);
    } else {
        bool large = style == tk::TViewStyle::vsIcon;
        QSize itemSize = large ? QSize(LargeIconCellWidth, 4 + LargeIcon + 4 + 2 * lineHeight + 4)
                               : QSize(SmallIcon + WidestCaption() + SmallIconItemPadding,
                                       std::max(SmallIcon, lineHeight) + 2);
        m_iconDelegate->SetStyle(style, itemSize);
        m_icons->setIconSize(large ? QSize(LargeIcon, LargeIcon) : QSize(SmallIcon, SmallIcon));
        m_icons->setFlow(style == tk::TViewStyle::vsList ? QListView::TopToBottom : QListView::LeftToRight);
        m_icons->setWrapping(true);
        m_stack->setCurrentWidget(m_icons);
    }
    setFocusProxy(ShownView());
    if (hadFocus && ShownView() != previous)
        ShownView()->setFocus(Qt::OtherFocusReason);
}

int ListViewWidget::WidestCaption() const
{
    QFontMetrics metrics = m_icons->fontMetrics();
    NameWidths widths(metrics);
    const tk::TListItems& items = m_listView.Items();
    int widest = 0;
    for (int row = 0; row < items.Count(); ++row)
        widest = std::max(widest, widths.Width(items[row].Caption()));
    return widest;
}

void ListViewWidget::ApplyColumns(const std::vector<int>& widths)
{
    const std::vector<tk::TListColumn>& columns = m_listView.Columns();
    QHeaderView* header = m_report->header();
    header->setVisible(!columns.empty());
    for (int column = 0; column < static_cast<int>(columns.size()); ++column)
        header->resizeSection(column, widths.size() == columns.size() ? widths[column] : columns[column].width);
}

int ListViewWidget::SelectedRow() const
{
    QModelIndexList selected = m_selection->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void ListViewWidget::ShowSelection(int row)
{
    if (row >= m_model->rowCount())
        row = -1;
    if (SelectedRow() == row && (row < 0 || m_selection->currentIndex().row() == row))
        return;
    m_applying = true;
    if (row < 0) {
        m_selection->clearSelection();
    } else {
        QModelIndex index = m_model->index(row, 0);
        m_selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ShownView()->scrollTo(index);
    }
    m_applying = false;
}

void ListViewWidget::SelectionMoved()
{
    if (!m_applying && OnUserSelect)
        OnUserSelect(SelectedRow());
}

void ListViewWidget::SetTabStop(bool tabStop)
{
    Qt::FocusPolicy policy = tabStop ? Qt::StrongFocus : Qt::NoFocus;
    m_report->setFocusPolicy(policy);
    m_icons->setFocusPolicy(policy);
}

void ListViewWidget::SetColor(const QColor& color)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, color);
        view->setPalette(palette);
    }
}

}  // namespace qtui
