#include "probe/ProbeMedia.h"

#include "host/HostMedia.h"
#include "platform/Files.h"
#include "platform/Host.h"

#include <algorithm>

namespace probe {

class ProbeMedia::Device : public tk::IMediaDevice {
public:
    Device(ProbeMedia& owner, std::unique_ptr<platform::IMedium> medium, int64_t length, tk::IMediaEvents& events)
        : m_owner(owner), m_medium(std::move(medium)), m_events(events), m_length(length)
    {
        m_owner.m_device = this;
    }

    ~Device() override
    {
        if (m_owner.m_device == this)
            m_owner.m_device = nullptr;
    }

    std::string Play() override
    {
        if (m_length >= 0 && m_position >= m_length)
            m_position = 0;
        m_playing = true;
        return std::string();
    }

    std::string Stop() override
    {
        m_playing = false;
        return std::string();
    }

    int64_t Length() override { return m_length; }
    int64_t Position() override { return m_position; }

    bool Playing() const { return m_playing; }
    std::optional<int64_t> TimeToEnd() const
    {
        if (!m_playing || m_length < 0)
            return std::nullopt;
        return std::max<int64_t>(m_length - m_position, 0);
    }

    void Advance(int64_t ms)
    {
        if (!m_playing)
            return;
        m_position += ms;
        if (m_length >= 0 && m_position >= m_length)
            ReachEnd();
    }

    void ReachEnd()
    {
        if (m_length >= 0)
            m_position = m_length;
        m_playing = false;
        m_events.PlayingEnded(std::string());
    }

private:
    ProbeMedia& m_owner;
    // Kept open as the program would keep it, though its pipeline never plays.
    std::unique_ptr<platform::IMedium> m_medium;
    tk::IMediaEvents& m_events;
    int64_t m_length;
    int64_t m_position = 0;
    bool m_playing = false;
};

std::unique_ptr<tk::IMediaDevice> ProbeMedia::OpenMedia(const std::string& dosPath, tk::IMediaEvents& events)
{
    platform::MediaOptions options;
    options.audio = platform::AudioOutput::Silent;
    auto medium = orvane::OpenHostMedium(m_host, dosPath, options, platform::MediaSignals{});
    // The end comes after the file's duration, also where the headers do not tell it.
    int64_t length = medium->LengthMs();
    if (length < 0)
        if (auto hostPath = platform::ResolveHostPath(m_host.Drives(), dosPath))
            length = platform::MeasureLengthMs(*hostPath, 2000);
    return std::make_unique<Device>(*this, std::move(medium), length, events);
}

std::optional<int64_t> ProbeMedia::TimeToEnd() const
{
    return m_device ? m_device->TimeToEnd() : std::nullopt;
}

void ProbeMedia::Advance(int64_t ms)
{
    if (m_device)
        m_device->Advance(ms);
}

bool ProbeMedia::EndNow()
{
    if (!m_device || !m_device->Playing())
        return false;
    m_device->ReachEnd();
    return true;
}

}  // namespace probe
