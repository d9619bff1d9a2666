#include "qt/ClassicLook.h"

#include "qt/Convert.h"
#include "toolkit/Color.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>

namespace qtui {

namespace {
QColor System(int index)
{
    return ToQColor(tk::TColor::System(index));
}
}  // namespace

QPalette ClassicPalette()
{
    using namespace tk::syscolor;
    QPalette palette;
    palette.setColor(QPalette::Window, System(BtnFace));
    palette.setColor(QPalette::WindowText, System(WindowText));
    palette.setColor(QPalette::Base, System(Window));
    palette.setColor(QPalette::AlternateBase, System(BtnFace));
    palette.setColor(QPalette::Text, System(WindowText));
    palette.setColor(QPalette::Button, System(BtnFace));
    palette.setColor(QPalette::ButtonText, System(BtnText));
    palette.setColor(QPalette::BrightText, System(BtnHighlight));
    palette.setColor(QPalette::Light, System(BtnHighlight));
    palette.setColor(QPalette::Midlight, System(Light3D));
    palette.setColor(QPalette::Mid, System(BtnShadow));
    palette.setColor(QPalette::Dark, System(BtnShadow));
    palette.setColor(QPalette::Shadow, System(DkShadow3D));
    palette.setColor(QPalette::Highlight, System(Highlight));
    palette.setColor(QPalette::HighlightedText, System(HighlightText));
    palette.setColor(QPalette::ToolTipBase, System(InfoBk));
    palette.setColor(QPalette::ToolTipText, System(InfoText));
    palette.setColor(QPalette::PlaceholderText, System(GrayText));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, System(GrayText));
    palette.setColor(QPalette::Disabled, QPalette::Text, System(GrayText));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, System(GrayText));
    return palette;
}

void ApplyClassicLook(QApplication& application)
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        application.setStyle(style);
    application.setPalette(ClassicPalette());
    application.setFont(ToQFont(tk::TFont()));
}

QRect DrawBevel(QPainter& painter, const QRect& rect, tk::TBevelCut bevel)
{
    if (bevel == tk::TBevelCut::bvNone || rect.width() < 1 || rect.height() < 1)
        return rect;
    QColor light = System(tk::syscolor::BtnHighlight);
    QColor dark = System(tk::syscolor::BtnShadow);
    QColor topLeft = bevel == tk::TBevelCut::bvRaised ? light : dark;
    QColor bottomRight = bevel == tk::TBevelCut::bvRaised ? dark : light;
    // The bottom-right edge is drawn last, so it owns the two corners where the edges meet.
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
    return rect.adjusted(1, 1, -1, -1);
}

int CaptionFlags(tk::TAlignment alignment, VerticalPlacement placement)
{
    int flags = Qt::TextSingleLine;
    switch (alignment) {
    case tk::TAlignment::taLeftJustify: flags |= Qt::AlignLeft; break;
    case tk::TAlignment::taRightJustify: flags |= Qt::AlignRight; break;
    case tk::TAlignment::taCenter: flags |= Qt::AlignHCenter; break;
    }
    flags |= placement == VerticalPlacement::Centre ? Qt::AlignVCenter : Qt::AlignTop;
    return flags;
}

}  // namespace qtui
