#include "toolkit/StdCtrls.h"

#include "toolkit/Application.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"
#include "dos/DosText.h"

namespace tk {

const char* BevelName(TBevelCut bevel)
{
    switch (bevel) {
    case TBevelCut::bvNone: return "bvNone";
    case TBevelCut::bvLowered: return "bvLowered";
    case TBevelCut::bvRaised: return "bvRaised";
    }
    return "bvNone";
}

const char* AlignmentName(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taLeftJustify: return "taLeftJustify";
    case TAlignment::taRightJustify: return "taRightJustify";
    case TAlignment::taCenter: return "taCenter";
    }
    return "taLeftJustify";
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut bevel)
{
    if (m_bevelOuter == bevel)
        return;
    m_bevelOuter = bevel;
    if (PanelPeer())
        PanelPeer()->SetBevelOuter(bevel);
    AlignControls();
}

TRect TPanel::ClientRect() const
{
    int inset = m_bevelOuter == TBevelCut::bvNone ? 0 : 1;
    return TRect{inset, inset, Width() - inset, Height() - inset};
}

void TPanel::SetAlignment(TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    if (PanelPeer())
        PanelPeer()->SetAlignment(alignment);
}

std::unique_ptr<TControlPeer> TPanel::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TPanel::InitializePeer()
{
    PanelPeer()->SetBevelOuter(m_bevelOuter);
    PanelPeer()->SetAlignment(m_alignment);
    TWinControl::InitializePeer();
}

void TPanel::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Caption", TPropertyValue::Text(Caption()));
    list.Add("BevelOuter", TPropertyValue::Enumeration(BevelName(m_bevelOuter)));
    list.Add("Alignment", TPropertyValue::Enumeration(AlignmentName(m_alignment)));
}

TLabel::TLabel(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
    AdjustSize();
}

void TLabel::SetAutoSize(bool autoSize)
{
    if (m_autoSize == autoSize)
        return;
    m_autoSize = autoSize;
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    if (LabelPeer())
        LabelPeer()->SetAlignment(alignment);
}

void TLabel::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    if (LabelPeer())
        LabelPeer()->SetTransparent(transparent);
}

void TLabel::CaptionChanged()
{
    AdjustSize();
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize()
{
    if (!m_autoSize)
        return;
    EstimatedTextMetrics estimate;
    ITextMetrics& metrics = Application() ? Application()->TextMetrics() : static_cast<ITextMetrics&>(estimate);
    SetBounds(Left(), Top(), metrics.TextWidth(Font(), Caption()), metrics.TextHeight(Font()));
}

std::unique_ptr<TControlPeer> TLabel::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TLabel::InitializePeer()
{
    LabelPeer()->SetAlignment(m_alignment);
    LabelPeer()->SetTransparent(m_transparent);
    TControl::InitializePeer();
}

void TLabel::DescribeProperties(TPropertyList& list) const
{
    TControl::DescribeProperties(list);
    list.Add("Caption", TPropertyValue::Text(Caption()));
    list.Add("AutoSize", TPropertyValue::Boolean(m_autoSize));
    list.Add("Alignment", TPropertyValue::Enumeration(AlignmentName(m_alignment)));
    list.Add("Transparent", TPropertyValue::Boolean(m_transparent));
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool isDefault)
{
    if (m_default == isDefault)
        return;
    m_default = isDefault;
    if (ButtonPeer())
        ButtonPeer()->SetDefault(isDefault);
}

// Enter on the focused button presses that button, whichever is the form's default.
bool TButton::DialogKey(uint16_t key, TShiftState, TWinControl& focused)
{
    if (key != vk::Return || &focused != this || !Showing() || !Enabled())
        return false;
    InputClick();
    return true;
}

void TButton::Click()
{
    TWinControl::Click();
    if (m_modalResult != mrNone)
        if (TForm* form = ParentForm())
            form->SetModalResult(m_modalResult);
}

std::unique_ptr<TControlPeer> TButton::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TButton::InitializePeer()
{
    ButtonPeer()->SetDefault(m_default);
    TWinControl::InitializePeer();
}

void TButton::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Caption", TPropertyValue::Text(Caption()));
    list.Add("Default", TPropertyValue::Boolean(m_default));
    list.Add("Cancel", TPropertyValue::Boolean(m_cancel));
    list.Add("ModalResult", TPropertyValue::Integer(m_modalResult));
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

// A bound up-down control that outlives the edit lets it go.
TEdit::~TEdit()
{
    if (m_upDown)
        m_upDown->m_associate = nullptr;
}

void TEdit::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (EditPeer())
        EditPeer()->SetReadOnly(readOnly);
}

