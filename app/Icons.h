#pragma once

#include <string>

namespace orvane {

// The path and number an icon specification names: "path,number", split at its last comma. A
// specification without a comma is all path, and its number is the number its whole text reads as.
struct IconLocation {
    std::string path;
    int number = 0;
};
IconLocation SplitIconSpecification(const std::string& specification);

}  // namespace orvane
