#pragma once

#include "toolkit/Services.h"

#include <map>

namespace platform {
class Host;
}

namespace orvane {

// The folder service of the folder list and drive box, over the host's drives and files. It
// remembers the folder last made current on each drive, as that system did.
class HostFolders : public tk::IFolders {
public:
    explicit HostFolders(platform::Host& host) : m_host(host) {}

    std::vector<char> Drives() override;
    std::string DriveLabel(char drive) override;
    std::string CurrentDirectory() override;
    bool SetCurrentDirectory(const std::string& path) override;
    std::string DriveDirectory(char drive) override;
    std::vector<std::string> SubFolders(const std::string& path) override;
    std::string HostPath(const std::string& path) override;

private:
    platform::Host& m_host;
    std::map<char, std::string> m_driveDirectories;
};

}  // namespace orvane
