#include "qt/UpDownPeer.h"

#include "toolkit/ComCtrls.h"

#include <QToolButton>

namespace qtui {

namespace {
QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(false);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
}  // namespace

UpDownWidget::UpDownWidget(QWidget* parent)
    : QWidget(parent), m_up(MakeArrow(this, Qt::UpArrow)), m_down(MakeArrow(this, Qt::DownArrow))
{
}

// The upper button takes the upper half, the lower one the rest.
void UpDownWidget::resizeEvent(QResizeEvent*)
{
    int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

UpDownPeer::UpDownPeer(tk::TUpDown& upDown, QtBackend& backend)
    : ControlPeer(upDown, backend), m_upDown(upDown), m_widget(new UpDownWidget(ParentContainer()))
{
    Attach(m_widget, InputRouter::ClickStyle::Native);
    for (auto [button, direction] : {std::pair{m_widget->UpButton(), 1}, std::pair{m_widget->DownButton(), -1}}) {
        QObject::connect(button, &QToolButton::clicked, m_widget,
                         WhileAttached([this, direction = direction] { m_upDown.InputStep(direction); }));
    }
}

}  // namespace qtui
