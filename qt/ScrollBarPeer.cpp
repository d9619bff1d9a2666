#include "qt/ScrollBarPeer.h"

#include "toolkit/ScrollBar.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace qtui {

ScrollBarPeer::ScrollBarPeer(tk::TScrollBar& scrollBar, QtBackend& backend)
    : ControlPeer(scrollBar, backend), m_scrollBar(scrollBar), m_bar(new QScrollBar(ParentContainer()))
{
    m_bar->setFocusPolicy(scrollBar.TabStop() ? Qt::StrongFocus : Qt::NoFocus);
    Attach(m_bar, InputRouter::ClickStyle::Native);
    QObject::connect(m_bar, &QScrollBar::valueChanged, m_bar,
                     WhileAttached([this](int position) { UserMoved(position); }));
    QObject::connect(m_bar, &QScrollBar::actionTriggered, m_bar,
                     WhileAttached([this](int action) { PageStep(action); }));
}

void ScrollBarPeer::UserMoved(int position)
{
    if (position != m_scrollBar.Position())
        m_scrollBar.InputScroll(position);
}

// A click beside the thumb moves by LargeChange, while the thumb's length shows PageSize, so
// the page action's outcome is set here rather than by the bar's page step.
void ScrollBarPeer::PageStep(int action)
{
    int step = 0;
    if (action == QAbstractSlider::SliderPageStepAdd)
        step = m_scrollBar.LargeChange();
    else if (action == QAbstractSlider::SliderPageStepSub)
        step = -m_scrollBar.LargeChange();
    else
        return;
    m_bar->setSliderPosition(std::clamp(m_bar->value() + step, m_bar->minimum(), m_bar->maximum()));
}

void ScrollBarPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    QSignalBlocker blocker(m_bar);
    if (changes & OrientationChange)
        m_bar->setOrientation(m_scrollBar.Kind() == tk::TScrollBarKind::sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    if (changes & ParamsChange) {
        int pageSize = m_scrollBar.PageSize();
        int last = pageSize > 0 ? std::max(m_scrollBar.Min(), m_scrollBar.Max() - pageSize + 1) : m_scrollBar.Max();
        m_bar->setRange(m_scrollBar.Min(), last);
        m_bar->setPageStep(pageSize);
        m_bar->setSingleStep(m_scrollBar.SmallChange());
        m_bar->setValue(m_scrollBar.Position());
    }
}

}  // namespace qtui
