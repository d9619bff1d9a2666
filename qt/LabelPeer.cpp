#include "qt/LabelPeer.h"

#include "qt/ClassicLook.h"
#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"

#include <QEvent>
#include <QPainter>

namespace qtui {

LabelWidget::LabelWidget(QWidget* parent) : CaptionedWidget(parent, tk::TAlignment::taLeftJustify) {}

void LabelWidget::SetTransparent(bool transparent)
{
    Repaint(m_transparent, transparent);
}

void LabelWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void LabelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), m_color);
    if (m_caption.isEmpty())
        return;
    painter.setFont(font());
    int flags = CaptionFlags(m_alignment, VerticalPlacement::Top) | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(m_textColor);
        painter.drawText(rect(), flags, m_caption);
        return;
    }
    painter.setPen(ToQColor(tk::TColor::System(tk::syscolor::BtnHighlight)));
    painter.drawText(rect().translated(1, 1), flags, m_caption);
    painter.setPen(ToQColor(tk::TColor::System(tk::syscolor::BtnShadow)));
    painter.drawText(rect(), flags, m_caption);
}

LabelPeer::LabelPeer(tk::TLabel& label, QtBackend& backend)
    : ControlPeer(label, backend), m_label(label), m_labelWidget(new LabelWidget(ParentContainer()))
{
    Attach(m_labelWidget, InputRouter::ClickStyle::Released);
}

void LabelPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange)
        m_labelWidget->SetColor(ToQColor(m_label.Color()));
    if (changes & FontChange)
        m_labelWidget->SetTextColor(ToQColor(m_label.Font().Color()));
    if (changes & TextChange)
        m_labelWidget->SetCaption(ToQString(m_label.Caption()));
    if (changes & AlignmentChange)
        m_labelWidget->SetAlignment(m_label.Alignment());
    if (changes & TransparentChange)
        m_labelWidget->SetTransparent(m_label.Transparent());
}

}  // namespace qtui
