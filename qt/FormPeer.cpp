#include "qt/FormPeer.h"

#include "qt/Convert.h"
#include "qt/QtBackend.h"
#include "toolkit/Form.h"

#include <algorithm>

namespace qtui {

FormPeer::FormPeer(tk::TForm& form, QtBackend& backend)
    : ControlPeer(form, backend), m_form(form), m_window(new FormWidget)
{
    Attach(m_window, InputRouter::ClickStyle::Released);
    Router()->Watch(*m_window->Canvas());
    m_window->OnUserResize = WhileAttached([this](int width, int height) { UserResized(width, height); });
    m_window->OnUserMove = WhileAttached([this](int left, int top) { UserMoved(left, top); });
    m_window->OnUserClose = WhileAttached([this] { m_form.InputClose(); });
    m_window->OnUserScroll = WhileAttached(
        [this](Qt::Orientation orientation, int position) { UserScrolled(orientation, position); });
}

QWidget* FormPeer::Container() const
{
    return m_window->Canvas();
}

// A modal form's loop ends when the form is hidden; it learns of that at once, not at the flush.
void FormPeer::SetVisible(bool visible)
{
    Changed(VisibleChange);
    if (!visible)
        Backend().FormHidden(m_form);
}

void FormPeer::UserResized(int clientWidth, int clientHeight)
{
    if (clientWidth != m_form.ClientWidth() || clientHeight != m_form.ClientHeight())
        m_form.InputResize(clientWidth, clientHeight);
}

void FormPeer::UserMoved(int left, int top)
{
    if (left != m_form.Left() || top != m_form.Top())
        m_form.InputMove(left, top);
}

// Scrolling changes no input event of the form; the position is the model's to keep.
void FormPeer::UserScrolled(Qt::Orientation orientation, int position)
{
    tk::TControlScrollBar& bar = orientation == Qt::Horizontal ? m_form.HorzScrollBar() : m_form.VertScrollBar();
    bar.SetPosition(position);
}

bool FormPeer::Sizeable() const
{
    switch (m_form.BorderStyle()) {
    case tk::TFormBorderStyle::bsSizeable:
    case tk::TFormBorderStyle::bsSizeToolWin:
    case tk::TFormBorderStyle::bsNone:
        return true;
    default:
        return false;
    }
}

Qt::WindowFlags FormPeer::WindowFlags() const
{
    tk::TFormBorderStyle border = m_form.BorderStyle();
    tk::TBorderIcons icons = m_form.BorderIcons();
    Qt::WindowFlags flags = Qt::Window;
    if (border == tk::TFormBorderStyle::bsToolWindow || border == tk::TFormBorderStyle::bsSizeToolWin)
        flags = Qt::Tool;
    if (m_form.FormStyle() == tk::TFormStyle::fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (border == tk::TFormBorderStyle::bsNone)
        return flags | Qt::FramelessWindowHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons & tk::biSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    // A dialog frame has the close box only, whatever else is asked for.
    bool dialogFrame = border == tk::TFormBorderStyle::bsDialog || border == tk::TFormBorderStyle::bsToolWindow ||
                       border == tk::TFormBorderStyle::bsSizeToolWin;
    if (!dialogFrame && (icons & tk::biMinimize))
        flags |= Qt::WindowMinimizeButtonHint;
    if (!dialogFrame && (icons & tk::biMaximize))
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

void FormPeer::ApplyBounds()
{
    int width = std::max(m_form.ClientWidth(), 0);
    int height = std::max(m_form.ClientHeight(), 0);
    if (Sizeable()) {
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_window->resize(width, height);
    } else {
        m_window->setFixedSize(width, height);
    }
    m_window->move(m_form.Left(), m_form.Top());
}

void FormPeer::ApplyScrolling()
{
    FormWidget::ScrollState state;
    state.autoScroll = m_form.AutoScroll();
    state.horzRange = m_form.HorzScrollBar().Range();
    state.vertRange = m_form.VertScrollBar().Range();
    state.horzVisible = m_form.HorzScrollBar().Visible();
    state.vertVisible = m_form.VertScrollBar().Visible();
    state.horzPosition = m_form.HorzScrollBar().Position();
    state.vertPosition = m_form.VertScrollBar().Position();
    m_window->SetScrollState(state);
}

void FormPeer::Apply(unsigned changes)
{
    m_window->SetApplying(true);
    // Changing the flags takes the window down; it is shown again below when it should be.
    if ((changes & FlagsChange) && m_window->windowFlags() != WindowFlags()) {
        m_window->setWindowFlags(WindowFlags());
        changes |= VisibleChange;
    }
    WidgetPeer::Apply(changes & ~BoundsChange);
    if (changes & BoundsChange)
        ApplyBounds();
    if (changes & ColorChange)
        m_window->Canvas()->SetColor(ToQColor(m_form.Color()));
    if (changes & TextChange)
        m_window->setWindowTitle(ToQString(m_form.Caption()));
    if (changes & (ScrollingChange | BoundsChange))
        ApplyScrolling();
    if (changes & VisibleChange)
        ApplyVisible();
    if ((changes & FrontChange) && m_window->isVisible()) {
        m_window->raise();
        m_window->activateWindow();
    }
    m_window->SetApplying(false);
}

// A form shown modally holds the whole application while it is up.
void FormPeer::ApplyVisible()
{
    bool visible = m_form.Visible();
    if (visible == m_window->isVisible())
        return;
    if (visible) {
        m_window->setWindowModality(m_form.Modal() ? Qt::ApplicationModal : Qt::NonModal);
        m_window->show();
    } else {
        m_window->hide();
    }
}

}  // namespace qtui
