// The player's figures, paths, clipping, regions and gradients. Figures are made in logical
// units, carried to device pixels, and then filled and outlined there (or added to the path).

#include "qt/MetafilePlayer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRegion>

#include <cmath>
#include <numbers>

namespace qtui {

namespace meta = formats::meta;

namespace {

constexpr uint32_t RgnAnd = 1, RgnOr = 2, RgnXor = 3, RgnDiff = 4, RgnCopy = 5;
constexpr uint32_t R2Black = 1, R2NotCopyPen = 4, R2Not = 6, R2XorPen = 7, R2MaskPen = 9, R2Nop = 11,
                   R2MergePen = 15, R2White = 16;

QRectF BoxOf(const meta::Rect& rect)
{
    return QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)).normalized();
}

QPointF PointOf(const meta::Point& point)
{
    return QPointF(point.x, point.y);
}

// The length one logical unit takes on the device, for pen widths.
double LinearScale(const QTransform& transform)
{
    return std::sqrt(std::abs(transform.m11() * transform.m22() - transform.m12() * transform.m21()));
}

// The angle (in degrees, counter-clockwise with y down) at which the ray from the box's centre
// through `point` meets the box's ellipse, as a parameter of that ellipse.
double EllipseAngle(const QRectF& box, QPointF point)
{
    QPointF centre = box.center();
    double rx = std::max(box.width() / 2, 1e-9), ry = std::max(box.height() / 2, 1e-9);
    return std::atan2(-(point.y() - centre.y()) / ry, (point.x() - centre.x()) / rx) * 180 / std::numbers::pi;
}

Qt::BrushStyle HatchStyle(uint32_t hatch)
{
    switch (hatch) {
    case 0: return Qt::HorPattern;        // HS_HORIZONTAL
    case 1: return Qt::VerPattern;        // HS_VERTICAL
    case 2: return Qt::FDiagPattern;      // HS_FDIAGONAL: down from left to right
    case 3: return Qt::BDiagPattern;      // HS_BDIAGONAL
    case 4: return Qt::CrossPattern;      // HS_CROSS
    default: return Qt::DiagCrossPattern; // HS_DIAGCROSS
    }
}

// The mix of the pen and brush with what lies beneath (SetROP2). Only the common mixes are
// carried out; the others draw as the plain copy.
bool ApplyRop2(QPainter& painter, uint32_t rop2, QColor& color)
{
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    switch (rop2) {
    case R2Nop: return false;
    case R2Black: color = Qt::black; break;
    case R2White: color = Qt::white; break;
    case R2NotCopyPen: color = QColor(255 - color.red(), 255 - color.green(), 255 - color.blue()); break;
    case R2XorPen: painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case R2MaskPen: painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case R2MergePen: painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case R2Not: painter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    default: break;
    }
    return true;
}

// The union of many regions, joined in pairs so that a region of thousands of rectangles does not
// take quadratic time.
QRegion Union(std::vector<QRegion>& parts)
{
    if (parts.empty())
        return QRegion();
    for (size_t step = 1; step < parts.size(); step *= 2)
        for (size_t i = 0; i + step < parts.size(); i += 2 * step)
            parts[i] += parts[i + step];
    return parts.front();
}

}  // namespace

void MetafilePlayer::Draw(const meta::Operation& operation)
{
    QTransform device = DeviceTransform();
    if (auto* line = std::get_if<meta::LineTo>(&operation)) {
        QPointF to = PointOf(line->to);
        if (m_recordingPath) {
            m_path.lineTo(device.map(to));
        } else {
            QPainterPath path(m_state.position);
            path.lineTo(to);
            Figure(path, false);
        }
        m_state.position = to;
    } else if (auto* poly = std::get_if<meta::Poly>(&operation)) {
        DrawPoly(*poly);
    } else if (auto* polys = std::get_if<meta::PolyPoly>(&operation)) {
        DrawPolyPoly(*polys);
    } else if (auto* shape = std::get_if<meta::Shape>(&operation)) {
        DrawShape(*shape);
    } else if (auto* arc = std::get_if<meta::AngleArc>(&operation)) {
        DrawAngleArc(*arc);
    } else if (auto* pixel = std::get_if<meta::SetPixel>(&operation)) {
        PrepareClip();
        QPointF at = device.map(PointOf(pixel->at));
        m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), Color(pixel->color));
    } else if (auto* text = std::get_if<meta::TextOut>(&operation)) {
        DrawText(*text);
    } else if (auto* blt = std::get_if<meta::BitBlt>(&operation)) {
        DrawBitmap(*blt);
    } else if (auto* region = std::get_if<meta::RegionDraw>(&operation)) {
        DrawRegion(*region);
    } else if (auto* clipRect = std::get_if<meta::ClipRect>(&operation)) {
        ClipTo(*clipRect);
    } else if (auto* clipRegion = std::get_if<meta::ClipRegion>(&operation)) {
        ClipTo(*clipRegion);
    } else if (auto* offset = std::get_if<meta::OffsetClip>(&operation)) {
        OffsetClip(offset->offset);
    } else if (auto* path = std::get_if<meta::PathRecord>(&operation)) {
        ApplyPath(*path);
    } else if (auto* gradient = std::get_if<meta::Gradient>(&operation)) {
        DrawGradient(*gradient);
    }
}

