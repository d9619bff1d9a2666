#include "formats/Executable.h"

#include "formats/Resources.h"

#include <string>

namespace formats {

namespace {

using resources::IconResources;
using resources::Item;
using resources::Name;

constexpr uint16_t DosSignature = 0x5A4D;  // "MZ"
constexpr uint64_t GroupEntrySize = 14;

Result<IconResources> ReadResources(ByteView file)
{
    FieldReader dos(file);
    uint16_t signature = dos.U16();  // e_magic: "MZ"
    dos.Skip(0x3A);
    uint32_t newHeader = dos.U32();  // e_lfanew: where the Windows header starts
    if (dos.Overrun() || signature != DosSignature)
        return Fail("not an executable");
    FieldReader kind(file, newHeader);
    uint16_t magic = kind.U16();
    if (kind.Overrun())
        return Fail("a DOS program without a Windows header");
    if (magic == 0x4550)  // "PE"
        return resources::ReadPeIconResources(file, newHeader);
    if (magic == 0x454E)  // "NE"
        return resources::ReadNeIconResources(file, newHeader);
    return Fail("a DOS program without a Windows header");
}

// Each distinct name once, in directory order: resources in several languages count once.
std::vector<Name> DistinctNames(const std::vector<Item>& items)
{
    std::vector<Name> names;
    for (const Item& item : items)
        if (names.empty() || !(names.back() == item.name))
            names.push_back(item.name);
    return names;
}

// The resource of that name in the language the program would load: language-neutral first,
// then Japanese (the program's own), then US English, else the first there is.
const Item* FindItem(const std::vector<Item>& items, const Name& name)
{
    const Item* found = nullptr;
    int foundRank = 4;
    for (const Item& item : items) {
        if (!(item.name == name))
            continue;
        int rank = item.language == 0 ? 0 : item.language == 0x411 ? 1 : item.language == 0x409 ? 2 : 3;
        if (rank < foundRank) {
            found = &item;
            foundRank = rank;
        }
    }
    return found;
}

// GRPICONDIR: the .ico directory again, with the icon's resource identifier in place of its
// file offset.
Result<IconDirectory> ReadGroup(ByteView group, const IconResources& resources)
{
    FieldReader field(group);
    uint16_t reserved = field.U16();  // idReserved: 0
    uint16_t type = field.U16();      // idType: 1
    uint16_t count = field.U16();     // idCount
    if (field.Overrun() || reserved != 0 || type != 1)
        return Fail("the icon group is damaged");
    if (!Contains(group, field.Offset(), GroupEntrySize * count))
        return Fail("the icon group is truncated");
    IconDirectory directory;
    for (int i = 0; i < count; ++i) {
        // GRPICONDIRENTRY
        IconEntry entry;
        entry.width = field.U8();       // bWidth: 0 means 256
        entry.height = field.U8();      // bHeight
        entry.colorCount = field.U8();  // bColorCount
        field.U8();                     // bReserved
        field.U16();                    // wPlanes
        entry.bitCount = field.U16();   // wBitCount
        field.U32();                    // dwBytesInRes: the icon resource's own size counts
        Name id;
        id.id = field.U16();            // nID: the RT_ICON resource's identifier
        entry.width = entry.width ? entry.width : 256;
        entry.height = entry.height ? entry.height : 256;
        const Item* icon = FindItem(resources.icons, id);
        if (!icon || icon->data.empty())
            continue;
        entry.data = icon->data;
        directory.entries.push_back(entry);
    }
    if (directory.entries.empty())
        return Fail("the icon group has no images in the file");
    return directory;
}

}  // namespace

bool IsExecutable(ByteView file)
{
    return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z';
}

Result<int> CountIconGroups(ByteView file)
{
    auto resources = ReadResources(file);
    if (!resources)
        return resources.TakeFailure();
    return int(DistinctNames(resources->groups).size());
}

Result<IconDirectory> ReadIconGroup(ByteView file, int number)
{
    auto resources = ReadResources(file);
    if (!resources)
        return resources.TakeFailure();
    std::vector<Name> names = DistinctNames(resources->groups);
    Name name;
    if (number >= 0) {
        if (size_t(number) >= names.size())
            return Fail("the file has " + std::to_string(names.size()) + " icons, not " + std::to_string(number + 1));
        name = names[size_t(number)];
    } else {
        int64_t id = -int64_t(number);
        if (id > 0xFFFF)
            return Fail("no icon has the identifier " + std::to_string(id));
        name.id = uint16_t(id);
    }
    const Item* group = FindItem(resources->groups, name);
    if (!group)
        return Fail("no icon has the identifier " + std::to_string(-int64_t(number)));
    return ReadGroup(group->data, *resources);
}

}  // namespace formats
