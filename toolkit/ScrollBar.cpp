#include "toolkit/ScrollBar.h"

#include "toolkit/Exception.h"

#include <algorithm>

namespace tk {

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 16);
    SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    // Turning the bar swaps its sides, as the original toolkit did.
    SetBounds(Left(), Top(), Height(), Width());
    if (ScrollBarPeer())
        ScrollBarPeer()->SetKind(kind);
}

int TScrollBar::LastPosition(int min, int max) const
{
    return m_pageSize > 0 ? std::max(min, max - m_pageSize + 1) : max;
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min)
        throw EInvalidOperation("スクロール バーのプロパティの値が範囲外です。");
    position = std::clamp(position, min, LastPosition(min, max));
    bool rangeChanged = min != m_min || max != m_max;
    bool positionChanged = position != m_position;
    if (!rangeChanged && !positionChanged)
        return;
    m_min = min;
    m_max = max;
    m_position = position;
    if (ScrollBarPeer())
        ScrollBarPeer()->SetParams();
    if (positionChanged)
        Change();
}

void TScrollBar::SetSmallChange(int change)
{
    if (m_smallChange == change)
        return;
    m_smallChange = change;
    if (ScrollBarPeer())
        ScrollBarPeer()->SetParams();
}

void TScrollBar::SetLargeChange(int change)
{
    if (m_largeChange == change)
        return;
    m_largeChange = change;
    if (ScrollBarPeer())
        ScrollBarPeer()->SetParams();
}

void TScrollBar::SetPageSize(int pageSize)
{
    pageSize = std::clamp(pageSize, 0, m_max - m_min + 1);
    if (m_pageSize == pageSize)
        return;
    m_pageSize = pageSize;
    if (ScrollBarPeer())
        ScrollBarPeer()->SetParams();
    SetPosition(m_position);
}

void TScrollBar::InputScroll(int position)
{
    RunHandler([&] { SetPosition(position); });
}

void TScrollBar::Change()
{
    if (OnChange)
        OnChange(this);
}

std::unique_ptr<TControlPeer> TScrollBar::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TScrollBar::InitializePeer()
{
    ScrollBarPeer()->SetKind(m_kind);
    ScrollBarPeer()->SetParams();
    TWinControl::InitializePeer();
}

void TScrollBar::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Kind", TPropertyValue::Enumeration(m_kind == TScrollBarKind::sbHorizontal ? "sbHorizontal" : "sbVertical"));
    list.Add("Min", TPropertyValue::Integer(m_min));
    list.Add("Max", TPropertyValue::Integer(m_max));
    list.Add("Position", TPropertyValue::Integer(m_position));
    list.Add("SmallChange", TPropertyValue::Integer(m_smallChange));
    list.Add("LargeChange", TPropertyValue::Integer(m_largeChange));
    list.Add("PageSize", TPropertyValue::Integer(m_pageSize));
}

}  // namespace tk
