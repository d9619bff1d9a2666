#pragma once

// TGA pictures through gdk-pixbuf, whose reader takes every kind of them (true colour, colour
// mapped and grey, plain and run-length encoded, with or without the footer of version 2).

#include "formats/Image.h"

#include <string>
#include <string_view>

namespace platform {

// Decodes a TGA file. False with the reason in `error` for a file that does not decode and for one
// whose header claims more pixels than formats::ImageSizeAllowed allows, which is refused before
// any pixel is allocated.
bool DecodeTga(std::string_view file, formats::Image& image, std::string& error);

}  // namespace platform
