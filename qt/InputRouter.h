#pragma once

// Carries the user's pointer, keyboard and focus input on a peer's widgets into the input
// entries of its control, with the click semantics of the original desktop: a press gives
// MouseDown; a release gives MouseUp, then Click when it happens inside; the second press of a
// double-click gives MouseDown and DblClick, and its release MouseUp without a second Click.
// A key press gives KeyDown once and its release KeyUp once, and a release reaches the control
// only when the press did: a key pressed in a message box that closes on it is let go over the
// window below, whose controls must not take that release for one of their own.

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <vector>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace tk {
class TControl;
class TWinControl;
}  // namespace tk

namespace qtui {

// The key event that a router last gave its control, and the widget it was given at. The routers
// of one back end share it: Qt hands an event that a widget leaves on to the widget's parents,
// where another router (or the same one) must not give it to a control a second time.
struct KeyDelivery {
    const QEvent* event = nullptr;
    int type = 0;
    unsigned long long time = 0;
    QPointer<QWidget> widget;
};

class InputRouter : public QObject {
public:
    enum class ClickStyle {
        // The router takes the pointer input and makes the clicks itself (panels, labels, ...).
        Released,
        // The widget handles the pointer itself and reports its own clicks (buttons, scroll bars).
        Native,
        // The widget handles the pointer itself (a list selects on the press) and the router makes
        // the clicks from what it sees go by.
        Watched,
    };

    // Positions are given relative to `reference`, the widget that stands for the control.
    InputRouter(tk::TControl& control, QWidget& reference, ClickStyle style, KeyDelivery& delivery);

    // Routes the input of this widget too (the reference, or a widget inside it).
    void Watch(QWidget& widget);
    // Routes only the key and focus input of this widget: a view that takes the focus, whose
    // pointer input comes through its viewport.
    void WatchKeys(QWidget& widget);
    // The control's peer is going: no input reaches the model any more.
    void Detach() { m_control = nullptr; }
    bool Attached() const { return m_control != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseEvent(QWidget& widget, QMouseEvent& event);
    // True when a key-down handler swallowed the key: the widget does not see it either.
    bool KeyEvent(QWidget& widget, QKeyEvent& event);
    void FocusIn();
    bool IsFirstKeyReceiver(QWidget& widget, const QKeyEvent& event) const;
    bool TakeKeyDown(const QKeyEvent& event);
    void Deliver(QWidget& widget, const QKeyEvent& event);

    std::vector<const QObject*> m_keysOnly;
    // The keys whose press this router gave the control and whose release it has not seen yet;
    // forgotten when the window goes inactive, as their releases then go to another window.
    std::vector<uint32_t> m_keysDown;
    KeyDelivery& m_delivery;
    tk::TControl* m_control;
    tk::TWinControl* m_winControl;
    QWidget& m_reference;
    ClickStyle m_style;
    // The button of the current press was the second press of a double-click.
    bool m_doublePress = false;
};

}  // namespace qtui
