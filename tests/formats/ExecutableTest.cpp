// Icon groups of executables: PE32 and PE32+ libraries, wine's programs and libraries, 16-bit NE
// files, and damaged resource trees.

#include "formats/Executable.h"
#include "tests/formats/IconBuilder.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace formats;

namespace {

constexpr uint32_t Blue = 0xFF0000FF;
constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Yellow = 0xFFFFFF00;

std::vector<uint8_t> Library(const char* name)
{
    auto bytes = samples::ReadFile(samples::DataDir() / "pe" / name);
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

// The colour of the top-left pixel of the group's 32-pixel image: each group of the test
// libraries has its own.
std::string GroupColour(const std::vector<uint8_t>& file, int number)
{
    auto group = ReadIconGroup(ByteView(file), number);
    if (!group)
        return group.Error();
    auto image = DecodeBestIconImage(*group, 32, 32);
    if (!image)
        return image.Error();
    return samples::Hex(image->pixels[0]);
}

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
}

// File offset of the root resource directory of a test library: its ".rsrc" section's data.
size_t ResourceRoot(const std::vector<uint8_t>& file)
{
    size_t header = U32At(file, 0x3C);
    size_t sections = header + 24 + (file[header + 20] | file[header + 21] << 8);
    for (size_t at = sections; at + 40 <= file.size(); at += 40)
        if (std::string(reinterpret_cast<const char*>(&file[at]), 5) == ".rsrc")
            return U32At(file, at + 20);
    return 0;
}

// A Windows 3.x program with one icon group named "APP" and the icon image it lists.
std::vector<uint8_t> NewExecutable()
{
    std::vector<uint8_t> image = samples::IconDib32(2, 2, {Red, Red, Red, Red}, {false, false, false, false});
    samples::ByteWriter group;
    group.U16(0), group.U16(1), group.U16(1);                 // GRPICONDIR
    group.U8(2), group.U8(2), group.U8(0), group.U8(0);       // 2 x 2
    group.U16(1), group.U16(32), group.U32(uint32_t(image.size())), group.U16(5);  // RT_ICON 5

    constexpr int shift = 4;  // resources aligned to 16 bytes
    samples::ByteWriter file;
    file.U16(0x5A4D);
    while (file.bytes.size() < 0x3C)
        file.U8(0);
    file.U32(0x40);  // e_lfanew
    // NE header: its signature, then the resource table at 0x40 past it
    file.U16(0x454E);
    while (file.bytes.size() < 0x40 + 0x24)
        file.U8(0);
    file.U16(0x40), file.U16(0x80);  // ne_rsrctab, ne_restab
    while (file.bytes.size() < 0x80)
        file.U8(0);
    size_t groupAt = 0x100, imageAt = 0x120;
    file.U16(shift);
    file.U16(0x800E), file.U16(1), file.U32(0);  // RT_GROUP_ICON, one resource
    file.U16(uint32_t(groupAt >> shift)), file.U16(2), file.U16(0), file.U16(30), file.U32(0);  // name at 30
    file.U16(0x8003), file.U16(1), file.U32(0);  // RT_ICON
    file.U16(uint32_t(imageAt >> shift)), file.U16(uint32_t((image.size() + 15) >> shift)), file.U16(0),
        file.U16(0x8005), file.U32(0);
    file.U16(0);  // end of the types
    file.U8(3), file.U8('A'), file.U8('P'), file.U8('P');  // the group's name, at offset 30
    file.bytes.resize(groupAt, 0);
    file.Append(group.bytes);
    file.bytes.resize(imageAt, 0);
    file.Append(image);
    return file.bytes;
}

}  // namespace

TEST(PeIcons, GroupsByPositionInDirectoryOrderAndByNegatedIdentifier)
{
    for (const char* name : {"icons32.dll", "icons64.dll"}) {
        auto file = Library(name);
        EXPECT_EQ(*CountIconGroups(ByteView(file)), 3) << name;
        // Named groups come before numbered ones; "7" exists in English and Japanese, and the
        // Japanese one is taken.
        EXPECT_EQ(GroupColour(file, 0), samples::Hex(Blue)) << name;
        EXPECT_EQ(GroupColour(file, 1), samples::Hex(Yellow)) << name;
        EXPECT_EQ(GroupColour(file, 2), samples::Hex(Red)) << name;
        EXPECT_EQ(GroupColour(file, -101), samples::Hex(Red)) << name;
        EXPECT_EQ(GroupColour(file, -7), samples::Hex(Yellow)) << name;
        EXPECT_EQ(GroupColour(file, 3), "the file has 3 icons, not 4") << name;
        EXPECT_EQ(GroupColour(file, -5), "no icon has the identifier 5") << name;
        EXPECT_FALSE(ReadIconGroup(ByteView(file), -100000).Ok());
        EXPECT_FALSE(ReadIconGroup(ByteView(file), INT_MIN).Ok());
    }
}

