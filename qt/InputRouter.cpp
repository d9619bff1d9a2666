#include "qt/InputRouter.h"

#include "qt/Convert.h"
#include "qt/KeyMap.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace qtui {

namespace {
bool ToModelButton(Qt::MouseButton button, tk::TMouseButton& result)
{
    switch (button) {
    case Qt::LeftButton: result = tk::TMouseButton::mbLeft; return true;
    case Qt::RightButton: result = tk::TMouseButton::mbRight; return true;
    case Qt::MiddleButton: result = tk::TMouseButton::mbMiddle; return true;
    default: return false;
    }
}
}  // namespace

InputRouter::InputRouter(tk::TControl& control, QWidget& reference, ClickStyle style)
    : QObject(&reference),
      m_control(&control),
      m_winControl(dynamic_cast<tk::TWinControl*>(&control)),
      m_reference(reference),
      m_style(style)
{
    Watch(reference);
}

void InputRouter::Watch(QWidget& widget)
{
    widget.setMouseTracking(true);
    widget.installEventFilter(this);
}

bool InputRouter::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_control || !widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return MouseEvent(*widget, static_cast<QMouseEvent&>(*event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        KeyEvent(*widget, static_cast<QKeyEvent&>(*event));
        return false;
    case QEvent::FocusIn:
        FocusIn();
        return false;
    default:
        return false;
    }
}

// Every call into the model may end the control (a click that closes a dialog frees it), so
// after each one the router checks that it is still attached.
bool InputRouter::MouseEvent(QWidget& widget, QMouseEvent& event)
{
    // A disabled widget lets its parent have the pointer, as a disabled window did.
    if (!widget.isEnabled())
        return false;
    bool consume = m_style == ClickStyle::Released;
    QPoint position = event.position().toPoint();
    if (&widget != &m_reference && m_reference.isAncestorOf(&widget))
        position = widget.mapTo(&m_reference, position);
    tk::TShiftState shift = ShiftState(event.modifiers(), event.buttons());
    int x = position.x();
    int y = position.y();

    if (event.type() == QEvent::MouseMove) {
        m_control->InputMouseMove(shift, x, y);
        return consume;
    }
    tk::TMouseButton button;
    if (!ToModelButton(event.button(), button))
        return consume;
    QPointer<InputRouter> self(this);
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        m_doublePress = false;
        m_control->InputMouseDown(button, shift, x, y);
        break;
    case QEvent::MouseButtonDblClick:
        // The original toolkit ran the double-click event before the press of the second click.
        m_doublePress = true;
        if (button == tk::TMouseButton::mbLeft && m_style == ClickStyle::Released)
            m_control->InputDblClick();
        if (self && m_control)
            m_control->InputMouseDown(button, shift | tk::ssDouble, x, y);
        break;
    case QEvent::MouseButtonRelease: {
        bool wasDouble = m_doublePress;
        m_doublePress = false;
        m_control->InputMouseUp(button, shift, x, y);
        bool inside = m_reference.rect().contains(position);
        if (self && m_control && button == tk::TMouseButton::mbLeft && inside && !wasDouble &&
            m_style == ClickStyle::Released)
            m_control->InputClick();
        break;
    }
    default:
        break;
    }
    return consume;
}

// A key event that its first receiver leaves unhandled travels up to the parents; only the
// first receiver (the focus widget, or the window when nothing in it has the focus) passes it
// to the model.
bool InputRouter::IsFirstKeyReceiver(QWidget& widget) const
{
    QWidget* focus = QApplication::focusWidget();
    return !focus || focus == &widget || focus->window() != widget.window();
}

// A held key repeats its key-down and gives one key-up when it is let go; the releases that
// come with the repeats are dropped.
void InputRouter::KeyEvent(QWidget& widget, QKeyEvent& event)
{
    if (!m_winControl || !IsFirstKeyReceiver(widget))
        return;
    tk::TShiftState shift = ShiftState(event.modifiers(), QApplication::mouseButtons());
    uint16_t key = VirtualKey(event.key(), event.modifiers());
    QPointer<InputRouter> self(this);
    if (event.type() == QEvent::KeyRelease) {
        if (!event.isAutoRepeat() && key != 0)
            m_winControl->InputKeyUp(key, shift);
        return;
    }
    if (key != 0 && m_winControl->InputKeyDown(key, shift) == 0)
        return;
    for (char byte : ToCp932(event.text())) {
        if (!self || !m_control)
            return;
        m_winControl->InputKeyPress(byte);
    }
}

// A control that takes the focus becomes its form's active control; the form runs the exit
// and enter events.
void InputRouter::FocusIn()
{
    if (!m_winControl || dynamic_cast<tk::TForm*>(m_winControl))
        return;
    tk::TForm* form = m_winControl->ParentForm();
    if (!form || form->ActiveControl() == m_winControl)
        return;
    m_winControl->InputFocus();
}

}  // namespace qtui
