#pragma once

// Icons and cursors: the .ico and .cur files, and the icon groups of executables, which hold
// the same images under another directory. An icon holds one picture in several sizes and
// depths; a program shows the one that best fits.

#include "formats/Bytes.h"
#include "formats/Image.h"
#include "formats/Result.h"

#include <vector>

namespace formats {

enum class IconKind { Icon = 1, Cursor = 2 };

// One image as the directory describes it. Directories are often wrong about the size and depth;
// DescribeIconImage asks the image itself.
struct IconEntry {
    int width = 0;      // 1 to 256
    int height = 0;
    int colorCount = 0; // 0 for 256 colours or more
    int bitCount = 0;   // 0 when the writer left it out
    int hotSpotX = 0;   // cursors: the pixel that points
    int hotSpotY = 0;
    ByteView data;      // a PNG file, or a bitmap with its AND mask; points into the file's bytes
};

struct IconDirectory {
    IconKind kind = IconKind::Icon;
    std::vector<IconEntry> entries;
};

// Reads the directory of a .ico or .cur file. Entries whose data lies outside the file are left
// out; a file without any usable entry fails.
Result<IconDirectory> ReadIconFile(ByteView file);

// An image's size and depth from its own header, or from its entry when the header is unreadable.
struct IconImageInfo {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool png = false;
};
IconImageInfo DescribeIconImage(const IconEntry& entry);

// The images in order of preference for showing at `size` pixels on a display of `bitCount`
// bits: the nearest size first (an exact one, else the next larger, which shrinks better than a
// smaller one grows), among those the deepest that the display shows.
std::vector<int> RankIconImages(const IconDirectory& directory, int size, int bitCount);

// Decodes one image to pixels.
Result<Image> DecodeIconImage(const IconEntry& entry);

// The first image in the order of RankIconImages that decodes.
Result<Image> DecodeBestIconImage(const IconDirectory& directory, int size, int bitCount);

}  // namespace formats
