#pragma once

#include "toolkit/Graphics.h"

#include <string>

namespace orvane {

// The path and number a DefaultIcon value names: "path,number", split at its last comma. A
// value without a comma is all path, and its number is the number its whole text reads as.
struct IconLocation {
    std::string path;
    int number = 0;
};
IconLocation SplitIconValue(const std::string& iconValue);

// An icon as the two working image lists hold it, scaled once to each list's size: the types of
// a folder that share one picture share its scaling too.
struct ListedIcon {
    tk::TIcon small;
    tk::TIcon large;
};

}  // namespace orvane
