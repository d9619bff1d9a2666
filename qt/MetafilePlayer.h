#pragma once

// Plays the records of a WMF or EMF file onto a QPainter, as the graphics device interface they
// were recorded from would: a device context with its mapping, pens, brushes and fonts, its
// clipping and its saved states. Geometry is carried to device pixels first and drawn there, so
// that a figure drawn now and one collected into a path come out alike, and pens and patterns keep
// their device sizes. Nothing is antialiased, as on the desktop these files come from.

#include "formats/Metafile.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QTransform>

#include <optional>
#include <unordered_map>
#include <variant>
#include <vector>

class QPainter;
class QFont;

namespace qtui {

class MetafilePlayer {
public:
    // Plays into the rectangle (0, 0, width, height) of the painter's device.
    MetafilePlayer(const formats::Metafile& metafile, QPainter& painter, int width, int height);

    void Play();

private:
    struct Pen {
        uint32_t style = 0;
        double width = 0;   // logical units; 0 is one pixel
        QColor color = Qt::black;
        std::vector<uint32_t> dashes;
    };
    struct Brush {
        uint32_t style = 0;
        QColor color = Qt::white;
        uint32_t hatch = 0;
        QImage pattern;
        bool monochrome = false;
    };
    struct Region {
        std::vector<formats::meta::Rect> rects;
    };
    using Object = std::variant<std::monostate, Pen, Brush, formats::meta::LogFont, Region>;

    struct State {
        uint32_t mapMode = 1;
        QPointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
        QTransform world;
        Pen pen;
        Brush brush;
        formats::meta::LogFont font;
        QColor textColor = Qt::black;
        QColor bkColor = Qt::white;
        uint32_t bkMode = 2;
        uint32_t textAlign = 0;
        uint32_t polyFillMode = 1;
        uint32_t rop2 = 13;
        uint32_t arcDirection = 1;
        uint32_t stretchMode = 1;
        double miterLimit = 10;
        QPointF position;   // the current position, in logical units
        bool clipped = false;
        QPainterPath clip;  // in device pixels
    };

    // MetafilePlayer.cpp: the records of state, mapping and objects.
    void Execute(const formats::meta::Operation& operation);
    void Apply(const formats::meta::SetAttribute& attribute);
    void Apply(const formats::meta::SetMapping& mapping);
    void Apply(const formats::meta::ScaleExtent& scale);
    void Apply(const formats::meta::WorldTransform& world);
    void Restore(int32_t which);
    void Select(uint32_t slot);
    void SelectStock(uint32_t number);
    void StoreObject(uint32_t slot, Object object);
    QTransform PageTransform() const;
    QTransform DeviceTransform() const;
    double PixelsPerMillimeter(bool vertical) const;
    QColor Color(formats::meta::ColorRef color) const;

    // MetafileDraw.cpp: figures, paths, clipping, regions and gradients.
    void Draw(const formats::meta::Operation& operation);
    void DrawPoly(const formats::meta::Poly& poly);
    void DrawPolyPoly(const formats::meta::PolyPoly& poly);
    void DrawShape(const formats::meta::Shape& shape);
    void DrawAngleArc(const formats::meta::AngleArc& arc);
    void DrawRegion(const formats::meta::RegionDraw& draw);
    void DrawGradient(const formats::meta::Gradient& gradient);
    void ApplyPath(const formats::meta::PathRecord& record);
    void ClipTo(const formats::meta::ClipRect& clip);
    void ClipTo(const formats::meta::ClipRegion& clip);
    void CombineClip(const QPainterPath& area, uint32_t mode);
    void OffsetClip(const formats::meta::Point& offset);
    // A figure in logical units: filled (when closed) with the brush, outlined with the pen; or
    // added to the path while one is being recorded.
    void Figure(const QPainterPath& logical, bool closed);
    void FillDevice(const QPainterPath& device, const Brush& brush);
    void StrokeDevice(const QPainterPath& device);
    QPainterPath RegionPath(const std::vector<formats::meta::Rect>& rects, bool deviceUnits) const;
    QPainterPath ArcPath(const formats::meta::Shape& shape, bool& valid) const;
    std::optional<QBrush> MakeBrush(const Brush& brush) const;
    void PrepareClip();
    bool PenDraws() const;

    // MetafileText.cpp
    void DrawText(const formats::meta::TextOut& text);
    QFont MakeFont(double pixelHeight) const;
    // The text's characters, each with the bytes or code units it takes (for its advance).
    struct Character {
        QString text;
        int units = 1;
    };
    std::vector<Character> Characters(const formats::meta::Text& text) const;

    // MetafileBitmaps.cpp
    void DrawBitmap(const formats::meta::BitBlt& blt);
    void FillRop(const QPainterPath& device, uint32_t rop);

    const formats::Metafile& m_metafile;
    QPainter& m_painter;
    int m_width;
    int m_height;
    // From the reference device's pixels (EMF) to the painter's: the frame fills the picture.
    QTransform m_base;
    State m_state;
    std::vector<State> m_saved;
    std::unordered_map<uint32_t, Object> m_objects;
    bool m_recordingPath = false;
    bool m_pathDone = false;
    QPainterPath m_path;   // in device pixels
    bool m_clipApplied = false;
};

}  // namespace qtui
