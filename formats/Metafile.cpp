#include "formats/Metafile.h"

#include "formats/MetafileParts.h"

namespace formats {

Result<Metafile> ReadMetafile(ByteView data)
{
    if (LooksLikeEmf(data))
        return ReadEmf(data);
    if (LooksLikeWmf(data))
        return ReadWmf(data);
    return Fail("not a Windows metafile");
}

size_t SkippedRecords(const Metafile& metafile)
{
    size_t count = 0;
    for (const meta::Record& record : metafile.records)
        count += std::holds_alternative<meta::Skipped>(record.operation);
    return count;
}

}  // namespace formats
