#include "formats/Png.h"

#include <png.h>

#include <bit>
#include <cstring>
#include <csetjmp>
#include <string>
#include <vector>

namespace formats {

namespace {

// The 8-byte signature every PNG file starts with.
constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

constexpr bool LittleEndian = std::endian::native == std::endian::little;
// The writer's pixel layout: memory order B, G, R, A is 0xAARRGGBB on a little-endian machine.
constexpr uint32_t PixelFormat = LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;

// What the libpng callbacks share with the decoder. libpng reports errors by a long jump back
// to the decoder; everything that jump must not lose lives here, outside the jumping frame.
struct ReadState {
    ByteView data;
    size_t at = 0;
    std::string error;
    std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep target, png_size_t count)
{
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (count > state->data.size() - state->at)
        png_error(png, "the file ends early");
    std::memcpy(target, state->data.data() + state->at, count);
    state->at += count;
}

void RaiseError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
    state->error = message ? message : "unknown error";
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Asks libpng for 8-bit B, G, R, A (A, R, G, B on a big-endian machine) whatever the file holds.
// Sixteen-bit samples are rounded to eight without any gamma conversion, as other viewers show
// them.
void RequestPixelFormat(png_structp png, png_infop info)
{
    int colourType = png_get_color_type(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (LittleEndian) {
        png_set_bgr(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        png_set_swap_alpha(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_BEFORE);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Fills `image`; false with state.error set when libpng gives up. Nothing with a destructor
// lives in this frame, so the long jump skips none.
bool ReadInto(ReadState& state, Image& image)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, RaiseError, IgnoreWarning);
    if (!png) {
        state.error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_read_fn(png, &state, ReadBytes);
    png_set_user_limits(png, png_uint_32(MaxImageSide), png_uint_32(MaxImageSide));
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (!ImageSizeAllowed(width, height))
        png_error(png, "the image is too large");
    RequestPixelFormat(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4)
        png_error(png, "unexpected pixel layout");
    image.width = int(width);
    image.height = int(height);
    image.pixels.assign(size_t(width) * height, 0);
    state.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        state.rows[y] = reinterpret_cast<png_bytep>(image.pixels.data() + size_t(y) * width);
    png_read_image(png, state.rows.data());
    // What follows the pixels (text, time) is not needed; a file cut after them still shows.
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool IsPng(ByteView data)
{
    return data.size() >= sizeof Signature && std::memcmp(data.data(), Signature, sizeof Signature) == 0;
}

Result<Image> ReadPngSize(ByteView file)
{
    // The IHDR chunk follows the signature: length (13), "IHDR", width and height big-endian.
    if (!IsPng(file) || file.size() < 24 || std::memcmp(file.data() + 12, "IHDR", 4) != 0)
        return Fail("not a PNG file");
    auto bigEndian = [&](size_t at) {
        return uint32_t(file[at]) << 24 | uint32_t(file[at + 1]) << 16 | uint32_t(file[at + 2]) << 8 | file[at + 3];
    };
    Image size;
    uint32_t width = bigEndian(16), height = bigEndian(20);
    if (!ImageSizeAllowed(width, height))
        return Fail("the PNG image is empty or too large");
    size.width = int(width);
    size.height = int(height);
    return size;
}

Result<Image> DecodePng(ByteView file)
{
    if (!IsPng(file))
        return Fail("not a PNG file");
    ReadState state;
    state.data = file;
    Image image;
    if (!ReadInto(state, image))
        return Fail("the PNG data is damaged (" + state.error + ")");
    return image;
}

Result<std::vector<uint8_t>> EncodePng(const Image& image)
{
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != size_t(image.width) * size_t(image.height))
        return Fail("the image has no pixels");
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PixelFormat;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(png, size, 0, image.pixels.data(), image.width * 4, nullptr))
        return Fail(std::string("cannot encode the PNG image (") + png.message + ")");
    std::vector<uint8_t> file(size);
    if (!png_image_write_to_memory(&png, file.data(), &size, 0, image.pixels.data(), image.width * 4, nullptr))
        return Fail(std::string("cannot encode the PNG image (") + png.message + ")");
    file.resize(size);
    return file;
}

}  // namespace formats
