#include "host/HostMedia.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/SystemErrors.h"
#include "toolkit/Application.h"
#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"
#include "toolkit/VideoFrame.h"

namespace orvane {

namespace {

// What GStreamer's threads and the GUI thread share for one open medium. Only the GUI thread
// reads or writes it; the other threads only carry it into the tasks they post.
struct Channel {
    tk::IMediaEvents* events = nullptr;  // null once the device is closed
    platform::IMedium* medium = nullptr;
};

// The picture's pixels move into the component's frame: a video's pictures are not copied again.
std::shared_ptr<const tk::TVideoFrame> ToVideoFrame(platform::VideoFrame& picture)
{
    auto frame = std::make_shared<tk::TVideoFrame>();
    frame->Width = picture.width;
    frame->Height = picture.height;
    frame->Pixels = std::move(picture.pixels);
    return frame;
}

void PassFrame(Channel& channel)
{
    if (!channel.events || !channel.medium)
        return;
    if (auto picture = channel.medium->TakeFrame())
        channel.events->NewVideoFrame(ToVideoFrame(*picture));
}

class HostMediaDevice : public tk::IMediaDevice {
public:
    HostMediaDevice(std::shared_ptr<Channel> channel, std::unique_ptr<platform::IMedium> medium)
        : m_channel(std::move(channel)), m_medium(std::move(medium))
    {
        m_channel->medium = m_medium.get();
    }

    // Freeing the medium stops GStreamer's threads; tasks they posted find the channel closed.
    ~HostMediaDevice() override
    {
        m_channel->events = nullptr;
        m_channel->medium = nullptr;
        m_medium.reset();
    }

    std::string Play() override
    {
        std::string error;
        return m_medium->Play(error) ? std::string() : platform::Utf8ToCp932(error);
    }

    std::string Stop() override
    {
        std::string error;
        return m_medium->Stop(error) ? std::string() : platform::Utf8ToCp932(error);
    }

    int64_t Length() override { return m_medium->LengthMs(); }
    int64_t Position() override { return m_medium->PositionMs(); }

private:
    std::shared_ptr<Channel> m_channel;
    std::unique_ptr<platform::IMedium> m_medium;
};

}  // namespace

std::unique_ptr<platform::IMedium> OpenHostMedium(platform::Host& host, const std::string& dosPath,
                                                  const platform::MediaOptions& options,
                                                  platform::MediaSignals reports)
{
    auto fail = [&](const std::string& reason) {
        return tk::EMCIDeviceError(tk::CannotOpenMediaFileText(dosPath, reason));
    };
    std::optional<std::string> hostPath = platform::ResolveHostPath(host.Drives(), dosPath);
    if (!hostPath)
        throw fail(platform::OpenFailureReason(host.Drives(), dosPath));
    std::string error;
    std::unique_ptr<platform::IMedium> medium = platform::OpenMedium(*hostPath, options, std::move(reports), error);
    if (!medium)
        throw fail(platform::Utf8ToCp932(error));
    return medium;
}

std::unique_ptr<tk::IMediaDevice> HostMedia::OpenMedia(const std::string& dosPath, tk::IMediaEvents& events)
{
    auto channel = std::make_shared<Channel>();
    platform::MediaSignals reports;
    if (tk::IMessageLoop* loop = m_application.MessageLoop()) {
        reports.ended = [channel, loop](uint64_t play, const std::string& error) {
            loop->Post([channel, play, error] {
                // The end of a playing that a later Play replaced is old news.
                if (channel->events && channel->medium && play == channel->medium->PlayNumber())
                    channel->events->PlayingEnded(platform::Utf8ToCp932(error));
            });
        };
        reports.frameReady = [channel, loop] { loop->Post([channel] { PassFrame(*channel); }); };
    }
    auto device = std::make_unique<HostMediaDevice>(channel, OpenHostMedium(m_host, dosPath, m_options, reports));
    channel->events = &events;
    // The first picture of a video shows as soon as it is open.
    PassFrame(*channel);
    return device;
}

void HostMedia::Prepare()
{
    if (!m_preparation)
        m_preparation = std::make_unique<platform::MediaPreparation>(m_options);
}

}  // namespace orvane
