#pragma once

// The back end's decoder of the pictures the program has no reader of: WebP and TIFF through Qt's
// image plug-ins, XPM through Qt's own reader, and the first page of a PDF document through
// Poppler. Every one is given the file's bytes, never its name: the program opens its files itself.

#include "toolkit/Services.h"

namespace qtui {

class PictureDecoder : public tk::IPictureDecoder {
public:
    bool Decode(const std::string& format, std::string_view bytes, int pageWidth, formats::Image& image,
                std::string& error) override;
};

}  // namespace qtui
