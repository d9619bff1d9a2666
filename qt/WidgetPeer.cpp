#include "qt/WidgetPeer.h"

#include "qt/Convert.h"
#include "qt/QtBackend.h"
#include "toolkit/Form.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace qtui {

WidgetPeer::WidgetPeer(tk::TControl& control, QtBackend& backend) : m_control(control), m_backend(backend) {}

// The widget may be handling the very event whose handler frees the control, so it goes on
// the next turn of the event loop; until then it is hidden and deaf.
WidgetPeer::~WidgetPeer()
{
    m_backend.Queue().Remove(*this);
    if (m_router)
        m_router->Detach();
    if (m_widget) {
        m_widget->hide();
        m_widget->deleteLater();
    }
}

WidgetPeer* WidgetPeer::Of(const tk::TControl& control)
{
    return dynamic_cast<WidgetPeer*>(control.Peer());
}

QWidget* WidgetOf(const tk::TControl& control)
{
    WidgetPeer* peer = WidgetPeer::Of(control);
    return peer ? peer->Widget() : nullptr;
}

void WidgetPeer::Attach(QWidget* widget, InputRouter::ClickStyle style)
{
    m_widget = widget;
    m_router = new InputRouter(m_control, *widget, style, m_backend.Keys());
    // A control made below others of its parent takes its place in their order at once.
    if (tk::TWinControl* parent = m_control.Parent(); parent && parent->Controls().back() != &m_control)
        Changed(OrderChange);
}

QWidget* WidgetPeer::ParentContainer() const
{
    tk::TWinControl* parent = m_control.Parent();
    WidgetPeer* parentPeer = parent ? Of(*parent) : nullptr;
    return parentPeer ? parentPeer->Container() : nullptr;
}

void WidgetPeer::Changed(unsigned changes)
{
    m_changes |= changes;
    m_backend.Queue().Enqueue(*this);
}

bool WidgetPeer::FlushPending() const
{
    return m_backend.Queue().Contains(*this);
}

void WidgetPeer::Flush()
{
    unsigned changes = m_changes;
    m_changes = 0;
    if (!m_widget || changes == 0)
        return;
    Apply(changes);
    if (changes & VisibleChange)
        ApplyVisible();
}

void WidgetPeer::Apply(unsigned changes)
{
    QWidget& widget = *m_widget;
    if (changes & BoundsChange) {
        tk::TRect bounds = m_control.BoundsRect();
        widget.setGeometry(bounds.Left, bounds.Top, std::max(bounds.Width(), 0), std::max(bounds.Height(), 0));
    }
    if (changes & EnabledChange)
        widget.setEnabled(m_control.Enabled());
    if (changes & FontChange)
        widget.setFont(ToQFont(m_control.Font()));
    if (changes & HintChange)
        widget.setToolTip(m_control.ShowHint() ? ShortHint(m_control.Hint()) : QString());
    if (changes & CursorChange) {
        // A control with the default cursor shows its parent's, as on the original desktop.
        if (m_control.Cursor() == tk::crDefault)
            widget.unsetCursor();
        else
            widget.setCursor(ToCursorShape(m_control.Cursor()));
    }
    if (changes & OrderChange)
        ApplyOrder();
    auto* winControl = dynamic_cast<tk::TWinControl*>(&m_control);
    if ((changes & TabStopChange) && winControl && !dynamic_cast<tk::TForm*>(winControl))
        widget.setFocusPolicy(winControl->TabStop() ? Qt::StrongFocus : Qt::NoFocus);
    // A widget inside the control (a grid's cell editor) that has the focus keeps it.
    if (changes & FocusChange) {
        QWidget* focus = QApplication::focusWidget();
        if (!widget.hasFocus() && !(focus && widget.isAncestorOf(focus)))
            widget.setFocus(Qt::OtherFocusReason);
    }
}

void WidgetPeer::ApplyVisible()
{
    if (!m_control.Visible())
        HandOverFocus();
    m_widget->setVisible(m_control.Visible());
}

// A widget that hides with the focus inside would let Qt pass the focus to the next widget of its
// own chain, and the model would follow it there and back. When the model has already put the
// focus on a shown control elsewhere (a new page's first control), that control takes it first.
void WidgetPeer::HandOverFocus()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || (focus != m_widget && !m_widget->isAncestorOf(focus)))
        return;
    tk::TForm* form = m_control.ParentForm();
    tk::TWinControl* active = form ? form->ActiveControl() : nullptr;
    QWidget* target = active ? WidgetOf(*active) : nullptr;
    if (target && target != m_widget && !m_widget->isAncestorOf(target) && target->isVisible() && target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
}

// Re-stacks every sibling in the model's order: the first child lies lowest.
void WidgetPeer::ApplyOrder()
{
    tk::TWinControl* parent = m_control.Parent();
    if (!parent)
        return;
    for (tk::TControl* sibling : parent->Controls())
        if (QWidget* widget = WidgetOf(*sibling))
            widget->raise();
}

}  // namespace qtui
