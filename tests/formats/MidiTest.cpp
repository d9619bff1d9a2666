// The MIDI file reader and the RIFF MIDI unwrapper, on the MIDI files of Debian's
// openttd-openmsx package and the samples in tests/data/media.

#include "formats/Midi.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace formats;

namespace {

const std::filesystem::path OpenMsxDir = "/usr/share/games/openttd/baseset/openmsx";

std::vector<std::filesystem::path> OpenMsxFiles()
{
    std::vector<std::filesystem::path> files;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(OpenMsxDir, ignored))
        if (entry.path().extension() == ".mid")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void AppendLe32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(uint8_t(value >> (8 * i)));
}

void AppendTag(std::vector<uint8_t>& bytes, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(uint8_t(tag[i]));
}

// An RMI file around `midi`, with the chunks of `before` ahead of its data chunk.
std::vector<uint8_t> WrapInRiff(const std::vector<uint8_t>& midi, const std::vector<uint8_t>& before = {})
{
    std::vector<uint8_t> body;
    AppendTag(body, "RMID");
    body.insert(body.end(), before.begin(), before.end());
    AppendTag(body, "data");
    AppendLe32(body, uint32_t(midi.size()));
    body.insert(body.end(), midi.begin(), midi.end());
    if (midi.size() % 2)
        body.push_back(0);
    std::vector<uint8_t> file;
    AppendTag(file, "RIFF");
    AppendLe32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

}  // namespace

TEST(MidiFiles, EveryFileOfADebianPackageReadsWithAllItsTracks)
{
    auto files = OpenMsxFiles();
    if (files.empty())
        GTEST_SKIP() << "openttd-openmsx is not installed";
    for (const auto& path : files) {
        auto bytes = samples::ReadFile(path);
        auto info = ReadMidiFile(bytes);
        ASSERT_TRUE(info) << path << ": " << info.Error();
        EXPECT_GE(info->trackCount, 1) << path;
        EXPECT_LE(info->format, 1) << path;
        EXPECT_FALSE(IsRiffMidi(bytes)) << path;
    }
}

TEST(MidiFiles, TheSampleSongHasItsHeaderValues)
{
    auto info = ReadMidiFile(samples::ReadFile(samples::DataDir() / "media" / "song.mid"));
    ASSERT_TRUE(info) << info.Error();
    EXPECT_EQ(info->format, 1);
    EXPECT_EQ(info->trackCount, 5);
}

TEST(MidiDamage, EveryCutBeforeTheLastTrackEndsFailsAndNoneReadsPastTheEnd)
{
    auto bytes = samples::ReadFile(samples::DataDir() / "media" / "song.mid");
    ASSERT_FALSE(bytes.empty());
    for (size_t length = 0; length < bytes.size(); ++length) {
        // The cut goes into a buffer of its own, so that a read past it is an error of the tools.
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(ReadMidiFile(cut)) << "a file cut to " << length << " bytes of " << bytes.size();
    }
    EXPECT_TRUE(ReadMidiFile(bytes));
}

TEST(MidiDamage, HeadersThatCannotBeTrustedAreRefusedWithTheirReason)
{
    auto bytes = samples::ReadFile(samples::DataDir() / "media" / "song.mid");
    ASSERT_GE(bytes.size(), 14u);
    auto changed = [&](size_t at, uint8_t value) {
        auto copy = bytes;
        copy[at] = value;
        return ReadMidiFile(copy);
    };
    EXPECT_EQ(changed(0, 'X').Error(), "not a MIDI file");
    EXPECT_EQ(changed(7, 5).Error(), "the MIDI header is too short");
    EXPECT_EQ(changed(9, 7).Error(), "unknown MIDI file format 7");
    EXPECT_EQ(changed(11, 0).Error(), "the MIDI file has no tracks");
    EXPECT_EQ(changed(11, 6).Error(), "the MIDI file is truncated: 5 of 6 tracks");
    auto zeroDivision = bytes;
    zeroDivision[12] = zeroDivision[13] = 0;
    EXPECT_EQ(ReadMidiFile(zeroDivision).Error(), "the MIDI file's time division is zero");
    EXPECT_EQ(ReadMidiFile(samples::ReadFile(samples::DataDir() / "media" / "truncated.mid")).Error(),
              "MIDI track 4 is truncated");
}

TEST(RiffMidi, TheSampleRmiHoldsExactlyTheSampleMidiFile)
{
    auto midi = samples::ReadFile(samples::DataDir() / "media" / "song.mid");
    auto rmi = samples::ReadFile(samples::DataDir() / "media" / "song.rmi");
    ASSERT_TRUE(IsRiffMidi(rmi));
    auto inner = UnwrapRiffMidi(rmi);
    ASSERT_TRUE(inner) << inner.Error();
    EXPECT_EQ(std::vector<uint8_t>(inner->begin(), inner->end()), midi);
}

TEST(RiffMidi, ChunksBeforeTheDataAreSkippedWithTheirPadByte)
{
    auto midi = samples::ReadFile(samples::DataDir() / "media" / "song.mid");
    std::vector<uint8_t> info;
    AppendTag(info, "LIST");
    AppendLe32(info, 5);
    info.insert(info.end(), {'I', 'N', 'F', 'O', 'x', 0});
    // The sample's length is even; one byte less makes its data chunk take a pad byte.
    for (size_t length : {midi.size(), midi.size() - 1}) {
        std::vector<uint8_t> data(midi.begin(), midi.begin() + std::ptrdiff_t(length));
        std::vector<uint8_t> file = WrapInRiff(data, info);   // the result is a view into it
        auto inner = UnwrapRiffMidi(file);
        ASSERT_TRUE(inner) << inner.Error();
        EXPECT_EQ(inner->size(), data.size());
        EXPECT_TRUE(std::equal(inner->begin(), inner->end(), data.begin(), data.end()));
    }
}

TEST(RiffMidi, BrokenWrappersFailCleanly)
{
    auto midi = samples::ReadFile(samples::DataDir() / "media" / "song.mid");
    auto rmi = WrapInRiff(midi);
    EXPECT_EQ(UnwrapRiffMidi(midi).Error(), "not a RIFF MIDI file");
    // A data chunk longer than the file.
    std::vector<uint8_t> cut(rmi.begin(), rmi.end() - 100);
    EXPECT_EQ(UnwrapRiffMidi(cut).Error(), "the MIDI data of the RIFF file is truncated");
    // No data chunk at all, and a chunk length that would wrap around.
    std::vector<uint8_t> empty;
    AppendTag(empty, "RIFF");
    AppendLe32(empty, 4);
    AppendTag(empty, "RMID");
    EXPECT_EQ(UnwrapRiffMidi(empty).Error(), "the RIFF MIDI file has no data chunk");
    std::vector<uint8_t> huge = empty;
    huge[4] = 16;
    AppendTag(huge, "junk");
    AppendLe32(huge, 0xFFFFFFF0u);
    EXPECT_FALSE(UnwrapRiffMidi(huge));
    for (size_t length = 0; length < 40; ++length) {
        std::vector<uint8_t> head(rmi.begin(), rmi.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(UnwrapRiffMidi(head)) << length;
    }
}
