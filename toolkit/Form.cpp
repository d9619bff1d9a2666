#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/StdCtrls.h"

#include <algorithm>

namespace tk {

namespace {
const char* PositionName(TFormPosition position)
{
    switch (position) {
    case TFormPosition::poDesigned: return "poDesigned";
    case TFormPosition::poDefault: return "poDefault";
    case TFormPosition::poScreenCenter: return "poScreenCenter";
    case TFormPosition::poDesktopCenter: return "poDesktopCenter";
    case TFormPosition::poMainFormCenter: return "poMainFormCenter";
    }
    return "poDesigned";
}
}  // namespace

void TControlScrollBar::SetRange(int range)
{
    if (range < 0)
        range = 0;
    if (m_range == range)
        return;
    m_range = range;
    Changed();
}

void TControlScrollBar::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Changed();
}

void TControlScrollBar::SetPosition(int position)
{
    if (position < 0)
        position = 0;
    if (m_position == position)
        return;
    m_position = position;
    Changed();
}

void TControlScrollBar::Changed()
{
    m_form.ScrollingChanged();
}

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    TWinControl::SetVisible(false);
    SetBounds(0, 0, 320 + FrameWidth, 240 + FrameHeight);
    if (TApplication* application = Application())
        application->AddForm(this);
}

TForm::~TForm()
{
    if (!m_designing && OnDestroy)
        OnDestroy(this);
    if (TApplication* application = Application())
        application->RemoveForm(this);
    DestroyPeers();
}

void TForm::AfterConstruction()
{
    m_designing = false;
    if (OnCreate)
        RunHandler([this] { OnCreate(this); });
}

int TForm::FrameX() const
{
    return m_borderStyle == TFormBorderStyle::bsNone ? 0 : FrameWidth;
}

int TForm::FrameY() const
{
    return m_borderStyle == TFormBorderStyle::bsNone ? 0 : FrameHeight;
}

int TForm::ClientWidth() const
{
    return Width() - FrameX();
}

int TForm::ClientHeight() const
{
    return Height() - FrameY();
}

void TForm::SetClientWidth(int width)
{
    SetWidth(width + FrameX());
}

void TForm::SetClientHeight(int height)
{
    SetHeight(height + FrameY());
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (m_formStyle == style)
        return;
    m_formStyle = style;
    if (FormPeer())
        FormPeer()->SetFormStyle(style);
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (m_borderIcons == icons)
        return;
    m_borderIcons = icons;
    if (FormPeer())
        FormPeer()->SetBorderIcons(icons);
}

// The client size is kept while the frame changes, as the original toolkit did.
void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (m_borderStyle == style)
        return;
    int clientWidth = ClientWidth();
    int clientHeight = ClientHeight();
    m_borderStyle = style;
    SetBounds(Left(), Top(), clientWidth + FrameX(), clientHeight + FrameY());
    if (FormPeer())
        FormPeer()->SetBorderStyle(style);
}

void TForm::SetAutoScroll(bool autoScroll)
{
    if (m_autoScroll == autoScroll)
        return;
    m_autoScroll = autoScroll;
    ScrollingChanged();
}

TRect TForm::ClientRect() const
{
    int width = ClientWidth();
    int height = ClientHeight();
    if (m_autoScroll) {
        if (m_horzScrollBar.Visible())
            width = std::max(width, m_horzScrollBar.Range());
        if (m_vertScrollBar.Visible())
            height = std::max(height, m_vertScrollBar.Range());
    }
    return TRect{0, 0, width, height};
}

void TForm::ScrollingChanged()
{
    AlignControls();
    if (FormPeer())
        FormPeer()->SetScrolling();
}

void TForm::SetActiveControl(TWinControl* control)
{
    if (m_activeControl == control)
        return;
    TWinControl* previous = m_activeControl;
    m_activeControl = control;
    if (m_designing)
        return;
    if (previous)
        previous->InputExit();
    if (control)
        control->InputEnter();
    if (control && control->Peer())
        control->Peer()->SetFocus();
}

void TForm::ApplyPosition()
{
    TApplication* application = Application();
    if (!application)
        return;
    switch (m_position) {
    case TFormPosition::poScreenCenter:
    case TFormPosition::poDesktopCenter:
        SetBounds((application->DesktopWidth() - Width()) / 2, (application->DesktopHeight() - Height()) / 2, Width(),
                  Height());
        break;
    case TFormPosition::poMainFormCenter:
        if (TForm* main = application->MainForm(); main && main != this)
            SetBounds(main->Left() + (main->Width() - Width()) / 2, main->Top() + (main->Height() - Height()) / 2,
                      Width(), Height());
        break;
    default:
        break;
    }
}

// A form gets its window when it is first shown; its position rule applies then, once.
void TForm::SetVisible(bool visible)
{
    if (Visible() == visible)
        return;
    bool first = visible && !m_shownBefore;
    if (first) {
        m_shownBefore = true;
        ApplyPosition();
    }
    if (visible)
        CreatePeers();
    TWinControl::SetVisible(visible);
    if (m_designing)
        return;
    // The window gets its size when it is first made, and the resize event runs then, before
    // the show event, as it did on the original desktop.
    if (first && OnResize)
        RunHandler([this] { OnResize(this); });
    if (visible && OnShow)
        RunHandler([this] { OnShow(this); });
    if (!visible && OnHide)
        RunHandler([this] { OnHide(this); });
}

