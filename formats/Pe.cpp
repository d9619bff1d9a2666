#include "formats/Resources.h"

#include <set>

namespace formats::resources {

namespace {

constexpr uint32_t PeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe64Magic = 0x20B;
constexpr uint32_t ResourceDirectoryIndex = 2;
constexpr uint64_t SectionHeaderSize = 40;
constexpr uint32_t HighBit = 0x80000000u;
// A directory tree of a real file has a few thousand entries at most; more is damage or malice.
constexpr int MaxEntries = 65536;

struct Section {
    uint32_t virtualAddress = 0;
    uint32_t virtualSize = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
};

struct Layout {
    std::vector<Section> sections;
    uint32_t resourceRva = 0;
    uint32_t resourceSize = 0;
};

Result<Layout> ReadLayout(ByteView file, uint64_t headerOffset)
{
    FieldReader field(file, headerOffset);
    uint32_t signature = field.U32();        // "PE\0\0"
    field.Skip(2);                           // Machine
    uint16_t sectionCount = field.U16();     // NumberOfSections
    field.Skip(12);                          // TimeDateStamp, PointerToSymbolTable, NumberOfSymbols
    uint16_t optionalSize = field.U16();     // SizeOfOptionalHeader
    field.Skip(2);                           // Characteristics
    uint64_t optionalOffset = field.Offset();
    uint16_t magic = field.U16();            // Magic: PE32 or PE32+
    if (field.Overrun() || signature != PeSignature)
        return Fail("not a Portable Executable");
    if (magic != Pe32Magic && magic != Pe64Magic)
        return Fail("unknown optional header");

    // NumberOfRvaAndSizes and the data directories sit further out in the 64-bit header.
    uint64_t countOffset = optionalOffset + (magic == Pe32Magic ? 92 : 108);
    FieldReader directories(file, countOffset);
    uint32_t directoryCount = directories.U32();  // NumberOfRvaAndSizes
    Layout layout;
    if (directoryCount > ResourceDirectoryIndex && countOffset + 4 + 8 * (ResourceDirectoryIndex + 1) <=
                                                        optionalOffset + optionalSize) {
        directories.Skip(8 * ResourceDirectoryIndex);
        layout.resourceRva = directories.U32();   // IMAGE_DIRECTORY_ENTRY_RESOURCE: VirtualAddress
        layout.resourceSize = directories.U32();  // Size
    }
    if (directories.Overrun())
        return Fail("the optional header is truncated");

    FieldReader section(file, optionalOffset + optionalSize);
    for (int i = 0; i < sectionCount; ++i) {
        Section entry;
        section.Skip(8);                    // Name
        entry.virtualSize = section.U32();  // VirtualSize
        entry.virtualAddress = section.U32();  // VirtualAddress
        entry.rawSize = section.U32();      // SizeOfRawData
        entry.rawOffset = section.U32();    // PointerToRawData
        section.Skip(16);  // relocations, line numbers, their counts, Characteristics
        if (section.Overrun())
            return Fail("the section table is truncated");
        layout.sections.push_back(entry);
    }
    return layout;
}

// The file's bytes for `size` bytes at a relative virtual address; empty when they are not all
// stored in one section of the file.
ByteView MapRva(ByteView file, const Layout& layout, uint32_t rva, uint64_t size)
{
    for (const Section& section : layout.sections) {
        if (rva < section.virtualAddress)
            continue;
        uint64_t into = uint64_t(rva) - section.virtualAddress;
        if (into + size > section.rawSize)
            continue;
        if (!Contains(file, uint64_t(section.rawOffset) + into, size))
            return {};
        return file.subspan(size_t(section.rawOffset + into), size_t(size));
    }
    return {};
}

// The part of the file that holds the resource section, from the start of its root directory to
// the end of the section's stored data.
ByteView MapResourceSection(ByteView file, const Layout& layout)
{
    for (const Section& section : layout.sections) {
        if (layout.resourceRva < section.virtualAddress)
            continue;
        uint64_t into = uint64_t(layout.resourceRva) - section.virtualAddress;
        if (into >= section.rawSize)
            continue;
        return Tail(file, uint64_t(section.rawOffset) + into, section.rawSize - into);
    }
    return {};
}

struct Entry {
    Name name;
    bool directory = false;
    uint32_t offset = 0;  // of a subdirectory or a data entry, from the section's start
};

// Walks the three levels (type, name, language) of the resource tree. A directory met twice
// means the tree loops, and a tree deeper than three levels is not read further.
class TreeReader {
public:
    TreeReader(ByteView file, const Layout& layout, ByteView section)
        : m_file(file), m_layout(layout), m_section(section)
    {
    }

