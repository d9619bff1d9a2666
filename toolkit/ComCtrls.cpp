#include "toolkit/ComCtrls.h"

#include "toolkit/Form.h"

#include <algorithm>
#include <charconv>

namespace tk {

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 16, 21);
}

TUpDown::~TUpDown()
{
    if (m_associate)
        m_associate->m_upDown = nullptr;
}

void TUpDown::SetMin(int min)
{
    if (m_min == min)
        return;
    m_min = min;
    ParamsChanged();
}

void TUpDown::SetMax(int max)
{
    if (m_max == max)
        return;
    m_max = max;
    ParamsChanged();
}

// The edit's text counts when it is a whole number (blanks before it allowed) within the range,
// as the original control read its buddy.
bool TUpDown::AssociateNumber(int& number) const
{
    if (!m_associate)
        return false;
    const std::string& text = m_associate->Text();
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return false;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, number);
    return error == std::errc() && end == last && number >= m_min && number <= m_max;
}

int TUpDown::Position() const
{
    int number = 0;
    return AssociateNumber(number) ? number : m_position;
}

void TUpDown::SetPosition(int position)
{
    position = std::clamp(position, std::min(m_min, m_max), std::max(m_min, m_max));
    bool changed = m_position != position;
    m_position = position;
    if (m_associate)
        m_associate->SetText(std::to_string(position));
    if (changed)
        ParamsChanged();
}

void TUpDown::SetAssociate(TEdit* edit)
{
    if (m_associate == edit)
        return;
    if (m_associate)
        m_associate->m_upDown = nullptr;
    m_associate = edit;
    if (!edit)
        return;
    if (edit->m_upDown)
        edit->m_upDown->m_associate = nullptr;
    edit->m_upDown = this;
    SetParent(edit->Parent());
    SetBounds(edit->Left() + edit->Width(), edit->Top(), Width(), edit->Height());
    SetPosition(m_position);
}

void TUpDown::Step(int direction)
{
    int position = Position();
    SetPosition(position + direction * m_increment);
}

void TUpDown::InputStep(int direction)
{
    RunHandler([&] {
        Step(direction);
        TWinControl::Click();
    });
}

void TUpDown::InputPosition(int position)
{
    RunHandler([&] {
        SetPosition(position);
        TWinControl::Click();
    });
}

void TUpDown::ParamsChanged()
{
    if (UpDownPeer())
        UpDownPeer()->SetParams();
}

std::unique_ptr<TControlPeer> TUpDown::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TUpDown::InitializePeer()
{
    UpDownPeer()->SetParams();
    TWinControl::InitializePeer();
}

void TUpDown::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Min", TPropertyValue::Integer(m_min));
    list.Add("Max", TPropertyValue::Integer(m_max));
    list.Add("Position", TPropertyValue::Integer(Position()));
    list.Add("Increment", TPropertyValue::Integer(m_increment));
    list.Add("Associate", TPropertyValue::Text(m_associate ? m_associate->Name() : std::string()));
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet()
{
    if (m_pageControl)
        m_pageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    if (m_pageControl == pageControl)
        return;
    if (m_pageControl)
        m_pageControl->RemovePage(this);
    m_pageControl = pageControl;
    if (!pageControl) {
        SetParent(nullptr);
        return;
    }
    SetVisible(false);
    TRect display = pageControl->DisplayRect();
    SetBounds(display.Left, display.Top, display.Width(), display.Height());
    SetParent(pageControl);
    pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!m_pageControl)
        return -1;
    const auto& pages = m_pageControl->m_pages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::CaptionChanged()
{
    if (m_pageControl)
        m_pageControl->PagesChanged();
}

std::unique_ptr<TControlPeer> TTabSheet::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TTabSheet::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Caption", TPropertyValue::Text(Caption()));
    list.Add("PageIndex", TPropertyValue::Integer(PageIndex()));
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

// Pages that outlive the control are left without one.
TPageControl::~TPageControl()
{
    for (TTabSheet* page : m_pages)
        page->m_pageControl = nullptr;
}

TRect TPageControl::DisplayRect() const
{
    return TRect{PageInset, TabHeight + PageInset, std::max(Width() - PageInset, PageInset),
                 std::max(Height() - PageInset, TabHeight + PageInset)};
}

void TPageControl::InsertPage(TTabSheet* page)
{
    m_pages.push_back(page);
    if (!m_activePage)
        SetActivePage(page);
    PagesChanged();
}

// The page that takes the place of a removed active page becomes the active one.
void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end())
        return;
    size_t index = static_cast<size_t>(it - m_pages.begin());
    m_pages.erase(it);
    if (m_activePage == page) {
        m_activePage = nullptr;
        if (!m_pages.empty())
            SetActivePage(m_pages[std::min(index, m_pages.size() - 1)]);
    }
    PagesChanged();
}

// The active page shows and every other one hides, so only its controls are on the screen. The
// new page shows before the old one hides, so that a focus leaving the old page has a place to go.
void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->m_pageControl != this)
        return;
    if (m_activePage == page)
        return;
    m_activePage = page;
    if (page)
        page->SetVisible(true);
    for (TTabSheet* sheet : m_pages)
        if (sheet != page)
            sheet->SetVisible(false);
    PagesChanged();
}

void TPageControl::InputChoose(int index)
{
    RunHandler([&] { ChangePage(index); });
}

// Ctrl+Tab turns to the next page and Ctrl+Shift+Tab to the one before, round the end, when the
// focus is on the tabs or on a control of a page.
bool TPageControl::DialogKey(uint16_t key, TShiftState shift, TWinControl&)
{
    if (key != vk::Tab || !(shift & ssCtrl) || PageCount() == 0)
        return false;
    int step = (shift & ssShift) ? PageCount() - 1 : 1;
    RunHandler([&] { ChangePage((std::max(ActivePageIndex(), 0) + step) % PageCount()); });
    return true;
}

// The user's change of page, which OnChanging may refuse. A focus on a control of the page that
// goes moves to the first control of the new page (to the tabs when it has none), so the keyboard
// is never left on a hidden control.
void TPageControl::ChangePage(int index)
{
    if (index < 0 || index >= PageCount() || m_pages[index] == m_activePage)
        return;
    bool allowChange = true;
    if (OnChanging)
        OnChanging(this, allowChange);
    if (!allowChange)
        return;
    TForm* form = ParentForm();
    bool focusOnPage = false;
    for (TControl* control = form ? form->ActiveControl() : nullptr; control && !focusOnPage; control = control->Parent())
        focusOnPage = control == m_activePage;
    SetActivePage(m_pages[index]);
    if (focusOnPage) {
        TWinControl* first = m_activePage->FirstTabStop();
        form->SetActiveControl(first ? first : this);
    }
    if (OnChange)
        OnChange(this);
}

void TPageControl::BoundsChanged(const TRect& oldBounds)
{
    if (oldBounds.Width() == Width() && oldBounds.Height() == Height())
        return;
    TRect display = DisplayRect();
    for (TTabSheet* page : m_pages)
        page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
}

void TPageControl::PagesChanged()
{
    if (PagesPeer())
        PagesPeer()->PagesChanged();
}

std::unique_ptr<TControlPeer> TPageControl::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TPageControl::InitializePeer()
{
    PagesPeer()->PagesChanged();
    TWinControl::InitializePeer();
}

void TPageControl::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("ActivePage", TPropertyValue::Text(m_activePage ? m_activePage->Name() : std::string()));
    list.Add("ActivePageIndex", TPropertyValue::Integer(ActivePageIndex()));
    list.Add("PageCount", TPropertyValue::Integer(PageCount()));
}

}  // namespace tk