TModalResult TForm::ShowModal()
{
    if (Visible() || m_modal)
        throw EInvalidOperation("表示されているウィンドウはモーダルにできません。");
    TApplication* application = Application();
    struct ModalScope {
        TForm& form;
        TApplication* application;
        ModalScope(TForm& f, TApplication* a) : form(f), application(a)
        {
            form.m_modal = true;
            if (application)
                application->PushModal(&form);
        }
        ~ModalScope()
        {
            form.m_modal = false;
            if (application)
                application->PopModal(&form);
        }
    } scope(*this, application);

    m_modalResult = mrNone;
    Show();
    // A dialog opens with the keyboard on its first control, unless its show event chose one.
    if (!m_activeControl)
        SelectFirst();
    IMessageLoop* loop = application ? application->MessageLoop() : nullptr;
    for (;;) {
        if (loop && m_modalResult == mrNone && Visible())
            loop->RunModal(*this);
        if (m_modalResult == mrNone)
            m_modalResult = mrCancel;
        TCloseAction action = TCloseAction::caHide;
        if (OnClose)
            OnClose(this, action);
        if (action != TCloseAction::caNone || !loop)
            break;
        m_modalResult = mrNone;
    }
    Hide();
    return m_modalResult;
}

void TForm::SetModalResult(TModalResult result)
{
    m_modalResult = result;
    if (m_modal && result != mrNone)
        if (TApplication* application = Application(); application && application->MessageLoop())
            application->MessageLoop()->EndModal(*this);
}

void TForm::Close()
{
    if (m_modal) {
        SetModalResult(mrCancel);
        return;
    }
    TApplication* application = Application();
    bool isMain = application && application->MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    if (isMain)
        application->Terminate();
    else
        Hide();
}

bool TForm::PressDialogButton(bool isDefault)
{
    for (TComponent* component : Components()) {
        auto* button = dynamic_cast<TButton*>(component);
        if (!button || !button->Showing() || !button->Enabled())
            continue;
        if (isDefault ? button->Default() : button->Cancel()) {
            button->InputClick();
            return true;
        }
    }
    return false;
}

void TForm::SelectFirst()
{
    if (TWinControl* first = FirstTabStop())
        SetActiveControl(first);
}

bool TForm::DialogKey(uint16_t key, TShiftState, TWinControl&)
{
    if (key != vk::Return && key != vk::Escape)
        return false;
    return PressDialogButton(key == vk::Return);
}

void TForm::InputResize(int clientWidth, int clientHeight)
{
    RunHandler([&] { SetBounds(Left(), Top(), clientWidth + FrameX(), clientHeight + FrameY()); });
}

void TForm::InputMove(int left, int top)
{
    RunHandler([&] { SetBounds(left, top, Width(), Height()); });
}

void TForm::InputBounds(int left, int top, int width, int height)
{
    RunHandler([&] { SetBounds(left, top, width, height); });
}

// A window without the system menu has no close box, so the user has no way to close it: the
// program alone shows and hides it, and a close request from the window manager or a taskbar is
// refused (it would hide the window behind the program's back). A modal form's close request
// still cancels it, as the escape from a dialog.
void TForm::InputClose()
{
    if (!m_modal && !(m_borderIcons & biSystemMenu))
        return;
    RunHandler([this] { Close(); });
}

void TForm::BoundsChanged(const TRect& oldBounds)
{
    bool resized = oldBounds.Width() != Width() || oldBounds.Height() != Height();
    if (resized && !m_designing && OnResize)
        OnResize(this);
}

std::unique_ptr<TControlPeer> TForm::MakePeer(IPeerFactory& factory)
{
    return factory.CreatePeer(*this);
}

void TForm::InitializePeer()
{
    FormPeer()->SetBorderStyle(m_borderStyle);
    FormPeer()->SetBorderIcons(m_borderIcons);
    FormPeer()->SetFormStyle(m_formStyle);
    FormPeer()->SetScrolling();
    TWinControl::InitializePeer();
}

void TForm::DescribeProperties(TPropertyList& list) const
{
    TWinControl::DescribeProperties(list);
    list.Add("Caption", TPropertyValue::Text(Caption()));
    list.Add("ClientWidth", TPropertyValue::Integer(ClientWidth()));
    list.Add("ClientHeight", TPropertyValue::Integer(ClientHeight()));
    list.Add("Position", TPropertyValue::Enumeration(PositionName(m_position)));
    list.Add("FormStyle", TPropertyValue::Enumeration(m_formStyle == TFormStyle::fsStayOnTop ? "fsStayOnTop" : "fsNormal"));
    list.Add("AutoScroll", TPropertyValue::Boolean(m_autoScroll));
    list.Add("HorzScrollBar.Range", TPropertyValue::Integer(m_horzScrollBar.Range()));
    list.Add("HorzScrollBar.Visible", TPropertyValue::Boolean(m_horzScrollBar.Visible()));
    list.Add("HorzScrollBar.Position", TPropertyValue::Integer(m_horzScrollBar.Position()));
    list.Add("VertScrollBar.Range", TPropertyValue::Integer(m_vertScrollBar.Range()));
    list.Add("VertScrollBar.Visible", TPropertyValue::Boolean(m_vertScrollBar.Visible()));
    list.Add("VertScrollBar.Position", TPropertyValue::Integer(m_vertScrollBar.Position()));
    list.Add("ModalResult", TPropertyValue::Integer(m_modalResult));
}

}  // namespace tk
