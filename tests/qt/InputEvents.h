#pragma once

// Pointer and key events sent to a widget as the window system would deliver them.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

inline void SendMouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void Press(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(widget, QEvent::MouseButtonPress, button, at, button);
}

inline void Release(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(widget, QEvent::MouseButtonRelease, button, at, Qt::NoButton);
}

// A click and the second press and release of a double-click, in the order Qt delivers them.
inline void DoubleClick(QWidget& widget, QPoint at)
{
    Press(widget, at);
    Release(widget, at);
    SendMouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, at, Qt::LeftButton);
    Release(widget, at);
}

inline void SendKey(QWidget& widget, QEvent::Type type, int key, const QString& text, bool autoRepeat,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(&widget, &event);
}

// A key pressed and let go.
inline void Type(QWidget& widget, int key, const QString& text = QString())
{
    SendKey(widget, QEvent::KeyPress, key, text, false);
    SendKey(widget, QEvent::KeyRelease, key, text, false);
}
