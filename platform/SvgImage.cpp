#include "platform/SvgImage.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

namespace platform {

namespace {

// Cairo's ARGB32 is premultiplied; the program's pixels are not.
uint32_t Unpremultiply(uint32_t pixel)
{
    uint32_t alpha = pixel >> 24;
    if (alpha == 0)
        return 0;
    if (alpha == 255)
        return pixel;
    auto channel = [&](int shift) { return (((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha; };
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

}  // namespace

std::optional<IconPixels> RenderSvg(std::string_view document, int size)
{
    if (size <= 0 || size > 4096 || document.empty())
        return std::nullopt;
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(document.data()), document.size(), &error);
    if (!handle) {
        g_clear_error(&error);
        return std::nullopt;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cairo = cairo_create(surface);
    RsvgRectangle viewport = {0, 0, double(size), double(size)};
    bool rendered = rsvg_handle_render_document(handle, cairo, &viewport, &error);
    g_clear_error(&error);
    cairo_destroy(cairo);
    std::optional<IconPixels> icon;
    if (rendered && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        icon = IconPixels{size, size, {}};
        icon->pixels.reserve(size_t(size) * size);
        for (int y = 0; y < size; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
            for (int x = 0; x < size; ++x)
                icon->pixels.push_back(Unpremultiply(row[x]));
        }
    }
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return icon;
}

}  // namespace platform