// A single-line edit holds one line: a pasted text keeps what stands before its first line break.
void TEdit::InputText(const std::string& text)
{
    RunHandler([&] {
        if (!m_readOnly)
            SetText(std::string(dos::FirstLine(text)));
    });
}

void TEdit::CaptionChanged()
{
    if (OnChange)
        OnChange(this);
}

// The arrow keys step a bound up-down control, read-only edit or not, unless a handler took them.
void TEdit::KeyDown(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (m_upDown && (key == vk::Up || key == vk::Down)) {
        m_upDown->Step(key == vk::Up ? 1 : -1);
        key = 0;
    }
}

std::unique_ptr<TControlPeer> TEdit::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TEdit::InitializePeer()
{
    EditPeer()->SetReadOnly(m_readOnly);
    TWinControl::InitializePeer();
}

void TEdit::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Text", TPropertyValue::Text(Text()));
    list.Add("ReadOnly", TPropertyValue::Boolean(m_readOnly));
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 145, 20);
    SetColor(clWindow);
    SetTabStop(true);
}

void TComboBox::SetItems(const std::vector<std::string>& items)
{
    if (m_items == items)
        return;
    m_items = items;
    m_itemIndex = IndexOfText();
    if (ComboPeer())
        ComboPeer()->ItemsChanged();
}

void TComboBox::SetItemIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        index = -1;
    SetText(index < 0 ? std::string() : m_items[index]);
    if (m_itemIndex == index)
        return;
    m_itemIndex = index;
    if (ComboPeer())
        ComboPeer()->ItemsChanged();
}

int TComboBox::IndexOfText() const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i] == Text())
            return static_cast<int>(i);
    return -1;
}

void TComboBox::CaptionChanged()
{
    int index = IndexOfText();
    if (m_itemIndex == index)
        return;
    m_itemIndex = index;
    if (ComboPeer())
        ComboPeer()->ItemsChanged();
}

void TComboBox::InputText(const std::string& typed)
{
    RunHandler([&] {
        const std::string text(dos::FirstLine(typed));
        if (text == Text())
            return;
        SetText(text);
        if (OnChange)
            OnChange(this);
    });
}

// Choosing runs OnChange even for the item already shown, as picking from the list did.
void TComboBox::InputChoose(int index)
{
    RunHandler([&] {
        if (index < 0 || index >= static_cast<int>(m_items.size()))
            return;
        SetItemIndex(index);
        if (OnChange)
            OnChange(this);
    });
}

std::unique_ptr<TControlPeer> TComboBox::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TComboBox::InitializePeer()
{
    ComboPeer()->ItemsChanged();
    TWinControl::InitializePeer();
}

void TComboBox::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Text", TPropertyValue::Text(Text()));
    list.Add("ItemIndex", TPropertyValue::Integer(m_itemIndex));
    list.Add("Items.Count", TPropertyValue::Integer(static_cast<int64_t>(m_items.size())));
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    if (CheckPeer())
        CheckPeer()->SetChecked(checked);
    TWinControl::Click();
}

void TCheckBox::Click()
{
    SetChecked(!m_checked);
}

std::unique_ptr<TControlPeer> TCheckBox::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TCheckBox::InitializePeer()
{
    CheckPeer()->SetChecked(m_checked);
    TWinControl::InitializePeer();
}

void TCheckBox::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Caption", TPropertyValue::Text(Caption()));
    list.Add("Checked", TPropertyValue::Boolean(m_checked));
}

}  // namespace tk
