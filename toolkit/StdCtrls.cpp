#include "toolkit/StdCtrls.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

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

}  // namespace tk
