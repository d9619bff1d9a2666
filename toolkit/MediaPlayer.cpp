#include "toolkit/MediaPlayer.h"

#include "toolkit/Application.h"
#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"
#include "toolkit/WinControl.h"

namespace tk {

namespace {
const char* ModeName(TMPModes mode)
{
    switch (mode) {
    case TMPModes::mpClosed: return "closed";
    case TMPModes::mpStopped: return "stopped";
    case TMPModes::mpPlaying: return "playing";
    }
    return "closed";
}
}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 253, 30);
}

// A player that goes takes its picture off the display, which would otherwise paint it on.
TMediaPlayer::~TMediaPlayer()
{
    *m_self = nullptr;
    m_device.reset();
    if (m_display && m_frame)
        ShowFrame(m_display, nullptr);
}

void TMediaPlayer::SetDisplay(TWinControl* display)
{
    if (m_display == display)
        return;
    if (m_display) {
        ShowFrame(m_display, nullptr);
        RemoveFreeNotification(m_display);
    }
    m_display = display;
    if (m_display) {
        FreeNotification(m_display);
        if (m_frame)
            ShowFrame(m_display, m_frame);
    }
}

void TMediaPlayer::Notification(TComponent* component)
{
    if (component == m_display)
        m_display = nullptr;
}

void TMediaPlayer::Open()
{
    Close();
    IMediaSystem* media = Application() ? Application()->MediaSystem() : nullptr;
    if (!media)
        throw EMCIDeviceError(CannotOpenMediaFileText(m_fileName, "メディア システムがありません"));
    m_device = media->OpenMedia(m_fileName, *this);
    m_mode = TMPModes::mpStopped;
    m_error.clear();
}

void TMediaPlayer::Close()
{
    if (!m_device)
        return;
    m_device.reset();
    ++m_openings;
    m_notifyPending = false;
    m_mode = TMPModes::mpClosed;
    m_error.clear();
    m_frame.reset();
    if (m_display)
        ShowFrame(m_display, nullptr);
}

IMediaDevice& TMediaPlayer::OpenDevice() const
{
    if (!m_device)
        throw EMCIDeviceError("メディア デバイスが開かれていません。");
    return *m_device;
}

void TMediaPlayer::Play()
{
    IMediaDevice& device = OpenDevice();
    // A playing still on is superseded by this one.
    if (m_notifyPending)
        EndPlaying();
    m_error = device.Play();
    if (!m_error.empty())
        return;
    m_mode = TMPModes::mpPlaying;
    m_notifyPending = true;
}

void TMediaPlayer::Stop()
{
    IMediaDevice& device = OpenDevice();
    m_error = device.Stop();
    if (!m_error.empty())
        return;
    m_mode = TMPModes::mpStopped;
    if (m_notifyPending)
        EndPlaying();
}

void TMediaPlayer::EndPlaying()
{
    m_notifyPending = false;
    IMessageLoop* loop = Application() ? Application()->MessageLoop() : nullptr;
    if (!loop) {
        Notify();
        return;
    }
    std::weak_ptr<TMediaPlayer*> self = m_self;
    uint64_t opening = m_openings;
    loop->Post([self, opening] {
        auto player = self.lock();
        if (player && *player && (*player)->m_openings == opening)
            (*player)->Notify();
    });
}

void TMediaPlayer::Notify()
{
    if (OnNotify)
        RunHandler([this] { OnNotify(this); });
}

void TMediaPlayer::PlayingEnded(const std::string& error)
{
    if (!m_notifyPending)
        return;
    m_notifyPending = false;
    m_mode = TMPModes::mpStopped;
    m_error = error;
    Notify();
}

void TMediaPlayer::NewVideoFrame(std::shared_ptr<const TVideoFrame> frame)
{
    m_frame = std::move(frame);
    if (m_display)
        ShowFrame(m_display, m_frame);
}

void TMediaPlayer::ShowFrame(TWinControl* display, std::shared_ptr<const TVideoFrame> frame)
{
    if (TControlPeer* peer = display->Peer())
        peer->SetVideoFrame(std::move(frame));
}

int64_t TMediaPlayer::Length() const
{
    return m_device ? m_device->Length() : 0;
}

int64_t TMediaPlayer::Position() const
{
    return m_device ? m_device->Position() : 0;
}

void TMediaPlayer::DescribeProperties(TPropertyList& list) const
{
    TControl::DescribeProperties(list);
    list.Add("FileName", TPropertyValue::Text(m_fileName));
    list.Add("Display", TPropertyValue::Text(m_display ? m_display->Name() : std::string()));
    list.Add("Mode", TPropertyValue::Enumeration(ModeName(m_mode)));
    list.Add("Length", TPropertyValue::Integer(Length()));
    list.Add("Position", TPropertyValue::Integer(Position()));
    list.Add("ErrorMessage", TPropertyValue::Text(m_error));
}

}  // namespace tk
