#pragma once

// A folder service over a made-up tree of two drives, for tests of the folder list and the drive
// box. Like the real one, it remembers the folder last current on each drive.

#include "toolkit/Services.h"

#include <map>
#include <string>
#include <vector>

namespace testing_support {

class FakeFolders : public tk::IFolders {
public:
    std::vector<char> Drives() override { return {'C', 'D'}; }
    std::string DriveLabel(char drive) override { return drive == 'C' ? "home" : "stick"; }
    std::string CurrentDirectory() override { return current; }
    bool SetCurrentDirectory(const std::string& path) override
    {
        if (!tree.contains(path))
            return false;
        driveDirectories[current[0]] = current;
        current = path;
        driveDirectories[path[0]] = path;
        return true;
    }
    std::string DriveDirectory(char drive) override
    {
        if (driveDirectories.contains(drive))
            return driveDirectories[drive];
        return current[0] == drive ? current : std::string(1, drive) + ":\\";
    }
    std::vector<std::string> SubFolders(const std::string& path) override { return tree[path]; }
    std::string HostPath(const std::string& path) override { return path; }

    // "Hyouji" (display) in kanji, as code page 932 bytes: its second byte is a backslash.
    static constexpr const char* Kanji = "\x95\x5c\x8e\xa6";

    std::string current = "C:\\work";
    std::map<std::string, std::vector<std::string>> tree = {
        {"C:\\", {"work"}},
        {"C:\\work", {"docs", Kanji}},
        {"C:\\work\\docs", {}},
        {std::string("C:\\work\\") + Kanji, {}},
        {"D:\\", {"photos"}},
        {"D:\\photos", {}},
    };
    std::map<char, std::string> driveDirectories;
};

}  // namespace testing_support
