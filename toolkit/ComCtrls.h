#pragma once

// The common controls of the dialogs: the up-down control that steps a number in an edit, and the
// page control whose tabs show one tab sheet at a time.

#include "toolkit/StdCtrls.h"

#include <functional>
#include <string>
#include <vector>

namespace tk {

// Two arrow buttons that step a whole number between Min and Max. Bound to an edit (Associate),
// it sits at the edit's right and writes its position into the edit as decimal text; it reads the
// position back from the edit's text before each step, so a number the program put there counts.
class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    int Min() const { return m_min; }
    void SetMin(int min);
    int Max() const { return m_max; }
    void SetMax(int max);
    // The edit's number when it holds one within Min and Max, the last position otherwise.
    int Position() const;
    // Held within Min and Max; written into the edit.
    void SetPosition(int position);
    int Increment() const { return m_increment; }
    void SetIncrement(int increment) { m_increment = increment; }
    TEdit* Associate() const { return m_associate; }
    void SetAssociate(TEdit* edit);

    // One step up (+1) or down (-1) from the present position, held within the range.
    void Step(int direction);

    // The user pressed an arrow (+1 up, -1 down), or moved the control to a position. OnClick runs
    // after either.
    void InputStep(int direction);
    void InputPosition(int position);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    TUpDownPeer* UpDownPeer() const { return static_cast<TUpDownPeer*>(m_peer.get()); }

private:
    friend class TEdit;
    // The edit's text as a number within the range; false when it is none.
    bool AssociateNumber(int& number) const;
    void ParamsChanged();

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    TEdit* m_associate = nullptr;
};

class TPageControl;

// One page of a page control: its caption is the tab's text, its controls show while it is the
// active page.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return m_pageControl; }
    // Puts the sheet into the page control as its last page (and makes it its child).
    void SetPageControl(TPageControl* pageControl);
    // The sheet's place among the pages; -1 outside a page control.
    int PageIndex() const;

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void CaptionChanged() override;

private:
    friend class TPageControl;
    TPageControl* m_pageControl = nullptr;
};

// Tabs over a framed area in which the active page lies. A user's change of tab asks OnChanging
// first, which may refuse it, and runs OnChange after it; the program's choice of page runs
// neither.
class TPageControl : public TWinControl {
public:
    // Height of the row of tabs, and the inset of the pages within the frame below it.
    static constexpr int TabHeight = 20;
    static constexpr int PageInset = 4;

    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    TTabSheet* Pages(int index) const { return m_pages.at(index); }
    TTabSheet* ActivePage() const { return m_activePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return m_activePage ? m_activePage->PageIndex() : -1; }
    // Where the pages lie, in the control's own coordinates.
    TRect DisplayRect() const;

    std::function<void(TObject* sender, bool& allowChange)> OnChanging;
    TNotifyEvent OnChange;

    // The user clicked the tab at the index.
    void InputChoose(int index);

    void DescribeProperties(TPropertyList& list) const override;

protected:
    std::unique_ptr<TControlPeer> MakePeer(IPeerFactory& factory) override;
    void InitializePeer() override;
    void BoundsChanged(const TRect& oldBounds) override;
    bool DialogKey(uint16_t key, TShiftState shift, TWinControl& focused) override;
    TPageControlPeer* PagesPeer() const { return static_cast<TPageControlPeer*>(m_peer.get()); }

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PagesChanged();
    void ChangePage(int index);

    std::vector<TTabSheet*> m_pages;
    TTabSheet* m_activePage = nullptr;
};

}  // namespace tk
