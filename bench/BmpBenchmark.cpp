// Decoding a 4000 x 3000 24-bit bitmap, the size of a large photograph: our decoder against Qt's
// own reader, on the same file: from memory, and from the disk (for us the whole picture loader:
// reading over the drive map, decoding, making the bitmap).

#include "formats/Bmp.h"
#include "graphics/PictureFormats.h"
#include "platform/DriveMap.h"
#include "toolkit/Graphics.h"

#include <QImage>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Width = 4000;
constexpr int Height = 3000;

// A picture with gradients and fine detail, so that no reader can take shortcuts.
std::vector<uint8_t> MakeFile()
{
    formats::Image image{Width, Height, {}};
    image.pixels.reserve(size_t(Width) * Height);
    uint32_t noise = 12345;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            noise = noise * 1103515245 + 12345;
            image.pixels.push_back(0xFF000000u | uint32_t(x * 255 / Width) << 16 | uint32_t(y * 255 / Height) << 8 |
                                   (noise >> 24));
        }
    return formats::EncodeBmp(image, formats::BmpDepth::Bits24);
}

const std::vector<uint8_t>& File()
{
    static const std::vector<uint8_t> bytes = MakeFile();
    return bytes;
}

const std::string& FilePath()
{
    static const std::string path = [] {
        std::string name = "/tmp/orvane-bench-4000x3000.bmp";
        std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(File().data()),
                                                    std::streamsize(File().size()));
        return name;
    }();
    return path;
}

void OrvaneFromMemory(benchmark::State& state)
{
    const auto& file = File();
    for (auto _ : state) {
        auto image = formats::DecodeBmp(formats::ByteView(file));
        if (!image)
            state.SkipWithError(image.Error().c_str());
        benchmark::DoNotOptimize(image->pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

void QtFromMemory(benchmark::State& state)
{
    const auto& file = File();
    for (auto _ : state) {
        QImage image;
        if (!image.loadFromData(file.data(), int(file.size()), "BMP"))
            state.SkipWithError("Qt cannot read the bitmap");
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(File().size()));
}

void OrvaneFromDisk(benchmark::State& state)
{
    platform::DriveMap drives;
    drives.Map('Z', "/");
    graphics::PictureFormats loader(drives);
    std::string dosPath = "Z:" + FilePath();
    for (char& c : dosPath)
        c = c == '/' ? '\\' : c;
    for (auto _ : state) {
        auto picture = loader.LoadPicture(dosPath);
        benchmark::DoNotOptimize(picture->Pixels().data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(File().size()));
}

void QtFromDisk(benchmark::State& state)
{
    QString path = QString::fromStdString(FilePath());
    for (auto _ : state) {
        QImage image(path);
        if (image.isNull())
            state.SkipWithError("Qt cannot read the bitmap");
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(File().size()));
}

}  // namespace

BENCHMARK(OrvaneFromMemory)->Name("DecodeBmp4000x3000/Orvane/memory")->Unit(benchmark::kMillisecond);
BENCHMARK(QtFromMemory)->Name("DecodeBmp4000x3000/QImage/memory")->Unit(benchmark::kMillisecond);
BENCHMARK(OrvaneFromDisk)->Name("DecodeBmp4000x3000/Orvane/disk")->Unit(benchmark::kMillisecond);
BENCHMARK(QtFromDisk)->Name("DecodeBmp4000x3000/QImage/disk")->Unit(benchmark::kMillisecond);
