#pragma once

// Carries the user's pointer, keyboard and focus input on a peer's widgets into the input
// entries of its control, with the click semantics of the original desktop: a press gives
// MouseDown; a release gives MouseUp, then Click when it happens inside; the second press of a
// double-click gives MouseDown and DblClick, and its release MouseUp without a second Click.

#include <QObject>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace tk {
class TControl;
class TWinControl;
}  // namespace tk

namespace qtui {

class InputRouter : public QObject {
public:
    enum class ClickStyle {
        // The router takes the pointer input and makes the clicks itself (panels, labels, ...).
        Released,
        // The widget handles the pointer itself and reports its own clicks (buttons, scroll bars).
        Native,
    };

    // Positions are given relative to `reference`, the widget that stands for the control.
    InputRouter(tk::TControl& control, QWidget& reference, ClickStyle style);

    // Routes the input of this widget too (the reference, or a widget inside it).
    void Watch(QWidget& widget);
    // The control's peer is going: no input reaches the model any more.
    void Detach() { m_control = nullptr; }
    bool Attached() const { return m_control != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseEvent(QWidget& widget, QMouseEvent& event);
    void KeyEvent(QWidget& widget, QKeyEvent& event);
    void FocusIn();
    bool IsFirstKeyReceiver(QWidget& widget) const;

    tk::TControl* m_control;
    tk::TWinControl* m_winControl;
    QWidget& m_reference;
    ClickStyle m_style;
    // The button of the current press was the second press of a double-click.
    bool m_doublePress = false;
};

}  // namespace qtui
