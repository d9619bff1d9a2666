// libFuzzer target: the AVI header reader, as the media device reads the head of an AVI file to
// find its video stream's format.

#include "formats/Avi.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    formats::ByteView file(data, size);
    auto format = formats::ReadAviVideoFormat(file);
    // A format is only read from a file that starts like an AVI file.
    if (format && !formats::IsAvi(file))
        std::abort();
    return 0;
}
