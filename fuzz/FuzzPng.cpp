// libFuzzer target: the PNG reader over libpng, and the writer on what it decodes.

#include "formats/Png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    formats::ByteView file(data, size);
    formats::ReadPngSize(file);
    auto image = formats::DecodePng(file);
    if (image && image->pixels.size() <= 4096)
        formats::EncodePng(*image);
    return 0;
}
