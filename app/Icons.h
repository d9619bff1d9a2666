#pragma once

#include "toolkit/Graphics.h"

#include <memory>
#include <string>

namespace orvane {

// Icons from files in the manner of ExtractIconA: the icon at `number` of the file at `path` (a
// DOS path, absolute or relative to the current folder), at its natural size; null when the file
// holds no such icon or cannot be read.
class IIconExtractor {
public:
    virtual ~IIconExtractor() = default;
    virtual std::unique_ptr<tk::TIcon> ExtractIcon(const std::string& path, int number) = 0;
};

// The path and number an icon specification names: "path,number", split at its last comma. A
// specification without a comma is all path, and its number is the number its whole text reads as.
struct IconLocation {
    std::string path;
    int number = 0;
};
IconLocation SplitIconSpecification(const std::string& specification);

}  // namespace orvane
