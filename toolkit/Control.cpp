#include "toolkit/Control.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/WinControl.h"

namespace tk {

namespace {
const char* CursorName(TCursor cursor)
{
    switch (cursor) {
    case crDefault: return "crDefault";
    case crArrow: return "crArrow";
    case crCross: return "crCross";
    case crIBeam: return "crIBeam";
    case crSizeWE: return "crSizeWE";
    case crHourGlass: return "crHourGlass";
    case crHSplit: return "crHSplit";
    case crVSplit: return "crVSplit";
    case crHandPoint: return "crHandPoint";
    default: return "crDefault";
    }
}
}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    m_font.OnChange = [this] {
        if (!m_inheritingFont)
            m_parentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    m_peer.reset();
    if (m_parent)
        m_parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (m_parent == parent)
        return;
    if (m_parent) {
        DestroyPeers();
        m_parent->RemoveControl(this);
    }
    m_parent = parent;
    if (!m_parent)
        return;
    m_parent->InsertControl(this);
    if (m_parentFont)
        InheritFont(m_parent->Font());
    if (m_parentColor)
        InheritColor(m_parent->Color());
    if (m_parentShowHint)
        InheritShowHint(m_parent->ShowHint());
    if (m_parent->HasPeer())
        CreatePeers();
}

TForm* TControl::ParentForm() const
{
    const TControl* control = this;
    while (control->m_parent)
        control = control->m_parent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    TRect oldBounds = BoundsRect();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (m_peer)
        m_peer->SetBounds(BoundsRect());
    // Docked children follow before the control's own handlers hear of its new size.
    if (auto* container = dynamic_cast<TWinControl*>(this);
        container && (oldBounds.Width() != width || oldBounds.Height() != height))
        container->AlignControls();
    BoundsChanged(oldBounds);
    if (m_align != TAlign::alNone && m_parent)
        m_parent->AlignControls();
}

void TControl::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    if (m_peer)
        m_peer->SetVisible(visible);
    VisibleChanged();
    if (m_align != TAlign::alNone && m_parent)
        m_parent->AlignControls();
}

bool TControl::Showing() const
{
    for (const TControl* control = this; control; control = control->m_parent)
        if (!control->m_visible)
            return false;
    return true;
}

void TControl::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    if (m_peer)
        m_peer->SetEnabled(enabled);
}

void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    if (m_color == color)
        return;
    m_color = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor)
{
    if (m_parentColor == parentColor)
        return;
    m_parentColor = parentColor;
    if (m_parentColor && m_parent)
        InheritColor(m_parent->Color());
}

void TControl::SetParentFont(bool parentFont)
{
    if (m_parentFont == parentFont)
        return;
    m_parentFont = parentFont;
    if (m_parentFont && m_parent)
        InheritFont(m_parent->Font());
}

void TControl::InheritFont(const TFont& font)
{
    m_inheritingFont = true;
    m_font = font;
    m_inheritingFont = false;
}

void TControl::InheritColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    ColorChanged();
}

void TControl::SetHint(const std::string& hint)
{
    if (m_hint == hint)
        return;
    m_hint = hint;
    if (m_peer)
        m_peer->SetHint(m_hint, m_showHint);
}

void TControl::SetShowHint(bool showHint)
{
    m_parentShowHint = false;
    InheritShowHint(showHint);
}

void TControl::SetParentShowHint(bool parentShowHint)
{
    if (m_parentShowHint == parentShowHint)
        return;
    m_parentShowHint = parentShowHint;
    if (m_parentShowHint && m_parent)
        InheritShowHint(m_parent->ShowHint());
}

void TControl::InheritShowHint(bool showHint)
{
    if (m_showHint == showHint)
        return;
    m_showHint = showHint;
    if (m_peer)
        m_peer->SetHint(m_hint, m_showHint);
    ShowHintChanged();
}

void TControl::SetCursor(TCursor cursor)
{
    if (m_cursor == cursor)
        return;
    m_cursor = cursor;
    if (m_peer)
        m_peer->SetCursor(cursor);
}

