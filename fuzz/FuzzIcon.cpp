// libFuzzer target: icon and cursor files, every image of the directory and the choice among them.

#include "formats/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto directory = formats::ReadIconFile(formats::ByteView(data, size));
    if (!directory)
        return 0;
    formats::RankIconImages(*directory, 32, 32);
    for (const formats::IconEntry& entry : directory->entries) {
        formats::DescribeIconImage(entry);
        formats::DecodeIconImage(entry);
    }
    return 0;
}
