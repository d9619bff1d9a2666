#include "qt/MetafileRenderer.h"

#include "formats/Image.h"
#include "qt/MetafilePlayer.h"

#include <QPainter>

#include <cstring>

namespace qtui {

namespace {
constexpr int DotsPerMeterAt96Dpi = 3780;
}

QImage RenderMetafile(const formats::Metafile& metafile, int width, int height)
{
    if (!formats::ImageSizeAllowed(width, height))
        return QImage();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDotsPerMeterX(DotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(DotsPerMeterAt96Dpi);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    MetafilePlayer(metafile, painter, width, height).Play();
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

std::vector<uint32_t> MetafileRenderer::Render(const formats::Metafile& metafile, int width, int height)
{
    QImage image = RenderMetafile(metafile, width, height);
    if (image.isNull())
        return {};
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + size_t(y) * size_t(width), image.constScanLine(y), size_t(width) * 4);
    return pixels;
}

}  // namespace qtui