TEST(PeIcons, WinesProgramsAndLibrariesGiveTheirIcons)
{
    std::filesystem::path wine = ORVANE_WINE_DIR;
    if (!std::filesystem::exists(wine / "notepad.exe"))
        GTEST_SKIP() << "wine's Windows programs are not at " << wine << " (Debian package libwine)";
    auto shell = samples::ReadFile(wine / "shell32.dll");
    auto groups = CountIconGroups(ByteView(shell));
    ASSERT_TRUE(groups.Ok()) << groups.Error();
    EXPECT_GT(*groups, 100);
    for (int number = 0; number < *groups; ++number) {
        auto group = ReadIconGroup(ByteView(shell), number);
        ASSERT_TRUE(group.Ok()) << number << ": " << group.Error();
        for (int size : {16, 32}) {
            auto image = DecodeBestIconImage(*group, size, 32);
            ASSERT_TRUE(image.Ok()) << number << ": " << image.Error();
        }
    }
    // Every file opens without harm; those with icons give their first.
    int withIcons = 0;
    for (const auto& entry : std::filesystem::directory_iterator(wine)) {
        auto bytes = samples::ReadFile(entry.path());
        auto count = CountIconGroups(ByteView(bytes));
        if (!count || *count == 0)
            continue;
        ++withIcons;
        auto group = ReadIconGroup(ByteView(bytes), 0);
        ASSERT_TRUE(group.Ok()) << entry.path() << ": " << group.Error();
        EXPECT_TRUE(DecodeBestIconImage(*group, 32, 32).Ok()) << entry.path();
    }
    EXPECT_GT(withIcons, 10);
}

TEST(NeIcons, WindowsThreeProgramsGiveTheirIcons)
{
    auto file = NewExecutable();
    EXPECT_EQ(*CountIconGroups(ByteView(file)), 1);
    EXPECT_EQ(GroupColour(file, 0), samples::Hex(Red));
    EXPECT_FALSE(ReadIconGroup(ByteView(file), -1).Ok()) << "the group has a name, not a number";
    for (size_t length = 0; length < file.size(); ++length) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + std::ptrdiff_t(length));
        if (auto group = ReadIconGroup(ByteView(cut), 0))
            DecodeBestIconImage(*group, 32, 32);
    }
}

TEST(PeDamage, ALoopInTheResourceTreeFailsCleanly)
{
    auto file = Library("icons32.dll");
    size_t root = ResourceRoot(file);
    ASSERT_NE(root, 0u);
    // The root's entries follow its 16-byte header; make each type's subdirectory the root.
    int entries = file[root + 12] + file[root + 14];
    for (int i = 0; i < entries; ++i)
        PutU32(file, root + 16 + 8 * size_t(i) + 4, 0x80000000u);
    EXPECT_EQ(CountIconGroups(ByteView(file)).Error(), "the resource tree loops");
}

TEST(PeDamage, ResourcesPointingOutsideTheFileGiveNoIcon)
{
    auto file = Library("icons64.dll");
    size_t root = ResourceRoot(file);
    auto original = file;
    // Every data entry's address made to point far away: the groups are there, their images are not.
    for (size_t at = root; at + 16 <= file.size(); at += 4) {
        uint32_t rva = U32At(file, at), size = U32At(file, at + 4);
        if (rva >= 0x1000 && rva < 0x10000 && size > 0 && size < 0x2000 && U32At(file, at + 12) == 0 &&
            U32At(file, at + 8) == 0)
            PutU32(file, at, rva + 0x7FFF0000);
    }
    EXPECT_FALSE(ReadIconGroup(ByteView(file), 0).Ok());
    EXPECT_TRUE(ReadIconGroup(ByteView(original), 0).Ok());
}

TEST(PeDamage, CutsAndFlippedBytesNeverReadOutsideTheFile)
{
    for (const char* name : {"icons32.dll", "icons64.dll"}) {
        auto whole = Library(name);
        for (size_t length = 0; length < whole.size(); length += 7) {
            std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
            for (int number : {0, 1, -101})
                if (auto group = ReadIconGroup(ByteView(cut), number))
                    DecodeBestIconImage(*group, 32, 32);
        }
        std::mt19937 random(7);
        for (int round = 0; round < 2000; ++round) {
            auto damaged = whole;
            for (int flips = 0; flips < 4; ++flips)
                damaged[random() % damaged.size()] ^= uint8_t(1 + random() % 255);
            if (auto group = ReadIconGroup(ByteView(damaged), int(random() % 3)))
                DecodeBestIconImage(*group, 32, 32);
        }
    }
    std::vector<uint8_t> dosOnly = {'M', 'Z', 0, 0};
    EXPECT_EQ(CountIconGroups(ByteView(dosOnly)).Error(), "not an executable");
}
