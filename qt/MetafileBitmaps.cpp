// The player's transfers of pixels: bitmaps stretched into their destination through the
// mapping, mixed with what lies beneath by their raster operation; and fills by pattern.

#include "qt/MetafilePlayer.h"

#include <QPainter>

namespace qtui {

namespace meta = formats::meta;

namespace {

// Ternary raster operations: the mixes of source, pattern (brush) and destination.
enum Rop : uint32_t {
    Blackness = 0x00000042,
    NotSrcErase = 0x001100A6,
    NotSrcCopy = 0x00330008,
    SrcErase = 0x00440328,
    DstInvert = 0x00550009,
    PatInvert = 0x005A0049,
    SrcInvert = 0x00660046,
    SrcAnd = 0x008800C6,
    Destination = 0x00AA0029,
    MergePaint = 0x00BB0226,
    SrcCopy = 0x00CC0020,
    SrcPaint = 0x00EE0086,
    PatCopy = 0x00F00021,
    PatPaint = 0x00FB0A09,
    Whiteness = 0x00FF0062,
};

QImage ToQImage(const formats::Image& image)
{
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height, image.width * 4,
                  QImage::Format_ARGB32)
        .copy();
}

}  // namespace

void MetafilePlayer::FillRop(const QPainterPath& device, uint32_t rop)
{
    PrepareClip();
    switch (rop) {
    case Destination: return;
    case Blackness: m_painter.fillPath(device, Qt::black); return;
    case Whiteness: m_painter.fillPath(device, Qt::white); return;
    case DstInvert:
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillPath(device, Qt::black);
        break;
    case PatInvert:
        if (auto brush = MakeBrush(m_state.brush)) {
            m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            m_painter.fillPath(device, *brush);
        }
        break;
    default:
        // PATCOPY, and the other mixes with the pattern, as the pattern.
        if (auto brush = MakeBrush(m_state.brush))
            m_painter.fillPath(device, *brush);
        break;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafilePlayer::DrawBitmap(const meta::BitBlt& blt)
{
    QTransform device = DeviceTransform();
    QRectF dest(QPointF(blt.dest.left, blt.dest.top), QPointF(blt.dest.right, blt.dest.bottom));
    if (!blt.hasImage) {
        QPainterPath area;
        area.addPolygon(device.map(QPolygonF(dest.normalized())));
        FillRop(area, blt.rop);
        return;
    }
    double sourceWidth = double(blt.source.right) - blt.source.left;
    double sourceHeight = double(blt.source.bottom) - blt.source.top;
    if (sourceWidth == 0 || sourceHeight == 0 || dest.width() == 0 || dest.height() == 0)
        return;
    QImage image = ToQImage(blt.image);
    // Only the part of the source inside the bitmap is drawn, at its place in the destination.
    QRect source = QRect(QPoint(blt.source.left, blt.source.top), QPoint(blt.source.right - 1, blt.source.bottom - 1))
                       .normalized()
                       .intersected(image.rect());
    if (source.isEmpty())
        return;
    if (blt.transparentColor) {
        QRgb key = QColor(int(blt.transparent & 0xFF), int((blt.transparent >> 8) & 0xFF),
                          int((blt.transparent >> 16) & 0xFF))
                       .rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    row[x] = 0;
        }
    }
    if (blt.rop == NotSrcCopy)
        image.invertPixels();

    QTransform place = QTransform::fromTranslate(-blt.source.left, -blt.source.top) *
                       QTransform::fromScale(dest.width() / sourceWidth, dest.height() / sourceHeight) *
                       QTransform::fromTranslate(dest.left(), dest.top()) * device;
    PrepareClip();
    if (blt.rop == SrcAnd) {
        // Mixing with the destination needs one: where nothing is drawn yet, the white of a window.
        QPainterPath area;
        area.addPolygon(place.map(QPolygonF(QRectF(source))));
        m_painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        m_painter.fillPath(area, Qt::white);
    }
    switch (blt.rop) {
    case SrcAnd: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case SrcPaint: m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case SrcInvert: m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case SrcErase: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination); break;
    case NotSrcErase: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceAndNotDestination); break;
    case MergePaint: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination); break;
    case Blackness:
    case Whiteness:
    case DstInvert:
    case PatCopy:
    case PatInvert:
    case Destination: {
        QPainterPath area;
        area.addPolygon(device.map(QPolygonF(dest.normalized())));
        FillRop(area, blt.rop);
        return;
    }
    default: m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
    m_painter.setTransform(place);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, m_state.stretchMode == 4);
    if (blt.alphaBlend)
        m_painter.setOpacity(blt.constantAlpha / 255.0);
    m_painter.drawImage(QPointF(source.topLeft()), image, source);
    m_painter.setOpacity(1);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setTransform(QTransform());
}

}  // namespace qtui