void TControl::SetCaption(const std::string& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    if (m_peer)
        m_peer->SetText(m_caption);
    CaptionChanged();
}

void TControl::SetAlign(TAlign align)
{
    if (m_align == align)
        return;
    m_align = align;
    if (m_parent)
        m_parent->AlignControls();
}

void TControl::BringToFront()
{
    if (m_parent)
        m_parent->MoveControl(this, true);
}

void TControl::SendToBack()
{
    if (m_parent)
        m_parent->MoveControl(this, false);
}

void TControl::FontChanged()
{
    if (m_peer)
        m_peer->SetFont(m_font);
}

void TControl::ColorChanged()
{
    if (m_peer)
        m_peer->SetColor(m_color);
}

void TControl::InputClick()
{
    RunHandler([this] { Click(); });
}

void TControl::InputDblClick()
{
    RunHandler([this] { DblClick(); });
}

void TControl::InputMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    RunHandler([&] { MouseDown(button, shift, x, y); });
}

void TControl::InputMouseMove(TShiftState shift, int x, int y)
{
    RunHandler([&] { MouseMove(shift, x, y); });
}

void TControl::InputMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    RunHandler([&] { MouseUp(button, shift, x, y); });
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::RunHandler(const std::function<void()>& handler)
{
    if (TApplication* application = Application())
        application->RunHandler(handler);
    else
        handler();
}

void TControl::CreatePeers()
{
    if (m_peer)
        return;
    TApplication* application = Application();
    if (!application || !application->PeerFactory())
        return;
    if (m_parent && !m_parent->HasPeer())
        return;
    m_peer = MakePeer(*application->PeerFactory());
    if (!m_peer)
        return;
    InitializePeer();
    CreateChildPeers();
}

void TControl::DestroyPeers()
{
    if (auto* container = dynamic_cast<TWinControl*>(this))
        for (TControl* child : container->Controls())
            child->DestroyPeers();
    m_peer.reset();
}

std::unique_ptr<TControlPeer> TControl::MakePeer(IPeerFactory&)
{
    return nullptr;
}

void TControl::InitializePeer()
{
    m_peer->SetBounds(BoundsRect());
    m_peer->SetColor(m_color);
    m_peer->SetFont(m_font);
    m_peer->SetHint(m_hint, m_showHint);
    m_peer->SetCursor(m_cursor);
    m_peer->SetText(m_caption);
    m_peer->SetEnabled(m_enabled);
    m_peer->SetVisible(m_visible);
}

void TControl::DescribeProperties(TPropertyList& list) const
{
    TComponent::DescribeProperties(list);
    list.Add("Left", TPropertyValue::Integer(m_left));
    list.Add("Top", TPropertyValue::Integer(m_top));
    list.Add("Width", TPropertyValue::Integer(m_width));
    list.Add("Height", TPropertyValue::Integer(m_height));
    list.Add("Visible", TPropertyValue::Boolean(m_visible));
    list.Add("Enabled", TPropertyValue::Boolean(m_enabled));
    list.Add("Color", TPropertyValue::ColorValue(m_color));
    list.Add("Hint", TPropertyValue::Text(m_hint));
    list.Add("ShowHint", TPropertyValue::Boolean(m_showHint));
    list.Add("Cursor", TPropertyValue::Enumeration(CursorName(m_cursor)));
    list.Add("Font.Name", TPropertyValue::Text(m_font.Name()));
    list.Add("Font.Color", TPropertyValue::ColorValue(m_font.Color()));
    list.Add("Font.Size", TPropertyValue::Integer(m_font.Size()));
    list.Add("Font.Height", TPropertyValue::Integer(m_font.PixelHeight()));
    std::string style;
    const std::pair<unsigned, const char*> styles[] = {
        {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};
    for (const auto& [bit, name] : styles)
        if (m_font.Style() & bit)
            style += (style.empty() ? "" : ",") + std::string(name);
    list.Add("Font.Style", TPropertyValue::Enumeration("[" + style + "]"));
}

}  // namespace tk
