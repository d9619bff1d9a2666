#pragma once

// Sample files for the decoder tests: the shared corpus of files other programs wrote, the small
// files kept in tests/data, and files made at run time by tools such as ImageMagick.

#include "formats/Image.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace samples {

inline std::filesystem::path CorpusDir()
{
    return ORVANE_CORPUS_DIR;
}

inline std::filesystem::path DataDir()
{
    return ORVANE_TEST_DATA_DIR;
}

// The file's bytes; empty when it cannot be read.
inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(stream), {});
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream stream(path, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline bool HaveProgram(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command quietly; true when it succeeded.
inline bool Run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

// Empty when the images agree: the same size, and each pixel within `tolerance` in every channel.
// Two fully transparent pixels agree whatever their colour. Otherwise says where they first differ.
inline std::string CompareImages(const formats::Image& actual, const formats::Image& expected, int tolerance = 0)
{
    if (actual.width != expected.width || actual.height != expected.height)
        return "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + ", expected " +
               std::to_string(expected.width) + "x" + std::to_string(expected.height);
    for (size_t i = 0; i < expected.pixels.size(); ++i) {
        uint32_t a = actual.pixels[i], e = expected.pixels[i];
        if ((a >> 24) == 0 && (e >> 24) == 0)
            continue;
        for (int shift = 0; shift < 32; shift += 8) {
            int difference = std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF));
            if (difference > tolerance)
                return "pixel (" + std::to_string(i % size_t(expected.width)) + ", " +
                       std::to_string(i / size_t(expected.width)) + ") is " + Hex(a) + ", expected " + Hex(e);
        }
    }
    return "";
}

}  // namespace samples
