#pragma once

#include "toolkit/Control.h"
#include "toolkit/Services.h"
#include "toolkit/VideoFrame.h"

#include <memory>
#include <string>

namespace tk {

class TWinControl;

enum class TMPModes { mpClosed, mpStopped, mpPlaying };

// The media player: opens a sound or video file with the application's media system, plays and
// stops it, and draws video into its display control. It shows nothing itself. OnNotify runs
// once for every Play when that playing ends, whatever ended it: the end of the medium, a Stop,
// another Play, a failure. Closing the device ends its playing without a notice, as nothing of
// it is left to report on.
class TMediaPlayer : public TControl, private IMediaEvents {
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    // The file to open (a DOS path in code page 932).
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& fileName) { m_fileName = fileName; }
    // The control that video is drawn into; a change while a video plays moves it there, and
    // the control left behind paints only itself again. Null: the video is drawn nowhere.
    TWinControl* Display() const { return m_display; }
    void SetDisplay(TWinControl* display);

    // Opens FileName, closing an open device first. Throws EMCIDeviceError with the media
    // system's reason when the file cannot be played; no device is open then.
    void Open();
    // Closes the device; nothing happens when none is open.
    void Close();
    // Play and Stop need an open device (EMCIDeviceError otherwise). A refusal by the device
    // raises nothing: it is kept as the last error.
    void Play();
    void Stop();

    TMPModes Mode() const { return m_mode; }
    // The open device's length and position in milliseconds; 0 when closed, -1 when unknown.
    int64_t Length() const;
    int64_t Position() const;
    // The reason the open device gave when it last refused a command; empty after a command it
    // carried out.
    const std::string& ErrorMessage() const { return m_error; }
    // The newest picture of the video; null when none.
    const std::shared_ptr<const TVideoFrame>& VideoFrame() const { return m_frame; }

    TNotifyEvent OnNotify;

    void DescribeProperties(TPropertyList& list) const override;

protected:
    void Notification(TComponent* component) override;

private:
    void PlayingEnded(const std::string& error) override;
    void NewVideoFrame(std::shared_ptr<const TVideoFrame> frame) override;
    IMediaDevice& OpenDevice() const;
    // The playing that is on ends: its notice comes after the present handler.
    void EndPlaying();
    void Notify();
    void ShowFrame(TWinControl* display, std::shared_ptr<const TVideoFrame> frame);

    std::string m_fileName;
    TWinControl* m_display = nullptr;
    std::unique_ptr<IMediaDevice> m_device;
    TMPModes m_mode = TMPModes::mpClosed;
    std::string m_error;
    // Whether a playing is on whose end is still to be reported.
    bool m_notifyPending = false;
    // Counts the devices opened, so that a notice still on its way when the device closes is
    // dropped.
    uint64_t m_openings = 0;
    std::shared_ptr<const TVideoFrame> m_frame;
    // Lets posted notices find out that the player is gone.
    std::shared_ptr<TMediaPlayer*> m_self = std::make_shared<TMediaPlayer*>(this);
};

}  // namespace tk
