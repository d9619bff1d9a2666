#include "toolkit/WinControl.h"

#include "toolkit/Form.h"

#include <algorithm>

namespace tk {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // Children owned elsewhere outlive their parent only detached from it.
    for (TControl* child : std::vector<TControl*>(m_controls))
        child->SetParent(nullptr);
}

bool TWinControl::Focused() const
{
    TForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus()
{
    if (TForm* form = ParentForm())
        form->SetActiveControl(this);
}

void TWinControl::SetTabStop(bool tabStop)
{
    if (m_tabStop == tabStop)
        return;
    m_tabStop = tabStop;
    if (m_peer)
        m_peer->SetTabStop(tabStop);
}

// A key that no handler took goes to the control and its parents as a dialog key, as on the
// original desktop: Enter presses the focused button or else the form's default button, Esc the
// cancel button, and Ctrl+Tab turns the pages of the page control around the focus.
uint16_t TWinControl::InputKeyDown(uint16_t key, TShiftState shift)
{
    RunHandler([&] { KeyDown(key, shift); });
    if (key == 0)
        return 0;
    for (TWinControl* control = this; control; control = control->Parent())
        if (control->DialogKey(key, shift, *this))
            return 0;
    return key;
}

bool TWinControl::DialogKey(uint16_t, TShiftState, TWinControl&)
{
    return false;
}

// Depth first in the order of the children, as the tab key goes; a control that is itself a tab
// stop comes before its own children.
TWinControl* TWinControl::FirstTabStop() const
{
    for (TControl* child : m_controls) {
        auto* control = dynamic_cast<TWinControl*>(child);
        if (!control || !control->Visible() || !control->Enabled())
            continue;
        if (control->TabStop())
            return control;
        if (TWinControl* inner = control->FirstTabStop())
            return inner;
    }
    return nullptr;
}

void TWinControl::InputKeyUp(uint16_t key, TShiftState shift)
{
    RunHandler([&] { KeyUp(key, shift); });
}

void TWinControl::InputKeyPress(char key)
{
    RunHandler([&] { KeyPress(key); });
}

void TWinControl::InputEnter()
{
    RunHandler([this] { DoEnter(); });
}

void TWinControl::InputExit()
{
    RunHandler([this] { DoExit(); });
}

void TWinControl::InputFocus()
{
    RunHandler([this] { SetFocus(); });
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::InitializePeer()
{
    m_peer->SetTabStop(m_tabStop);
    TControl::InitializePeer();
}

void TWinControl::CreateChildPeers()
{
    for (TControl* child : m_controls)
        child->CreatePeers();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* child : m_controls)
        if (child->ParentFont())
            child->InheritFont(Font());
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    for (TControl* child : m_controls)
        if (child->ParentColor())
            child->InheritColor(Color());
}

void TWinControl::ShowHintChanged()
{
    for (TControl* child : m_controls)
        if (child->ParentShowHint())
            child->InheritShowHint(ShowHint());
}

void TWinControl::InsertControl(TControl* control)
{
    m_controls.push_back(control);
    if (control->Align() != TAlign::alNone)
        AlignControls();
}

void TWinControl::AlignControls()
{
    // Docking moves the children, which would ask for docking again.
    if (m_aligning)
        return;
    m_aligning = true;
    TRect rest = ClientRect();
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* child : m_controls) {
            if (child->Align() != pass || !child->Visible())
                continue;
            int width = rest.Width() < 0 ? 0 : rest.Width();
            int height = rest.Height() < 0 ? 0 : rest.Height();
            switch (pass) {
            case TAlign::alTop:
                child->SetBounds(rest.Left, rest.Top, width, child->Height());
                rest.Top += child->Height();
                break;
            case TAlign::alBottom:
                child->SetBounds(rest.Left, rest.Bottom - child->Height(), width, child->Height());
                rest.Bottom -= child->Height();
                break;
            case TAlign::alLeft:
                child->SetBounds(rest.Left, rest.Top, child->Width(), height);
                rest.Left += child->Width();
                break;
            case TAlign::alRight:
                child->SetBounds(rest.Right - child->Width(), rest.Top, child->Width(), height);
                rest.Right -= child->Width();
                break;
            default:
                child->SetBounds(rest.Left, rest.Top, width, height);
                break;
            }
        }
    }
    m_aligning = false;
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it != m_controls.end())
        m_controls.erase(it);
    if (TForm* form = ParentForm(); form && form->ActiveControl() == control)
        form->ForgetActiveControl();
}

void TWinControl::MoveControl(TControl* control, bool toFront)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    if (toFront)
        m_controls.push_back(control);
    else
        m_controls.insert(m_controls.begin(), control);
    if (control->Peer())
        control->Peer()->Restack();
}

}  // namespace tk
