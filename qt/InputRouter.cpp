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

#include <algorithm>

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

// A key as the keyboard knows it, the same at its press and its release whatever the modifiers
// held meanwhile made of it: its scan code where the window system gives one.
uint32_t KeyIdentity(const QKeyEvent& event)
{
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode() | 0x80000000u;
    return static_cast<uint32_t>(event.key());
}
}  // namespace

InputRouter::InputRouter(tk::TControl& control, QWidget& reference, ClickStyle style, KeyDelivery& delivery)
    : QObject(&reference),
      m_delivery(delivery),
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

void InputRouter::WatchKeys(QWidget& widget)
{
    m_keysOnly.push_back(&widget);
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
        if (std::find(m_keysOnly.begin(), m_keysOnly.end(), watched) != m_keysOnly.end())
            return false;
        return MouseEvent(*widget, static_cast<QMouseEvent&>(*event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return KeyEvent(*widget, static_cast<QKeyEvent&>(*event));
    case QEvent::FocusIn:
        FocusIn();
        return false;
    case QEvent::WindowDeactivate:
        m_keysDown.clear();
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
        if (button == tk::TMouseButton::mbLeft && m_style != ClickStyle::Native)
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
            m_style != ClickStyle::Native)
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
// to the model. The event that a router gave its control at a widget inside this one is on that
// way up, even when a handler has moved the focus meanwhile (a message box came and went).
bool InputRouter::IsFirstKeyReceiver(QWidget& widget, const QKeyEvent& event) const
{
    if (&event == m_delivery.event && event.type() == m_delivery.type && event.timestamp() == m_delivery.time &&
        m_delivery.widget && m_delivery.widget != &widget && widget.isAncestorOf(m_delivery.widget))
        return false;
    QWidget* focus = QApplication::focusWidget();
    return !focus || focus == &widget || focus->window() != widget.window();
}

// True when the released key's press went to this router's control; the press is then forgotten,
// so that the release reaches the control once.
bool InputRouter::TakeKeyDown(const QKeyEvent& event)
{
    auto pressed = std::find(m_keysDown.begin(), m_keysDown.end(), KeyIdentity(event));
    if (pressed == m_keysDown.end())
        return false;
    m_keysDown.erase(pressed);
    return true;
}

void InputRouter::Deliver(QWidget& widget, const QKeyEvent& event)
{
    m_delivery.event = &event;
    m_delivery.type = event.type();
    m_delivery.time = event.timestamp();
    m_delivery.widget = &widget;
}

// A held key repeats its key-down and gives one key-up when it is let go; the releases that
// come with the repeats are dropped. A release whose press went elsewhere (to a message box
// that closed on it, to another window) is dropped too. A key that a key-down handler swallows
// goes no further, as the original toolkit kept it from the window's own handling: an arrow key
// so swallowed does not move a list's selection.
bool InputRouter::KeyEvent(QWidget& widget, QKeyEvent& event)
{
    if (!m_winControl || !IsFirstKeyReceiver(widget, event))
        return false;
    tk::TShiftState shift = ShiftState(event.modifiers(), QApplication::mouseButtons());
    uint16_t key = VirtualKey(event.key(), event.modifiers());
    QPointer<InputRouter> self(this);
    if (event.type() == QEvent::KeyRelease) {
        if (event.isAutoRepeat() || !TakeKeyDown(event) || key == 0)
            return false;
        Deliver(widget, event);
        m_winControl->InputKeyUp(key, shift);
        return false;
    }
    if (!event.isAutoRepeat() && std::find(m_keysDown.begin(), m_keysDown.end(), KeyIdentity(event)) == m_keysDown.end())
        m_keysDown.push_back(KeyIdentity(event));
    Deliver(widget, event);
    if (key != 0 && m_winControl->InputKeyDown(key, shift) == 0)
        return true;
    for (char byte : ToCp932(event.text())) {
        if (!self || !m_control)
            return true;
        m_winControl->InputKeyPress(byte);
    }
    return !self || !m_control;
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
