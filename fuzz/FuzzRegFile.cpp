// libFuzzer target: registry export files (REGEDIT4 in code page 932, version 5 in UTF-16), and
// the look-ups the program makes on them: the keys the file names and the keys above them, their
// values, and deletions.

#include "formats/RegFile.h"
#include "platform/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The section names of the file as plain bytes: UTF-16 text loses its high bytes, which is enough
// to find "[HKEY_CLASSES_ROOT\...]" lines again.
std::vector<std::string> SectionPaths(std::string_view bytes)
{
    std::string narrow;
    if (bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE) {
        for (size_t i = 2; i < bytes.size(); i += 2)
            narrow += bytes[i];
    } else {
        narrow = bytes;
    }
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < narrow.size() && paths.size() < 64) {
        size_t end = narrow.find('\n', start);
        if (end == std::string::npos)
            end = narrow.size();
        std::string_view line = std::string_view(narrow).substr(start, end - start);
        if (line.starts_with("[-"))
            line.remove_prefix(2);
        else if (line.starts_with("["))
            line.remove_prefix(1);
        else
            line = {};
        // Only queries to try are picked here: the root key's name before the first separator is
        // ASCII in any real file, and a path cut wrongly from a fuzzed one is just another query.
        if (size_t slash = line.find('\\'); slash != std::string_view::npos) {
            line.remove_prefix(slash + 1);
            if (size_t close = line.rfind(']'); close != std::string_view::npos)
                line = line.substr(0, close);
            paths.emplace_back(line);
        }
        start = end + 1;
    }
    return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    formats::RegFile file = formats::RegFile::Parse(bytes, platform::Utf8ToCp932);
    if (!file.Ok())
        return 0;
    std::vector<std::string> paths = SectionPaths(bytes);
    paths.insert(paths.end(), {"", "\\", ".txt", "txtfile\\shell\\open\\command", "*\\shellex"});
    for (const std::string& path : paths) {
        file.Deletes(path);
        std::string above;
        for (std::string_view name : formats::SplitRegistryPath(path)) {
            if (name.empty())
                std::abort();
            above += name;
            if (const formats::RegKey* key = file.FindKey(above)) {
                key->DefaultText();
                for (const formats::RegValue& value : key->values)
                    if (!key->FindValue(value.name))
                        std::abort();
            }
            above += '\\';
        }
        formats::FoldRegistryName(path);
    }
    return 0;
}
