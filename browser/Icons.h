#pragma once

#include <string>

namespace orvane {

// The path and number a DefaultIcon value names: "path,number", split at its last comma. A
// value without a comma is all path, and its number is the number its whole text reads as.
struct IconLocation {
    std::string path;
    int number = 0;
};
IconLocation SplitIconValue(const std::string& iconValue);

}  // namespace orvane
