#include "formats/Icon.h"

#include "formats/Bmp.h"
#include "formats/Png.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace formats {

namespace {
constexpr uint64_t DirectoryHeaderSize = 6;
constexpr uint64_t DirectoryEntrySize = 16;
}  // namespace

Result<IconDirectory> ReadIconFile(ByteView file)
{
    FieldReader field(file);
    uint16_t reserved = field.U16();  // idReserved: 0
    uint16_t type = field.U16();      // idType: 1 for an icon, 2 for a cursor
    uint16_t count = field.U16();     // idCount: images that follow
    if (field.Overrun() || reserved != 0 || (type != 1 && type != 2))
        return Fail("not an icon or cursor file");
    if (count == 0)
        return Fail("the icon file holds no images");
    if (!Contains(file, DirectoryHeaderSize, DirectoryEntrySize * count))
        return Fail("the icon directory is truncated");

    IconDirectory directory;
    directory.kind = type == 1 ? IconKind::Icon : IconKind::Cursor;
    for (int i = 0; i < count; ++i) {
        // ICONDIRENTRY
        IconEntry entry;
        entry.width = field.U8();          // bWidth: 0 means 256
        entry.height = field.U8();         // bHeight: 0 means 256
        entry.colorCount = field.U8();     // bColorCount: 0 for 256 or more
        field.U8();                        // bReserved
        uint16_t planesOrX = field.U16();  // wPlanes; a cursor's hot spot x
        uint16_t bitsOrY = field.U16();    // wBitCount; a cursor's hot spot y
        uint32_t bytes = field.U32();      // dwBytesInRes: length of the image
        uint32_t offset = field.U32();     // dwImageOffset: where it starts in the file
        entry.width = entry.width ? entry.width : 256;
        entry.height = entry.height ? entry.height : 256;
        if (directory.kind == IconKind::Cursor) {
            entry.hotSpotX = planesOrX;
            entry.hotSpotY = bitsOrY;
        } else {
            entry.bitCount = bitsOrY;
        }
        // A length that runs past the end is cut to the file; the image decoder then decides
        // whether enough is there.
        entry.data = Tail(file, offset, bytes);
        if (!entry.data.empty())
            directory.entries.push_back(entry);
    }
    if (directory.entries.empty())
        return Fail("no icon image lies inside the file");
    return directory;
}

IconImageInfo DescribeIconImage(const IconEntry& entry)
{
    IconImageInfo info{entry.width, entry.height, entry.bitCount, false};
    if (IsPng(entry.data)) {
        info.png = true;
        info.bitCount = 32;
        if (auto size = ReadPngSize(entry.data)) {
            info.width = size->width;
            info.height = size->height;
        }
    } else if (auto summary = ReadIconDibSummary(entry.data)) {
        info.width = summary->width;
        info.height = summary->height;
        info.bitCount = summary->bitCount;
    }
    if (info.bitCount == 0) {
        // Old writers gave only the number of colours.
        int colours = entry.colorCount ? entry.colorCount : 256;
        info.bitCount = colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
    }
    return info;
}

std::vector<int> RankIconImages(const IconDirectory& directory, int size, int bitCount)
{
    using Key = std::tuple<int, int, int>;
    std::vector<std::pair<Key, int>> keyed;
    for (int i = 0; i < int(directory.entries.size()); ++i) {
        IconImageInfo info = DescribeIconImage(directory.entries[i]);
        int side = std::max(info.width, info.height);
        int sizeRank = side == size ? 0 : side > size ? side - size : 100000 + (size - side);
        int depthRank = info.bitCount <= bitCount ? bitCount - info.bitCount : 1000 + info.bitCount;
        keyed.push_back({Key{sizeRank, depthRank, i}, i});
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order;
    for (const auto& item : keyed)
        order.push_back(item.second);
    return order;
}

Result<Image> DecodeIconImage(const IconEntry& entry)
{
    if (IsPng(entry.data))
        return DecodePng(entry.data);
    return DecodeIconDib(entry.data);
}

Result<Image> DecodeBestIconImage(const IconDirectory& directory, int size, int bitCount)
{
    std::string firstError = "the icon holds no images";
    bool first = true;
    for (int index : RankIconImages(directory, size, bitCount)) {
        auto image = DecodeIconImage(directory.entries[size_t(index)]);
        if (image)
            return image;
        if (first)
            firstError = image.Error();
        first = false;
    }
    return Fail(firstError);
}

}  // namespace formats
