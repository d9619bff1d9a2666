#pragma once

#include "qt/WidgetPeer.h"

#include <QWidget>

class QToolButton;

namespace tk {
class TUpDown;
}

namespace qtui {

// Two arrow buttons stacked in the control's height, as that desktop drew its up-down control;
// held down, they repeat.
class UpDownWidget : public QWidget {
public:
    explicit UpDownWidget(QWidget* parent);

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

// Each press of an arrow (and each repeat) enters the model as one step.
class UpDownPeer : public ControlPeer<tk::TUpDownPeer> {
public:
    UpDownPeer(tk::TUpDown& upDown, QtBackend& backend);

    UpDownWidget* Buttons() const { return m_widget; }

private:
    tk::TUpDown& m_upDown;
    UpDownWidget* m_widget;
};

}  // namespace qtui
