// libFuzzer target: the BMP decoder, and the writer on what it decodes.

#include "formats/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto image = formats::DecodeBmp(formats::ByteView(data, size));
    if (image && image->pixels.size() <= 4096)
        formats::DecodeBmp(formats::ByteView(formats::EncodeBmp(*image, formats::BmpDepth::Bits32)));
    return 0;
}
