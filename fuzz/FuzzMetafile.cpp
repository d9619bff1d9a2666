// libFuzzer target: the WMF and EMF record reader, and the sizes it gives a picture.

#include "formats/Metafile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto metafile = formats::ReadMetafile(formats::ByteView(data, size));
    if (!metafile)
        return 0;
    const formats::MetafileHeader& header = metafile->header;
    if (header.pixelWidth < 1 || header.pixelHeight < 1 || header.pixelWidth > 8192 || header.pixelHeight > 8192)
        std::abort();
    formats::SkippedRecords(*metafile);
    return 0;
}
