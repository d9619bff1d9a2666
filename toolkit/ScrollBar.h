#pragma once

#include "toolkit/WinControl.h"

namespace tk {

// A scroll bar. OnChange runs exactly when Position changes: when the user moves the thumb, when
// a program sets it, and when a new Min or Max moves it into the range.
class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return m_kind; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    void SetMin(int min) { SetParams(m_position, min, m_max); }
    void SetMax(int max) { SetParams(m_position, m_min, max); }
    void SetPosition(int position) { SetParams(position, m_min, m_max); }
    // Sets the three at once; a Max below Min is refused with EInvalidOperation.
    void SetParams(int position, int min, int max);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int change);
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int change);
    int PageSize() const { return m_pageSize; }
    void SetPageSize(int pageSize);

    TNotifyEvent OnChange;

    // The user moved the thumb, clicked an arrow or beside the thumb.
    void InputScroll(int position);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    virtual void Change();
    TScrollBarPeer* ScrollBarPeer() const { return static_cast<TScrollBarPeer*>(m_peer.get()); }

private:
    // The largest position: with a page size, the thumb's end stops at Max.
    int LastPosition(int min, int max) const;

    TScrollBarKind m_kind = TScrollBarKind::sbHorizontal;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    int m_pageSize = 0;
};

}  // namespace tk