    Result<std::vector<Entry>> ReadDirectory(uint32_t offset)
    {
        if (!m_visited.insert(offset).second)
            return Fail("the resource tree loops");
        FieldReader field(m_section, offset);
        field.Skip(12);                     // Characteristics, TimeDateStamp, MajorVersion, MinorVersion
        uint32_t named = field.U16();       // NumberOfNamedEntries: come first, sorted by name
        uint32_t numbered = field.U16();    // NumberOfIdEntries: follow, sorted by number
        if (field.Overrun())
            return Fail("a resource directory lies outside the file");
        if (!Contains(m_section, field.Offset(), 8 * uint64_t(named + numbered)))
            return Fail("a resource directory is truncated");
        m_entryCount += int(named + numbered);
        if (m_entryCount > MaxEntries)
            return Fail("the resource tree has too many entries");
        std::vector<Entry> entries;
        for (uint32_t i = 0; i < named + numbered; ++i) {
            uint32_t name = field.U32();    // Name: an identifier, or with the high bit a string's offset
            uint32_t target = field.U32();  // OffsetToData: with the high bit a subdirectory
            Entry entry;
            entry.directory = (target & HighBit) != 0;
            entry.offset = target & ~HighBit;
            if (name & HighBit)
                entry.name = ReadName(name & ~HighBit);
            else
                entry.name.id = uint16_t(name);
            entries.push_back(entry);
        }
        return entries;
    }

    // IMAGE_RESOURCE_DATA_ENTRY: where the resource's bytes are.
    ByteView ReadData(uint32_t offset)
    {
        FieldReader field(m_section, offset);
        uint32_t rva = field.U32();   // OffsetToData: a relative virtual address, not a section offset
        uint32_t size = field.U32();  // Size
        field.Skip(8);                // CodePage, Reserved
        if (field.Overrun())
            return {};
        return MapRva(m_file, m_layout, rva, size);
    }

private:
    // IMAGE_RESOURCE_DIR_STRING_U: a length in characters, then UTF-16 characters.
    Name ReadName(uint32_t offset)
    {
        Name name;
        name.numeric = false;
        FieldReader field(m_section, offset);
        uint16_t length = field.U16();
        for (int i = 0; i < length && !field.Overrun(); ++i)
            name.text.push_back(char16_t(field.U16()));
        return name;
    }

    ByteView m_file;
    const Layout& m_layout;
    ByteView m_section;
    std::set<uint32_t> m_visited;
    int m_entryCount = 0;
};

// Every resource of one type: the name level, then the language level under each name.
Result<bool> ReadType(TreeReader& tree, const Entry& type, std::vector<Item>& items)
{
    if (!type.directory)
        return Fail("a resource type without names");
    auto names = tree.ReadDirectory(type.offset);
    if (!names)
        return names.TakeFailure();
    for (const Entry& name : *names) {
        if (!name.directory)
            continue;
        auto languages = tree.ReadDirectory(name.offset);
        if (!languages)
            return languages.TakeFailure();
        for (const Entry& language : *languages) {
            if (language.directory)
                continue;  // deeper than three levels: not a resource
            items.push_back(Item{name.name, language.name.id, tree.ReadData(language.offset)});
        }
    }
    return true;
}

}  // namespace

Result<IconResources> ReadPeIconResources(ByteView file, uint64_t headerOffset)
{
    auto layout = ReadLayout(file, headerOffset);
    if (!layout)
        return layout.TakeFailure();
    IconResources resources;
    if (layout->resourceRva == 0)
        return resources;
    ByteView section = MapResourceSection(file, *layout);
    if (section.empty())
        return Fail("the resource directory lies outside the file");
    TreeReader tree(file, *layout, section);
    auto types = tree.ReadDirectory(0);
    if (!types)
        return types.TakeFailure();
    for (const Entry& type : *types) {
        if (!type.name.numeric || (type.name.id != TypeIcon && type.name.id != TypeGroupIcon))
            continue;
        auto read = ReadType(tree, type, type.name.id == TypeIcon ? resources.icons : resources.groups);
        if (!read)
            return read.TakeFailure();
    }
    return resources;
}

}  // namespace formats::resources
