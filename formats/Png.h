#pragma once

// PNG through libpng: icon images, theme icons, and the pictures the render command writes.

#include "formats/Bytes.h"
#include "formats/Image.h"
#include "formats/Result.h"

#include <cstdint>
#include <vector>

namespace formats {

// Whether the data starts with the PNG signature.
bool IsPng(ByteView data);

// Decodes a PNG file of any colour type and depth to 8-bit straight-alpha pixels.
Result<Image> DecodePng(ByteView file);

// The width and height a PNG file's header gives, without decoding it.
Result<Image> ReadPngSize(ByteView file);

// Encodes the pixels as a PNG file with an alpha channel.
Result<std::vector<uint8_t>> EncodePng(const Image& image);

}  // namespace formats
