#pragma once

// The resources of an executable that icons need, read from either kind of executable: every
// icon group and every icon image, each with its name and language, in directory order.

#include "formats/Bytes.h"
#include "formats/Result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace formats::resources {

// A resource's name: an integer identifier, or a text.
struct Name {
    bool numeric = true;
    uint16_t id = 0;
    std::u16string text;
    bool operator==(const Name&) const = default;
};

struct Item {
    Name name;
    uint16_t language = 0;
    ByteView data;  // empty when the directory points outside the file
};

struct IconResources {
    std::vector<Item> groups;  // RT_GROUP_ICON
    std::vector<Item> icons;   // RT_ICON
};

// Resource type numbers of that system.
constexpr uint16_t TypeIcon = 3;
constexpr uint16_t TypeGroupIcon = 14;

// `headerOffset` is where the "PE" or "NE" header starts (e_lfanew of the DOS header).
Result<IconResources> ReadPeIconResources(ByteView file, uint64_t headerOffset);
Result<IconResources> ReadNeIconResources(ByteView file, uint64_t headerOffset);

}  // namespace formats::resources
