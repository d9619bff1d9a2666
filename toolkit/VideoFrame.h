#pragma once

#include <cstdint>
#include <vector>

namespace tk {

// One picture of a playing video: 0xFFRRGGBB pixels, rows from the top.
struct TVideoFrame {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

}  // namespace tk
