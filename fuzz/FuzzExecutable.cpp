// libFuzzer target: icon groups of PE and NE executables, by position and by identifier.

#include "formats/Executable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    formats::ByteView file(data, size);
    auto count = formats::CountIconGroups(file);
    if (!count)
        return 0;
    for (int number : {0, 1, *count - 1, -1, -101, -(size > 64 ? int(data[64]) : 2)}) {
        auto group = formats::ReadIconGroup(file, number);
        if (group)
            formats::DecodeBestIconImage(*group, 32, 32);
    }
    return 0;
}
