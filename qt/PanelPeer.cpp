#include "qt/PanelPeer.h"

#include "qt/ClassicLook.h"
#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/VideoFrame.h"

#include <QImage>
#include <QPainter>

namespace qtui {

PanelWidget::PanelWidget(QWidget* parent) : CaptionedWidget(parent, tk::TAlignment::taCenter)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelWidget::SetBevel(tk::TBevelCut bevel)
{
    Repaint(m_bevel, bevel);
}

void PanelWidget::SetVideoFrame(std::shared_ptr<const tk::TVideoFrame> frame)
{
    if (!frame && !m_video)
        return;
    m_video = std::move(frame);
    update();
}

void PanelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    QRect inner = DrawBevel(painter, rect(), m_bevel);
    if (m_video && m_video->Width > 0 && m_video->Height > 0 && !inner.isEmpty()) {
        const tk::TVideoFrame& frame = *m_video;
        QImage picture(reinterpret_cast<const uchar*>(frame.Pixels.data()), frame.Width, frame.Height,
                       frame.Width * 4, QImage::Format_RGB32);
        QSize fitted = QSize(frame.Width, frame.Height).scaled(inner.size(), Qt::KeepAspectRatio);
        QRect target(inner.left() + (inner.width() - fitted.width()) / 2,
                     inner.top() + (inner.height() - fitted.height()) / 2, fitted.width(), fitted.height());
        painter.fillRect(inner, Qt::black);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture);
    }
    if (m_caption.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(m_textColor);
    painter.drawText(inner, CaptionFlags(m_alignment, VerticalPlacement::Centre) | Qt::TextShowMnemonic, m_caption);
}

PanelPeer::PanelPeer(tk::TPanel& panel, QtBackend& backend)
    : ControlPeer(panel, backend), m_panel(panel), m_panelWidget(new PanelWidget(ParentContainer()))
{
    Attach(m_panelWidget, InputRouter::ClickStyle::Released);
}

void PanelPeer::SetVideoFrame(std::shared_ptr<const tk::TVideoFrame> frame)
{
    m_panelWidget->SetVideoFrame(std::move(frame));
}

void PanelPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange)
        m_panelWidget->SetColor(ToQColor(m_panel.Color()));
    if (changes & FontChange)
        m_panelWidget->SetTextColor(ToQColor(m_panel.Font().Color()));
    if (changes & TextChange)
        m_panelWidget->SetCaption(ToQString(m_panel.Caption()));
    if (changes & BevelChange)
        m_panelWidget->SetBevel(m_panel.BevelOuter());
    if (changes & AlignmentChange)
        m_panelWidget->SetAlignment(m_panel.Alignment());
}

}  // namespace qtui
