// orvane-probe: runs the whole program without a display, driven by a script on standard input.

#include "probe/Probe.h"

#include <iostream>

int main()
{
    std::ios::sync_with_stdio(false);
    probe::Probe probe(std::cin, std::cout);
    return probe.Run();
}
