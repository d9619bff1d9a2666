#include "platform/PixbufImage.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>

namespace platform {

namespace {

// The header's fields at their offsets: width and height are little-endian 16-bit values.
constexpr size_t TgaHeaderSize = 18;
constexpr size_t TgaWidthOffset = 12;
constexpr size_t TgaHeightOffset = 14;

int Le16(std::string_view bytes, size_t offset)
{
    return uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8;
}

std::string TakeMessage(GError*& failure, const char* otherwise)
{
    std::string message = failure && failure->message ? failure->message : otherwise;
    g_clear_error(&failure);
    return message;
}

// The pixbuf's pixels as the program holds them; gdk-pixbuf's alpha is straight already.
formats::Image ImageOf(GdkPixbuf* pixbuf)
{
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guint8* data = gdk_pixbuf_read_pixels(pixbuf);
    formats::Image image{width, height, {}};
    image.pixels.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const guint8* p = data + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x, p += channels)
            image.pixels.push_back(uint32_t(alpha ? p[3] : 0xFF) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    }
    return image;
}

}  // namespace

bool DecodeTga(std::string_view file, formats::Image& image, std::string& error)
{
    if (file.size() < TgaHeaderSize) {
        error = "the TGA header is cut short";
        return false;
    }
    const int width = Le16(file, TgaWidthOffset);
    const int height = Le16(file, TgaHeightOffset);
    if (!formats::ImageSizeAllowed(width, height)) {
        error = "the picture's size is not allowed (" + std::to_string(width) + " x " + std::to_string(height) +
                " pixels)";
        return false;
    }
    GError* failure = nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("tga", &failure);
    if (!loader) {
        error = TakeMessage(failure, "no reader of TGA pictures is installed");
        return false;
    }
    bool read = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(file.data()), file.size(), &failure);
    if (!read)
        error = TakeMessage(failure, "the picture cannot be read");
    // Closing tells the reader the data has ended; it must be closed whatever happened before.
    const bool closed = gdk_pixbuf_loader_close(loader, read ? &failure : nullptr);
    if (read && !closed) {
        read = false;
        error = TakeMessage(failure, "the picture is cut short");
    }
    GdkPixbuf* pixbuf = read ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (read && (!pixbuf || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || gdk_pixbuf_get_n_channels(pixbuf) < 3)) {
        read = false;
        error = "the picture cannot be read";
    }
    if (read)
        image = ImageOf(pixbuf);
    g_object_unref(loader);
    return read;
}

}  // namespace platform
