#pragma once

// The probe's media system: the real media device with a silent output opens each file (so a
// file is refused exactly as the program would see it refused), but the playing position moves
// with the probe's clock: a file ends when `tick` has let its length pass, or at `media end`.

#include "platform/Media.h"
#include "toolkit/Services.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {
class Host;
}

namespace probe {

class ProbeMedia : public tk::IMediaSystem {
public:
    explicit ProbeMedia(platform::Host& host) : m_host(host) {}

    std::unique_ptr<tk::IMediaDevice> OpenMedia(const std::string& dosPath, tk::IMediaEvents& events) override;

    // The milliseconds until the medium that plays reaches its end; none when nothing plays or
    // its length is unknown.
    std::optional<int64_t> TimeToEnd() const;
    // Lets `ms` milliseconds of playing pass; a medium that reaches its end sends its notice.
    void Advance(int64_t ms);
    // The medium that plays reaches its end now; false when nothing plays.
    bool EndNow();

    class Device;

private:
    friend class Device;

    platform::Host& m_host;
    // The one device open now (the player opens one at a time).
    Device* m_device = nullptr;
};

}  // namespace probe
