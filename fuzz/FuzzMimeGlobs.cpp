// libFuzzer target: the shared MIME database's files as the platform reads them. The input holds
// the files of two "mime" folders separated by form feeds: the more important folder's globs2,
// aliases, subclasses, generic-icons, icons and types, then the other folder's older globs list.
// Each input is written into a folder of the process's own and read back from there.

#include "platform/MimeDatabase.h"

#include <unistd.h>

#include <algorithm>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The folder's name is never freed: the handler that removes the folder at exit is registered
// while the name is made, and so runs after the name's destructor would have.
const std::string& Folder()
{
    static const std::string& folder = *new std::string([] {
        std::string path = (std::filesystem::temp_directory_path() / "orvane-fuzz-mime-XXXXXX").string();
        if (!mkdtemp(path.data()))
            std::abort();
        std::filesystem::create_directories(path + "/first");
        std::filesystem::create_directories(path + "/second");
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return path;
    }());
    return folder;
}

void Write(const std::string& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(text.data(), std::streamsize(text.size()));
}

// The extensions that "*.extension" patterns of the text name, and a few more.
std::vector<std::string> Extensions(std::string_view text)
{
    std::vector<std::string> extensions = {"txt", "TXT", "c", ""};
    for (size_t at = text.find("*."); at != std::string_view::npos && extensions.size() < 64; at = text.find("*.", at + 2)) {
        size_t end = text.find_first_of(":\r\n\f", at + 2);
        extensions.emplace_back(text.substr(at + 2, (end == std::string_view::npos ? text.size() : end) - at - 2));
    }
    return extensions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string& folder = Folder();
    const char* const files[] = {"first/globs2", "first/aliases", "first/subclasses", "first/generic-icons",
                                 "first/icons", "first/types", "second/globs"};
    size_t start = 0;
    for (const char* file : files) {
        std::string path = folder + "/" + file;
        if (start > input.size()) {
            std::remove(path.c_str());
            continue;
        }
        size_t end = std::min(input.find('\f', start), input.size());
        Write(path, input.substr(start, end - start));
        start = end + 1;
    }

    platform::MimeDatabase database({folder + "/first", folder + "/second"});
    for (const std::string& extension : Extensions(input)) {
        std::optional<std::string> type = database.TypeOfExtension(extension);
        if (!type)
            continue;
        database.KnownType(*type);
        database.Ancestors(*type);
        database.IconNames(*type);
    }
    for (const char* type : {"text/plain", "TEXT/X-C", "application/octet-stream", "text", "/", ""}) {
        database.Ancestors(type);
        database.IconNames(type);
        database.Canonical(type);
    }
    return 0;
}
