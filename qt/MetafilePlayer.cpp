#include "qt/MetafilePlayer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qtui {

namespace meta = formats::meta;

namespace {

constexpr uint32_t MmText = 1, MmLoMetric = 2, MmHiMetric = 3, MmLoEnglish = 4, MmHiEnglish = 5, MmTwips = 6,
                   MmIsotropic = 7, MmAnisotropic = 8;
constexpr uint32_t PaletteIndexFlag = 0x01000000;
// Saves beyond this many are not kept; no drawing program nests its states so deep.
constexpr size_t MaxSavedStates = 4096;

// The font a device context starts with on the Japanese desktop: the system font, a gothic face
// of 16-pixel cells in the Shift-JIS character set.
meta::LogFont SystemFont()
{
    meta::LogFont font;
    font.height = 16;
    font.weight = 700;
    font.charSet = 128;
    font.face.bytes = "MS Gothic";
    return font;
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

MetafilePlayer::MetafilePlayer(const formats::Metafile& metafile, QPainter& painter, int width, int height)
    : m_metafile(metafile), m_painter(painter), m_width(width), m_height(height)
{
    const formats::MetafileHeader& header = metafile.header;
    m_state.font = SystemFont();
    double xScale = header.width > 0 ? width / header.width : 1;
    double yScale = header.height > 0 ? height / header.height : 1;
    if (header.kind == formats::MetafileKind::Emf) {
        m_base = QTransform::fromTranslate(-header.left, -header.top) * QTransform::fromScale(xScale, yScale);
    } else {
        // A WMF is played as a viewer plays it: its window is the picture's box, and the viewport
        // the picture; the records may set the window again.
        m_state.mapMode = MmAnisotropic;
        m_state.windowOrg = QPointF(header.left, header.top);
        m_state.windowExt = QPointF(header.width, header.height);
        m_state.viewportExt = QPointF(width, height);
    }
}

void MetafilePlayer::Play()
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setClipRect(QRect(0, 0, m_width, m_height));
    for (const meta::Record& record : m_metafile.records) {
        if (std::holds_alternative<meta::EndOfFile>(record.operation))
            break;
        Execute(record.operation);
    }
    m_painter.restore();
}

void MetafilePlayer::Execute(const meta::Operation& operation)
{
    std::visit(Overloaded{
                   [&](const meta::SetAttribute& attribute) { Apply(attribute); },
                   [&](const meta::SetMapping& mapping) { Apply(mapping); },
                   [&](const meta::ScaleExtent& scale) { Apply(scale); },
                   [&](const meta::WorldTransform& world) { Apply(world); },
                   [&](const meta::SaveDC&) {
                       if (m_saved.size() < MaxSavedStates)
                           m_saved.push_back(m_state);
                   },
                   [&](const meta::RestoreDC& restore) { Restore(restore.which); },
                   [&](const meta::MoveTo& move) {
                       m_state.position = QPointF(move.to.x, move.to.y);
                       if (m_recordingPath)
                           m_path.moveTo(DeviceTransform().map(m_state.position));
                   },
                   [&](const meta::CreatePen& create) {
                       StoreObject(create.slot, Pen{create.style, double(create.width), Color(create.color),
                                                    create.dashes});
                   },
                   [&](const meta::CreateBrush& create) {
                       QImage pattern;
                       if (!create.pattern.pixels.empty())
                           pattern = QImage(reinterpret_cast<const uchar*>(create.pattern.pixels.data()),
                                            create.pattern.width, create.pattern.height, create.pattern.width * 4,
                                            QImage::Format_ARGB32)
                                         .copy();
                       StoreObject(create.slot, Brush{create.style, Color(create.color), create.hatch, pattern,
                                                      create.monochrome});
                   },
                   [&](const meta::CreateFont& create) { StoreObject(create.slot, create.font); },
                   [&](const meta::CreateRegion& create) { StoreObject(create.slot, Region{create.rects}); },
                   [&](const meta::CreateOther& create) { StoreObject(create.slot, std::monostate{}); },
                   [&](const meta::SelectObject& select) { Select(select.slot); },
                   [&](const meta::DeleteObject& remove) { m_objects.erase(remove.slot); },
                   [&](const auto&) { Draw(operation); },
               },
               operation);
}

void MetafilePlayer::Apply(const meta::SetAttribute& attribute)
{
    uint32_t value = attribute.value;
    switch (attribute.attribute) {
    case meta::Attribute::MapMode:
        if (value >= MmText && value <= MmAnisotropic) {
            // Isotropic mode starts from the metric extents, as the system sets them.
            if (value == MmIsotropic && m_state.mapMode != MmIsotropic && m_state.mapMode != MmAnisotropic) {
                m_state.windowExt = QPointF(10, 10);
                m_state.viewportExt = QPointF(PixelsPerMillimeter(false), -PixelsPerMillimeter(true));
            }
            m_state.mapMode = value;
        }
        break;
    case meta::Attribute::BkMode: m_state.bkMode = value; break;
    case meta::Attribute::PolyFillMode: m_state.polyFillMode = value; break;
    case meta::Attribute::Rop2: m_state.rop2 = value; break;
    case meta::Attribute::TextAlign: m_state.textAlign = value; break;
    case meta::Attribute::ArcDirection: m_state.arcDirection = value; break;
    case meta::Attribute::BkColor: m_state.bkColor = Color(value); break;
    case meta::Attribute::TextColor: m_state.textColor = Color(value); break;
    case meta::Attribute::MiterLimit: m_state.miterLimit = value; break;
    case meta::Attribute::StretchBltMode: m_state.stretchMode = value; break;
    }
}

void MetafilePlayer::Apply(const meta::SetMapping& mapping)
{
    QPointF value(mapping.value.x, mapping.value.y);
    bool scalable = m_state.mapMode == MmIsotropic || m_state.mapMode == MmAnisotropic;
    switch (mapping.which) {
    case meta::Mapping::WindowOrg: m_state.windowOrg = value; break;
    case meta::Mapping::ViewportOrg: m_state.viewportOrg = value; break;
    case meta::Mapping::OffsetWindowOrg: m_state.windowOrg += value; break;
    case meta::Mapping::OffsetViewportOrg: m_state.viewportOrg += value; break;
    // Extents count only in the scalable modes, and a zero extent is refused.
    case meta::Mapping::WindowExt:
        if (scalable && value.x() != 0 && value.y() != 0)
            m_state.windowExt = value;
        break;
    case meta::Mapping::ViewportExt:
        if (scalable && value.x() != 0 && value.y() != 0)
            m_state.viewportExt = value;
        break;
    }
}

void MetafilePlayer::Apply(const meta::ScaleExtent& scale)
{
    if (m_state.mapMode != MmIsotropic && m_state.mapMode != MmAnisotropic)
        return;
    if (scale.xDenom == 0 || scale.yDenom == 0 || scale.xNum == 0 || scale.yNum == 0)
        return;
    QPointF& extent = scale.viewport ? m_state.viewportExt : m_state.windowExt;
    extent = QPointF(extent.x() * scale.xNum / scale.xDenom, extent.y() * scale.yNum / scale.yDenom);
}

void MetafilePlayer::Apply(const meta::WorldTransform& world)
{
    const meta::Transform& t = world.transform;
    QTransform transform(t.m11, t.m12, t.m21, t.m22, t.dx, t.dy);
    switch (world.mode) {
    case 1: m_state.world = QTransform(); break;                      // MWT_IDENTITY
    case 2: m_state.world = transform * m_state.world; break;        // MWT_LEFTMULTIPLY
    case 3: m_state.world = m_state.world * transform; break;        // MWT_RIGHTMULTIPLY
    case 4: m_state.world = transform; break;                        // MWT_SET
    default: break;
    }
    if (!m_state.world.isInvertible())
        m_state.world = QTransform();
}

void MetafilePlayer::Restore(int32_t which)
{
    // A negative number counts back from the last save; a positive one names the save by its
    // place, the first being 1.
    int64_t keep = which < 0 ? int64_t(m_saved.size()) + which : int64_t(which) - 1;
    if (which == 0 || keep < 0 || keep >= int64_t(m_saved.size()))
        return;
    m_state = m_saved[size_t(keep)];
    m_saved.resize(size_t(keep));
    m_clipApplied = false;
}

void MetafilePlayer::StoreObject(uint32_t slot, Object object)
{
    if (slot & meta::StockObject)
        return;
    m_objects[slot] = std::move(object);
}

void MetafilePlayer::Select(uint32_t slot)
{
    if (slot & meta::StockObject) {
        SelectStock(slot & ~meta::StockObject);
        return;
    }
    auto it = m_objects.find(slot);
    if (it == m_objects.end())
        return;
    std::visit(Overloaded{
                   [&](const Pen& pen) { m_state.pen = pen; },
                   [&](const Brush& brush) { m_state.brush = brush; },
                   [&](const meta::LogFont& font) { m_state.font = font; },
                   [&](const Region& region) {
                       // Selecting a region makes it the clipping region (WMF).
                       meta::ClipRegion clip;
                       clip.rects = region.rects;
                       ClipTo(clip);
                   },
                   [&](const std::monostate&) {},
               },
               it->second);
}

void MetafilePlayer::SelectStock(uint32_t number)
{
    static const uint32_t brushGreys[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
    if (number <= 4) {
        m_state.brush = Brush{meta::BsSolid, QColor::fromRgb(brushGreys[number]), 0, {}, false};
    } else if (number == 5) {
        m_state.brush = Brush{meta::BsNull, Qt::white, 0, {}, false};
    } else if (number == 6 || number == 7) {
        m_state.pen = Pen{meta::PsSolid, 0, number == 6 ? Qt::white : Qt::black, {}};
    } else if (number == 8) {
        m_state.pen = Pen{meta::PsNull, 0, Qt::black, {}};
    } else if (number == 18) {
        m_state.brush = Brush{meta::BsSolid, Qt::white, 0, {}, false};
    } else if (number == 19) {
        m_state.pen = Pen{meta::PsSolid, 0, Qt::black, {}};
    } else if (number >= 10 && number <= 17 && number != 15) {
        meta::LogFont font = SystemFont();
        bool fixed = number == 10 || number == 11 || number == 16;
        if (number == 11 || number == 12)
            font.charSet = 0;
        if (number == 17)
            font.height = -12, font.weight = 400;
        if (fixed)
            font.pitchAndFamily = 1;
        m_state.font = font;
    }
}

double MetafilePlayer::PixelsPerMillimeter(bool vertical) const
{
    const formats::MetafileHeader& header = m_metafile.header;
    if (header.kind != formats::MetafileKind::Emf)
        return 96 / 25.4;
    return vertical ? double(header.devicePixels.y) / header.deviceMillimeters.y
                    : double(header.devicePixels.x) / header.deviceMillimeters.x;
}

QTransform MetafilePlayer::PageTransform() const
{
    double sx = 1, sy = 1;
    double millimeters = 0;   // of one logical unit, in the metric and English modes
    switch (m_state.mapMode) {
    case MmLoMetric: millimeters = 0.1; break;
    case MmHiMetric: millimeters = 0.01; break;
    case MmLoEnglish: millimeters = 0.254; break;
    case MmHiEnglish: millimeters = 0.0254; break;
    case MmTwips: millimeters = 25.4 / 1440; break;
    case MmIsotropic:
    case MmAnisotropic:
        sx = m_state.viewportExt.x() / m_state.windowExt.x();
        sy = m_state.viewportExt.y() / m_state.windowExt.y();
        if (m_state.mapMode == MmIsotropic) {
            double scale = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
        break;
    default: break;
    }
    if (millimeters > 0) {
        // The y axis of these modes points up.
        sx = millimeters * PixelsPerMillimeter(false);
        sy = -millimeters * PixelsPerMillimeter(true);
    }
    return QTransform(sx, 0, 0, sy, m_state.viewportOrg.x() - m_state.windowOrg.x() * sx,
                      m_state.viewportOrg.y() - m_state.windowOrg.y() * sy);
}

QTransform MetafilePlayer::DeviceTransform() const
{
    return m_state.world * PageTransform() * m_base;
}

QColor MetafilePlayer::Color(meta::ColorRef color) const
{
    // A palette index needs the palette, which only a display of 256 colours had; black stands in.
    if ((color & 0xFF000000) == PaletteIndexFlag)
        return Qt::black;
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace qtui
