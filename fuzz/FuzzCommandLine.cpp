// libFuzzer target: command lines in code page 932 taken apart into the program and its
// arguments, as programs are started from registry commands.

#include "platform/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view line(reinterpret_cast<const char*>(data), size);
    for (const platform::ProgramSplit& split : platform::ProgramSplits(line)) {
        // The rest is a view into the line itself.
        if (!split.rest.empty() && (split.rest.data() < line.data() || split.rest.data() + split.rest.size() > line.data() + line.size()))
            std::abort();
        platform::SplitArguments(split.rest);
    }
    platform::SplitArguments(line);
    platform::SplitCommandLine(line);
    return 0;
}
