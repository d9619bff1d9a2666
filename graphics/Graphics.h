#pragma once

// Decoded pixels as graphics of the component model.

#include "formats/Image.h"
#include "toolkit/Graphics.h"

#include <memory>

namespace graphics {

std::unique_ptr<tk::TBitmap> MakeBitmap(const formats::Image& image);
std::unique_ptr<tk::TIcon> MakeIcon(const formats::Image& image);

}  // namespace graphics
