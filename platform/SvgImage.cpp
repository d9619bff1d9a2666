#include "platform/SvgImage.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>

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

// librsvg's reason, without the line end its XML parser's messages carry, as one line of a
// message box.
std::string Reason(GError*& failure, const char* otherwise)
{
    std::string reason = failure && failure->message ? failure->message : otherwise;
    g_clear_error(&failure);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// A size as a drawing claims it, which may be anything a double holds, NaN too.
std::string ClaimText(double value)
{
    if (!std::isfinite(value))
        return "?";
    return std::to_string(int64_t(std::clamp(value, -1e15, 1e15)));
}

// The surface's pixels, straight alpha, rows from the top.
std::vector<uint32_t> SurfacePixels(cairo_surface_t* surface, int width, int height)
{
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width; ++x)
            pixels.push_back(Unpremultiply(row[x]));
    }
    return pixels;
}

// The document's size in pixels at 96 per inch: its width and height, else its view box.
bool IntrinsicSize(RsvgHandle* handle, double& width, double& height)
{
    rsvg_handle_set_dpi(handle, 96);
    if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height))
        return true;
    gboolean hasWidth = false;
    gboolean hasHeight = false;
    gboolean hasViewBox = false;
    RsvgLength lengthWidth{};
    RsvgLength lengthHeight{};
    RsvgRectangle viewBox{};
    rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &lengthWidth, &hasHeight, &lengthHeight, &hasViewBox,
                                         &viewBox);
    if (!hasViewBox)
        return false;
    width = viewBox.width;
    height = viewBox.height;
    return true;
}

}  // namespace

bool RenderSvgPicture(std::string_view document, formats::Image& image, std::string& error)
{
    GError* failure = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(document.data()), document.size(), &failure);
    if (!handle) {
        error = Reason(failure, "the drawing cannot be read");
        return false;
    }
    double width = 0;
    double height = 0;
    if (!IntrinsicSize(handle, width, height)) {
        g_object_unref(handle);
        error = "the drawing gives no size";
        return false;
    }
    // A drawing may claim any size; like a picture's header, its claim is checked before a single
    // pixel is allocated.
    const double wide = std::ceil(width);
    const double high = std::ceil(height);
    if (!(wide >= 1 && high >= 1)) {
        g_object_unref(handle);
        error = "the drawing has no area (" + ClaimText(wide) + " x " + ClaimText(high) + " pixels)";
        return false;
    }
    if (!(wide <= formats::MaxImageSide && high <= formats::MaxImageSide) ||
        !formats::ImageSizeAllowed(int64_t(wide), int64_t(high))) {
        g_object_unref(handle);
        error = "the drawing is too large (" + ClaimText(wide) + " x " + ClaimText(high) + " pixels)";
        return false;
    }
    const int w = int(wide);
    const int h = int(high);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cairo = cairo_create(surface);
    RsvgRectangle viewport = {0, 0, double(w), double(h)};
    bool rendered = rsvg_handle_render_document(handle, cairo, &viewport, &failure);
    if (!rendered)
        error = Reason(failure, "the drawing cannot be drawn");
    g_clear_error(&failure);
    cairo_destroy(cairo);
    if (rendered && cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        rendered = false;
        error = "no memory for the drawing";
    }
    if (rendered)
        image = formats::Image{w, h, SurfacePixels(surface, w, h)};
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return rendered;
}

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
    if (rendered && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
        icon = IconPixels{size, size, SurfacePixels(surface, size, size)};
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return icon;
}

}  // namespace platform
