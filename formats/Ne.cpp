#include "formats/Resources.h"

namespace formats::resources {

namespace {

constexpr uint16_t NeSignature = 0x454E;  // "NE"
constexpr uint16_t IntegerFlag = 0x8000;  // in a type or name: a number, not a string's offset
constexpr uint64_t NameInfoSize = 12;

// A length-prefixed string of the resource table, read as its bytes widened to 16 bits.
Name ReadTableName(ByteView table, uint16_t offset)
{
    Name name;
    name.numeric = false;
    FieldReader field(table, offset);
    uint8_t length = field.U8();
    for (int i = 0; i < length && !field.Overrun(); ++i)
        name.text.push_back(char16_t(field.U8()));
    return name;
}

}  // namespace

Result<IconResources> ReadNeIconResources(ByteView file, uint64_t headerOffset)
{
    FieldReader header(file, headerOffset);
    uint16_t signature = header.U16();  // ne_magic: "NE"
    header.Skip(0x22);
    uint16_t tableOffset = header.U16();    // ne_rsrctab: the resource table, from this header
    uint16_t namesOffset = header.U16();    // ne_restab: the resident names, just after it
    if (header.Overrun() || signature != NeSignature)
        return Fail("not a New Executable");
    IconResources resources;
    if (tableOffset == namesOffset)
        return resources;  // no resource table
    ByteView table = Tail(file, headerOffset + tableOffset);

    FieldReader field(table);
    uint16_t shift = field.U16();  // rscAlignShift: resource offsets and lengths are in units of 2^shift bytes
    if (field.Overrun() || shift > 24)
        return Fail("the resource table is damaged");
    // TYPEINFO records until a zero type; the table cannot hold more records than bytes.
    for (int records = 0; records < 65536; ++records) {
        uint16_t type = field.U16();   // rtTypeID: with the high bit a type number
        if (type == 0)
            return resources;
        uint16_t count = field.U16();  // rtResourceCount
        field.Skip(4);                 // rtReserved
        if (field.Overrun() || !Contains(table, field.Offset(), NameInfoSize * count))
            return Fail("the resource table is truncated");
        std::vector<Item>* items = nullptr;
        if (type == (IntegerFlag | TypeIcon))
            items = &resources.icons;
        else if (type == (IntegerFlag | TypeGroupIcon))
            items = &resources.groups;
        for (int i = 0; i < count; ++i) {
            // NAMEINFO
            uint64_t offset = uint64_t(field.U16()) << shift;  // rnOffset: from the file's start
            uint64_t length = uint64_t(field.U16()) << shift;  // rnLength
            field.Skip(2);                                     // rnFlags
            uint16_t id = field.U16();  // rnID: with the high bit a number, else a name's offset in the table
            field.Skip(4);              // rnHandle, rnUsage: used by the loader at run time
            if (!items)
                continue;
            Item item;
            if (id & IntegerFlag)
                item.name.id = id & ~IntegerFlag;
            else
                item.name = ReadTableName(table, id);
            if (Contains(file, offset, length))
                item.data = file.subspan(size_t(offset), size_t(length));
            items->push_back(item);
        }
    }
    return Fail("the resource table is damaged");
}

}  // namespace formats::resources
