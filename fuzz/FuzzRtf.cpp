// libFuzzer target: the rich text reader, over the desktop's code page and a Western one.

#include "formats/Rtf.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    formats::RtfOptions options;
    options.maxDepth = 200;
    formats::RtfReadResult result = formats::ReadRtf(bytes, options);
    size_t characters = 0;
    if (result.document)
        for (const formats::RtfParagraph& paragraph : result.document->paragraphs)
            for (const formats::RtfRun& run : paragraph.runs)
                characters += run.text.size() + run.format.font.size();
    options.systemCodePage = 1252;
    formats::ReadRtf(bytes, options);
    return characters == size_t(-1);
}
