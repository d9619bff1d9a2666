// libFuzzer target: files of groups and keys (desktop entries, mimeapps.list, icon theme index
// files, GTK settings), read as the platform reads each of them, and a desktop entry's Exec line
// expanded for files.

#include "formats/KeyFile.h"
#include "platform/DesktopEntry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    formats::KeyFile file = formats::KeyFile::Parse(text);
    file.WellFormed();
    for (const formats::KeyFileGroup& group : file.Groups()) {
        if (file.FindGroup(group.name) == nullptr)
            std::abort();
        for (const auto& [key, value] : group.entries) {
            group.Value(key);
            formats::SplitKeyFileList(value);
        }
    }
    // An icon theme's index: its folders, each a group of its own.
    if (auto directories = file.Value("Icon Theme", "Directories")) {
        size_t start = 0;
        while (start <= directories->size()) {
            size_t end = std::min(directories->find(',', start), directories->size());
            if (const formats::KeyFileGroup* group = file.FindGroup(directories->substr(start, end - start)))
                for (const char* key : {"Size", "Scale", "Type", "MinSize", "MaxSize", "Threshold"})
                    group->Value(key);
            start = end + 1;
        }
    }
    file.Value("Settings", "gtk-icon-theme-name");
    file.Value("Icons", "Theme");

    // A desktop entry and its command line, for no file, one file and two.
    if (auto entry = platform::ParseDesktopEntry(text, "/usr/share/applications/fuzz.desktop")) {
        platform::ExpandExec(*entry, {});
        platform::ExpandExec(*entry, {"/tmp/a b.txt"});
        platform::ExpandExec(*entry, {"/tmp/%41", "file:///tmp/x"});
        platform::FileUri(entry->name);
    }
    return 0;
}
