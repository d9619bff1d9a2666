#include "qt/PageControlPeer.h"

#include "qt/Convert.h"
#include "toolkit/ComCtrls.h"

#include <QPainter>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace qtui {

namespace {
constexpr int TabPadding = 6;

// The padding the style keeps around a tab's caption: that desktop's six pixels on either side.
class TabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 2 * TabPadding;
        if (metric == PM_TabBarTabVSpace)
            return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The tabs as that desktop sized them: the caption and its padding, in the height the model gives
// the row of tabs, whatever the style would ask.
class TabRow : public QTabBar {
public:
    explicit TabRow(QWidget* parent) : QTabBar(parent)
    {
        auto* style = new TabStyle;
        style->setParent(this);
        setStyle(style);
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        return QSize(fontMetrics().horizontalAdvance(tabText(index)) + 2 * TabPadding, tk::TPageControl::TabHeight);
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};
}  // namespace

PageControlWidget::PageControlWidget(QWidget* parent) : QWidget(parent), m_tabs(new TabRow(this))
{
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setFocusPolicy(Qt::StrongFocus);
    // The page control takes the focus on its tabs: one stop in the tab order, not two.
    setFocusProxy(m_tabs);
}

void PageControlWidget::resizeEvent(QResizeEvent*)
{
    m_tabs->setGeometry(0, 0, width(), tk::TPageControl::TabHeight + 2);
}

// The frame's top edge runs under the tabs' lower edge, so the active tab opens into its page.
void PageControlWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, tk::TPageControl::TabHeight, width(), height() - tk::TPageControl::TabHeight);
    frame.lineWidth = 2;
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_tabs->sizeHint();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

PageControlPeer::PageControlPeer(tk::TPageControl& pages, QtBackend& backend)
    : ControlPeer(pages, backend), m_pages(pages), m_widget(new PageControlWidget(ParentContainer()))
{
    Attach(m_widget, InputRouter::ClickStyle::Released);
    // The tabs take the focus for the page control; their clicks are the tab bar's own.
    Router()->WatchKeys(*m_widget->Tabs());
    auto choose = [this](int index) { m_pages.InputChoose(index); };
    QObject::connect(m_widget->Tabs(), &QTabBar::currentChanged, m_widget, WhileAttached(choose, PagesChange));
}

void PageControlPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (!(changes & PagesChange))
        return;
    QTabBar& tabs = *m_widget->Tabs();
    QSignalBlocker blocker(&tabs);
    while (tabs.count() > m_pages.PageCount())
        tabs.removeTab(tabs.count() - 1);
    for (int i = 0; i < m_pages.PageCount(); ++i) {
        QString caption = ToQString(m_pages.Pages(i)->Caption());
        if (i == tabs.count())
            tabs.addTab(caption);
        else if (tabs.tabText(i) != caption)
            tabs.setTabText(i, caption);
    }
    tabs.setCurrentIndex(m_pages.ActivePageIndex());
    m_widget->update();
}

TabSheetPeer::TabSheetPeer(tk::TTabSheet& sheet, QtBackend& backend)
    : ControlPeer(sheet, backend), m_sheet(sheet), m_area(new PanelWidget(ParentContainer()))
{
    m_area->SetBevel(tk::TBevelCut::bvNone);
    Attach(m_area, InputRouter::ClickStyle::Released);
}

void TabSheetPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange)
        m_area->SetColor(ToQColor(m_sheet.Color()));
}

}  // namespace qtui