void MetafilePlayer::DrawPoly(const meta::Poly& poly)
{
    if (poly.points.empty())
        return;
    bool continues = poly.kind == meta::PolyKind::PolylineTo || poly.kind == meta::PolyKind::PolyBezierTo;
    bool bezier = poly.kind == meta::PolyKind::PolyBezier || poly.kind == meta::PolyKind::PolyBezierTo;
    std::vector<QPointF> points;
    points.reserve(poly.points.size() + 1);
    if (continues)
        points.push_back(m_state.position);
    for (const meta::Point& point : poly.points)
        points.push_back(PointOf(point));

    QPainterPath path(points.front());
    if (bezier) {
        for (size_t i = 1; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
    } else {
        for (size_t i = 1; i < points.size(); ++i)
            path.lineTo(points[i]);
    }
    if (continues)
        m_state.position = path.currentPosition();
    if (continues && m_recordingPath) {
        // The points go on the figure being recorded.
        QPainterPath device = DeviceTransform().map(path);
        for (int i = 1; i < device.elementCount(); ++i) {
            QPainterPath::Element element = device.elementAt(i);
            if (element.isCurveTo() && i + 2 < device.elementCount()) {
                m_path.cubicTo(element, device.elementAt(i + 1), device.elementAt(i + 2));
                i += 2;
            } else {
                m_path.lineTo(element);
            }
        }
        return;
    }
    if (poly.kind == meta::PolyKind::Polygon)
        path.closeSubpath();
    Figure(path, poly.kind == meta::PolyKind::Polygon);
}

void MetafilePlayer::DrawPolyPoly(const meta::PolyPoly& poly)
{
    QPainterPath path;
    for (const std::vector<meta::Point>& part : poly.parts) {
        if (part.empty())
            continue;
        path.moveTo(PointOf(part.front()));
        for (size_t i = 1; i < part.size(); ++i)
            path.lineTo(PointOf(part[i]));
        if (poly.polygons)
            path.closeSubpath();
    }
    Figure(path, poly.polygons);
}

QPainterPath MetafilePlayer::ArcPath(const meta::Shape& shape, bool& valid) const
{
    QRectF box = BoxOf(shape.box);
    valid = box.width() > 0 && box.height() > 0;
    QPainterPath path;
    if (!valid)
        return path;
    double start = EllipseAngle(box, PointOf(shape.start));
    double end = EllipseAngle(box, PointOf(shape.end));
    double sweep = std::fmod(end - start + 720, 360);
    if (sweep <= 1e-9)
        sweep = 360;   // the same ray twice: the whole ellipse
    // The direction is the device's: a mapping that turns an axis over turns it too.
    bool clockwise = m_state.arcDirection == 2;
    if (DeviceTransform().determinant() < 0)
        clockwise = !clockwise;
    if (clockwise)
        sweep -= 360;
    if (shape.kind == meta::ShapeKind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    return path;
}

void MetafilePlayer::DrawShape(const meta::Shape& shape)
{
    QRectF box = BoxOf(shape.box);
    QPainterPath path;
    switch (shape.kind) {
    case meta::ShapeKind::Rectangle: path.addRect(box); break;
    case meta::ShapeKind::RoundRect:
        path.addRoundedRect(box, std::abs(shape.corner.x) / 2.0, std::abs(shape.corner.y) / 2.0);
        break;
    case meta::ShapeKind::Ellipse: path.addEllipse(box); break;
    default: {
        bool valid = false;
        path = ArcPath(shape, valid);
        if (!valid)
            return;
        if (shape.kind == meta::ShapeKind::ArcTo) {
            // A line from the current position to the arc's start, then the arc.
            QPainterPath joined(m_state.position);
            joined.connectPath(path);
            m_state.position = path.currentPosition();
            if (m_recordingPath) {
                QPainterPath device = DeviceTransform().map(joined);
                m_path.connectPath(device);
                return;
            }
            Figure(joined, false);
            return;
        }
        if (shape.kind != meta::ShapeKind::Arc)
            path.closeSubpath();
        break;
    }
    }
    Figure(path, shape.kind != meta::ShapeKind::Arc);
}

void MetafilePlayer::DrawAngleArc(const meta::AngleArc& arc)
{
    double radius = arc.radius;
    QRectF box(arc.center.x - radius, arc.center.y - radius, 2 * radius, 2 * radius);
    QPainterPath path(m_state.position);
    double sweep = std::clamp<double>(arc.sweepAngle, -3600, 3600);
    path.arcTo(box, arc.startAngle, sweep);
    m_state.position = path.currentPosition();
    if (m_recordingPath) {
        m_path.connectPath(DeviceTransform().map(path));
        return;
    }
    Figure(path, false);
}

void MetafilePlayer::Figure(const QPainterPath& logical, bool closed)
{
    QPainterPath device = DeviceTransform().map(logical);
    if (m_recordingPath) {
        m_path.addPath(device);
        return;
    }
    if (closed) {
        device.setFillRule(m_state.polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
        FillDevice(device, m_state.brush);
    }
    StrokeDevice(device);
}

std::optional<QBrush> MetafilePlayer::MakeBrush(const Brush& brush) const
{
    switch (brush.style) {
    case meta::BsNull: return std::nullopt;
    case meta::BsHatched: return QBrush(brush.color, HatchStyle(brush.hatch));
    case meta::BsPattern:
    case meta::BsDibPattern:
    case meta::BsDibPatternPt: {
        if (brush.pattern.isNull())
            return QBrush(brush.color);
        if (!brush.monochrome)
            return QBrush(brush.pattern);
        // Two colours: the text colour where the pattern is dark, the background where light.
        QImage pattern = brush.pattern.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < pattern.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(pattern.scanLine(y));
            for (int x = 0; x < pattern.width(); ++x)
                row[x] = qGray(row[x]) < 128 ? m_state.textColor.rgb() : m_state.bkColor.rgb();
        }
        return QBrush(pattern);
    }
    default: return QBrush(brush.color);
    }
}

bool MetafilePlayer::PenDraws() const
{
    return (m_state.pen.style & meta::PsStyleMask) != meta::PsNull && m_state.rop2 != R2Nop;
}

void MetafilePlayer::FillDevice(const QPainterPath& device, const Brush& brush)
{
    std::optional<QBrush> fill = MakeBrush(brush);
    if (!fill || device.isEmpty())
        return;
    QColor color = fill->color();
    if (!ApplyRop2(m_painter, m_state.rop2, color))
        return;
    fill->setColor(color);
    PrepareClip();
    // An opaque background fills the gaps between the hatch lines.
    if (brush.style == meta::BsHatched && m_state.bkMode == 2)
        m_painter.fillPath(device, m_state.bkColor);
    m_painter.fillPath(device, *fill);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafilePlayer::StrokeDevice(const QPainterPath& device)
{
    if (!PenDraws() || device.isEmpty())
        return;
    const Pen& pen = m_state.pen;
    QColor color = pen.color;
    if (!ApplyRop2(m_painter, m_state.rop2, color))
        return;
    double width = pen.width * LinearScale(DeviceTransform());
    bool thin = width < 1.5;
    QPen qpen(color, thin ? 1.0 : width);
    uint32_t style = pen.style & meta::PsStyleMask;
    // Dashes are in device pixels and belong to thin pens; a wide pen of an old style is solid.
    static const QList<qreal> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3}, alternate{1, 1};
    if (thin || (pen.style & meta::PsGeometric)) {
        double unit = thin ? 1.0 : width;
        switch (style) {
        case meta::PsDash: qpen.setDashPattern(dash); break;
        case meta::PsDot: qpen.setDashPattern(dot); break;
        case meta::PsDashDot: qpen.setDashPattern(dashDot); break;
        case meta::PsDashDotDot: qpen.setDashPattern(dashDotDot); break;
        case meta::PsAlternate: qpen.setDashPattern(alternate); break;
        case meta::PsUserStyle: {
            QList<qreal> pattern;
            double scale = LinearScale(DeviceTransform()) / unit;
            for (uint32_t length : pen.dashes)
                pattern.push_back(std::max(length * scale, 0.5));
            if (pattern.size() % 2)
                pattern.push_back(pattern.back());
            if (!pattern.isEmpty())
                qpen.setDashPattern(pattern);
            break;
        }
        default: break;
        }
    }
    if (pen.style & meta::PsGeometric) {
        uint32_t cap = pen.style & meta::PsEndCapMask, join = pen.style & meta::PsJoinMask;
        qpen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
        qpen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
        qpen.setMiterLimit(m_state.miterLimit);
    } else {
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    PrepareClip();
    m_painter.strokePath(device, qpen);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QPainterPath MetafilePlayer::RegionPath(const std::vector<meta::Rect>& rects, bool deviceUnits) const
{
    QTransform transform = deviceUnits ? m_base : DeviceTransform();
    QPainterPath path;
    if (transform.type() <= QTransform::TxScale) {
        // Rectangles stay rectangles: their union is quickest made as a region.
        std::vector<QRegion> parts;
        parts.reserve(rects.size());
        for (const meta::Rect& rect : rects)
            parts.emplace_back(transform.mapRect(BoxOf(rect)).toAlignedRect());
        path.addRegion(Union(parts));
        return path;
    }
    for (const meta::Rect& rect : rects)
        path.addPolygon(transform.map(QPolygonF(BoxOf(rect))));
    path.setFillRule(Qt::WindingFill);
    return path.simplified();
}

void MetafilePlayer::DrawRegion(const meta::RegionDraw& draw)
{
    QPainterPath area = RegionPath(draw.rects, draw.deviceUnits);
    Brush brush = m_state.brush;
    if (draw.op == meta::RegionOp::Fill || draw.op == meta::RegionOp::Frame) {
        auto it = m_objects.find(draw.brushSlot);
        if (it == m_objects.end() || !std::holds_alternative<Brush>(it->second))
            return;
        brush = std::get<Brush>(it->second);
    }
    switch (draw.op) {
    case meta::RegionOp::Fill:
    case meta::RegionOp::Paint: FillDevice(area, brush); break;
    case meta::RegionOp::Frame: {
        // The frame is the region less the region drawn in by the frame's width and height.
        QTransform scale = draw.deviceUnits ? m_base : DeviceTransform();
        double dx = std::abs(draw.frameSize.x * scale.m11()), dy = std::abs(draw.frameSize.y * scale.m22());
        QPainterPath inner;
        for (const meta::Rect& rect : draw.rects) {
            QRectF box = (draw.deviceUnits ? m_base : DeviceTransform()).mapRect(BoxOf(rect));
            inner.addRect(box.adjusted(dx, dy, -dx, -dy).normalized());
        }
        FillDevice(area.subtracted(inner), brush);
        break;
    }
    case meta::RegionOp::Invert:
        PrepareClip();
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillPath(area, Qt::black);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    }
}

void MetafilePlayer::DrawGradient(const meta::Gradient& gradient)
{
    auto colorOf = [](const meta::Gradient::Vertex& vertex) {
        return QColor(vertex.red >> 8, vertex.green >> 8, vertex.blue >> 8);
    };
    QTransform device = DeviceTransform();
    PrepareClip();
    if (gradient.mode == 2) {
        // Triangles are shaded with the mean of their corners' colours.
        for (size_t i = 0; i + 2 < gradient.indexes.size(); i += 3) {
            const auto& a = gradient.vertices[gradient.indexes[i]];
            const auto& b = gradient.vertices[gradient.indexes[i + 1]];
            const auto& c = gradient.vertices[gradient.indexes[i + 2]];
            QPolygonF triangle({PointOf(a.at), PointOf(b.at), PointOf(c.at)});
            QPainterPath path;
            path.addPolygon(device.map(triangle));
            QColor mean((colorOf(a).red() + colorOf(b).red() + colorOf(c).red()) / 3,
                        (colorOf(a).green() + colorOf(b).green() + colorOf(c).green()) / 3,
                        (colorOf(a).blue() + colorOf(b).blue() + colorOf(c).blue()) / 3);
            m_painter.fillPath(path, mean);
        }
        return;
    }
    for (size_t i = 0; i + 1 < gradient.indexes.size(); i += 2) {
        const auto& from = gradient.vertices[gradient.indexes[i]];
        const auto& to = gradient.vertices[gradient.indexes[i + 1]];
        QRectF box = QRectF(PointOf(from.at), PointOf(to.at)).normalized();
        QPointF end = gradient.mode == 0 ? QPointF(to.at.x, from.at.y) : QPointF(from.at.x, to.at.y);
        QLinearGradient linear(device.map(PointOf(from.at)), device.map(end));
        linear.setColorAt(0, colorOf(from));
        linear.setColorAt(1, colorOf(to));
        QPainterPath path;
        path.addPolygon(device.map(QPolygonF(box)));
        m_painter.fillPath(path, linear);
    }
}

void MetafilePlayer::ApplyPath(const meta::PathRecord& record)
{
    auto finish = [&] {
        m_recordingPath = false;
        m_path = QPainterPath();
    };
    QPainterPath path = m_path;
    path.setFillRule(m_state.polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    switch (record.op) {
    case meta::PathOp::Begin:
        m_recordingPath = true;
        m_path = QPainterPath(DeviceTransform().map(m_state.position));
        break;
    case meta::PathOp::End: m_recordingPath = false; break;
    case meta::PathOp::Close:
        if (m_recordingPath)
            m_path.closeSubpath();
        break;
    case meta::PathOp::Fill:
        finish();
        FillDevice(path, m_state.brush);
        break;
    case meta::PathOp::Stroke:
        finish();
        StrokeDevice(path);
        break;
    case meta::PathOp::StrokeAndFill:
        finish();
        FillDevice(path, m_state.brush);
        StrokeDevice(path);
        break;
    case meta::PathOp::Abort: finish(); break;
    case meta::PathOp::Flatten: break;
    case meta::PathOp::Widen: {
        QPainterPathStroker stroker;
        stroker.setWidth(std::max(1.0, m_state.pen.width * LinearScale(DeviceTransform())));
        m_path = stroker.createStroke(m_path);
        m_path.setFillRule(Qt::WindingFill);
        break;
    }
    case meta::PathOp::SelectClip:
        finish();
        CombineClip(path, record.mode);
        break;
    }
}

void MetafilePlayer::ClipTo(const meta::ClipRect& clip)
{
    QPainterPath area;
    area.addPolygon(DeviceTransform().map(QPolygonF(BoxOf(clip.rect))));
    area.closeSubpath();
    CombineClip(area, clip.exclude ? RgnDiff : RgnAnd);
}

void MetafilePlayer::ClipTo(const meta::ClipRegion& clip)
{
    if (clip.none) {
        m_state.clipped = false;
        m_state.clip = QPainterPath();
        m_clipApplied = false;
        return;
    }
    CombineClip(RegionPath(clip.rects, clip.deviceUnits), clip.mode);
}

void MetafilePlayer::CombineClip(const QPainterPath& area, uint32_t mode)
{
    QPainterPath whole;
    whole.addRect(0, 0, m_width, m_height);
    QPainterPath current = m_state.clipped ? m_state.clip : whole;
    QPainterPath result;
    switch (mode) {
    case RgnAnd: result = current.intersected(area); break;
    case RgnOr: result = current.united(area); break;
    case RgnXor: result = current.subtracted(area).united(area.subtracted(current)); break;
    case RgnDiff: result = current.subtracted(area); break;
    case RgnCopy: result = area; break;
    default: return;
    }
    m_state.clipped = true;
    m_state.clip = result;
    m_clipApplied = false;
}

void MetafilePlayer::OffsetClip(const meta::Point& offset)
{
    if (!m_state.clipped)
        return;
    QTransform device = DeviceTransform();
    QPointF shift = device.map(PointOf(offset)) - device.map(QPointF(0, 0));
    m_state.clip.translate(shift);
    m_clipApplied = false;
}

void MetafilePlayer::PrepareClip()
{
    m_painter.setTransform(QTransform());
    if (m_clipApplied)
        return;
    if (m_state.clipped)
        m_painter.setClipPath(m_state.clip);
    else
        m_painter.setClipRect(QRect(0, 0, m_width, m_height));
    m_clipApplied = true;
}

}  // namespace qtui
