#pragma once

// SVG theme icons and SVG pictures rendered to pixels through librsvg.

#include "formats/Image.h"
#include "platform/Icons.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Renders an SVG document (plain or gzip-compressed) into `size` x `size` pixels, keeping its
// proportions and centring it. None for a document librsvg cannot read.
std::optional<IconPixels> RenderSvg(std::string_view document, int size);

// Renders an SVG document (plain or gzip-compressed) at its own size in pixels (its width and
// height, or its view box where it gives none). False with the reason in `error` for a document
// librsvg cannot read, one without a size, and one larger than formats::ImageSizeAllowed allows.
bool RenderSvgPicture(std::string_view document, formats::Image& image, std::string& error);

}  // namespace platform
