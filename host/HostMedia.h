#pragma once

// The media system of the media player over the platform's media device: DOS paths resolved on
// the host's drives, GStreamer's reports carried to the GUI thread through the application's
// message loop.

#include "platform/Media.h"
#include "toolkit/Services.h"

#include <memory>
#include <string>

namespace tk {
class TApplication;
}

namespace platform {
class Host;
}

namespace orvane {

// Opens the file at a DOS path with the media device. Throws tk::EMCIDeviceError naming the
// file and the media system's reason when it cannot.
std::unique_ptr<platform::IMedium> OpenHostMedium(platform::Host& host, const std::string& dosPath,
                                                  const platform::MediaOptions& options,
                                                  platform::MediaSignals reports);

class HostMedia : public tk::IMediaSystem {
public:
    // Reports reach the GUI thread through the application's message loop.
    HostMedia(platform::Host& host, tk::TApplication& application, platform::MediaOptions options = {})
        : m_host(host), m_application(application), m_options(std::move(options))
    {
    }

    std::unique_ptr<tk::IMediaDevice> OpenMedia(const std::string& dosPath, tk::IMediaEvents& events) override;

    // Gets the media device ready for the first file in the background, as the program starts.
    void Prepare();

private:
    platform::Host& m_host;
    tk::TApplication& m_application;
    platform::MediaOptions m_options;
    std::unique_ptr<platform::MediaPreparation> m_preparation;
};

}  // namespace orvane
