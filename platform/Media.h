#pragma once

// The media device: sound and video files played through GStreamer. MIDI files (and RMI files,
// unwrapped here) go through the FluidSynth synthesiser with a General MIDI sound font; WAV, AVI
// and MPEG audio through GStreamer's own detection of the file's type. Video pictures are handed
// over as pixels for the program to draw; audio goes to the sound card, or to a silent sink that
// keeps time when there is none.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One picture of a video: 0xFFRRGGBB pixels, rows from the top.
struct VideoFrame {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

enum class AudioOutput {
    // The desktop's sound output; a silent sink when there is none.
    Device,
    // A silent sink that plays in real time, for tests and the probe.
    Silent,
};

struct MediaOptions {
    AudioOutput audio = AudioOutput::Device;
    // How long examining a file may take; a file that takes longer is refused, so that the
    // program never waits long for a file it cannot play.
    int openBoundMs = 3000;
    // The General MIDI sound font (host path); empty: the first one installed.
    std::string soundFont;
};

// What a medium reports from GStreamer's own threads. The receiver passes it on to its GUI thread.
struct MediaSignals {
    // Playing number `play` ended by itself: at the end of the medium (error empty) or failed.
    std::function<void(uint64_t play, const std::string& error)> ended;
    // A new video picture is ready for TakeFrame.
    std::function<void()> frameReady;
    // The first audio of a playing went to the output (for measuring how soon sound starts).
    std::function<void()> firstSound;
};

// An open medium. Freeing it closes it; no signal comes after that.
class IMedium {
public:
    virtual ~IMedium() = default;
    // Starts playing from the current position, rewinding first when it is at the end. The
    // number of this playing is PlayNumber() afterwards. False and the reason when refused.
    virtual bool Play(std::string& error) = 0;
    // Halts playing and keeps the position; returns when the media system has done it.
    virtual bool Stop(std::string& error) = 0;
    virtual uint64_t PlayNumber() const = 0;
    // The medium's length in milliseconds; -1 when the media system cannot tell.
    virtual int64_t LengthMs() const = 0;
    virtual int64_t PositionMs() const = 0;
    virtual bool HasVideo() const = 0;
    // The newest video picture, handed over (null before the first and when it was taken
    // already); frameReady comes again only after this.
    virtual std::unique_ptr<VideoFrame> TakeFrame() = 0;
};

// Gets the media device ready for the first file, in the background: GStreamer started and the
// elements that play files loaded, the sound output found (a sound server's connection then stays
// open), and the MIDI synthesiser made with its sound font. Without it the first file opened pays
// for all of that before its first sound. Opening a file meanwhile waits only for the part it
// needs; freeing the preparation waits for its end.
class MediaPreparation {
public:
    explicit MediaPreparation(MediaOptions options);
    ~MediaPreparation();
    MediaPreparation(const MediaPreparation&) = delete;
    MediaPreparation& operator=(const MediaPreparation&) = delete;

private:
    // The thread that prepares (in the media device's own file: this header is read by code that
    // cannot compile the standard library's thread header).
    struct Worker;
    std::unique_ptr<Worker> m_worker;
};

// Opens a file (host path) and examines it, within options.openBoundMs. Null and the media
// system's reason when the file is missing, of no type a decoder takes, truncated, or no
// device can play it.
std::unique_ptr<IMedium> OpenMedium(const std::string& hostPath, const MediaOptions& options, MediaSignals reports,
                                    std::string& error);

// The length of a medium whose length the media system cannot tell from its headers (MPEG audio
// without a Xing header), found by decoding it as fast as it goes, within boundMs; -1 when that
// fails too.
int64_t MeasureLengthMs(const std::string& hostPath, int boundMs);

// The General MIDI sound font that MIDI files are played with; empty when none is installed.
std::string DefaultSoundFont();

}  // namespace platform
