#pragma once

// SVG theme icons rendered to pixels through librsvg.

#include "platform/Icons.h"

#include <optional>
#include <string_view>

namespace platform {

// Renders an SVG document (plain or gzip-compressed) into `size` x `size` pixels, keeping its
// proportions and centring it. None for a document librsvg cannot read.
std::optional<IconPixels> RenderSvg(std::string_view document, int size);

}  // namespace platform
