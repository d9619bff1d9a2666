#include "graphics/Graphics.h"

namespace graphics {

std::unique_ptr<tk::TBitmap> MakeBitmap(formats::Image&& image)
{
    return std::make_unique<tk::TBitmap>(image.width, image.height, std::move(image.pixels));
}

std::unique_ptr<tk::TIcon> MakeIcon(formats::Image&& image)
{
    return std::make_unique<tk::TIcon>(image.width, image.height, std::move(image.pixels));
}

std::unique_ptr<tk::TMetafile> MakeMetafile(formats::Metafile metafile, tk::IMetafileRenderer* renderer)
{
    int width = metafile.header.pixelWidth;
    int height = metafile.header.pixelHeight;
    return std::make_unique<tk::TMetafile>(std::make_shared<const formats::Metafile>(std::move(metafile)), width,
                                           height, renderer);
}

std::unique_ptr<tk::TIcon> MakeIcon(const std::optional<platform::IconPixels>& pixels)
{
    if (!pixels)
        return nullptr;
    auto icon = std::make_unique<tk::TIcon>(pixels->width, pixels->height, pixels->pixels);
    if (icon->Empty())
        return nullptr;
    return icon;
}

}  // namespace graphics
