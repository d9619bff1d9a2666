#pragma once

// Inside the media device: a medium over one GStreamer pipeline, and the helpers its parts
// share. The media device's own sources include this; the program sees only Media.h.

#include "platform/Media.h"
#include "platform/RegularFile.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace formats {
struct AviVideoFormat;
}

namespace platform {

// Starts GStreamer once for the process; false and the reason when it cannot start.
bool InitGStreamer(std::string& error);
// The sink sound goes to: the desktop's output, or a silent one that keeps time.
GstElement* MakeAudioSink(AudioOutput output);
// The text of an error message.
std::string ErrorText(GstMessage* message);
// The name GStreamer is to open an opened file by.
std::string SourcePath(const RegularFile& file, const std::string& hostPath);

// The synthesiser of MIDI files with this sound font: the one kept ready since the last MIDI file
// closed, or a new one. The caller holds a reference to it.
GstElement* TakeSynth(const std::string& soundFont);
// Keeps a synthesiser that left its pipeline ready for the next MIDI file, taking over the
// caller's reference.
void KeepSynth(GstElement* synth);
// Makes a synthesiser ready with the sound font, unless one is; a MIDI file opened meanwhile
// waits for it.
void PrepareSynth(const std::string& soundFont);

// The uncompressed RGB video of an AVI file that GStreamer's AVI demuxer hands out with caps no
// element takes: 16-bit pixels, for which it has none, and pixels whose stream header names a
// codec their format does not use, which it gives that codec's caps. The caps the pictures really
// have, and whether their rows still run from the bottom up when they leave the demuxer.
struct RawAviVideo {
    const char* pixels = "";  // GStreamer's name of the pixel layout
    int width = 0;
    int height = 0;
    int rateNumerator = 0;  // 0/1: not known
    int rateDenominator = 1;
    bool bottomUp = false;
};

// How GStreamer is to take a video stream of this format; none when it takes it by itself (or
// when it is no uncompressed RGB video), and playbin plays the file.
std::optional<RawAviVideo> RawAviVideoOf(const formats::AviVideoFormat& format);

class GstMedium final : public IMedium {
public:
    explicit GstMedium(MediaSignals reports) : m_signals(std::move(reports)) {}
    ~GstMedium() override;

    bool BuildMidi(std::vector<uint8_t> midi, const MediaOptions& options, std::string& error);
    bool BuildPlaybin(RegularFile file, const std::string& hostPath, const MediaOptions& options, std::string& error);
    bool BuildRawAvi(RegularFile file, const std::string& hostPath, const RawAviVideo& video,
                     const MediaOptions& options, std::string& error);
    bool Preroll(int boundMs, std::string& error);

    bool Play(std::string& error) override;
    bool Stop(std::string& error) override;
    uint64_t PlayNumber() const override { return m_play; }
    int64_t LengthMs() const override { return m_length; }
    int64_t PositionMs() const override;
    bool HasVideo() const override { return m_hasVideo; }
    std::unique_ptr<VideoFrame> TakeFrame() override;

private:
    static GstBusSyncReply BusMessage(GstBus* bus, GstMessage* message, gpointer self);
    static GstFlowReturn NewPreroll(GstAppSink* sink, gpointer self);
    static GstFlowReturn NewSample(GstAppSink* sink, gpointer self);
    static GstPadProbeReturn AudioArrived(GstPad* pad, GstPadProbeInfo* info, gpointer self);
    static void AudioRendered(GstElement* sink, GstBuffer* buffer, GstPad* pad, gpointer self);
    static void DemuxerPadAdded(GstElement* demuxer, GstPad* pad, gpointer self);
    static void DecoderPadAdded(GstElement* decoder, GstPad* pad, gpointer self);
    static void StreamsFound(GstElement* demuxer, gpointer self);
    GstElement* WatchAudio(GstElement* sink);
    GstElement* MakeVideoSink();
    void LinkRawVideo(GstPad* pad);
    void LinkAudio(GstPad* pad);
    void FirstSound();
    void WatchBus();
    void TakeQueuedMessages();
    void StoreFrame(GstSample* sample);

    MediaSignals m_signals;
    // Declared before the pipeline's state, so that it is closed only after the pipeline.
    std::optional<RegularFile> m_source;
    GstElement* m_pipeline = nullptr;
    std::atomic<uint64_t> m_play{0};
    std::atomic<bool> m_atEnd{false};
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_firstSoundPending{false};
    int64_t m_length = -1;
    bool m_hasVideo = false;
    // A failure the media system reported between the examination and the first playing.
    std::string m_failure;
    std::mutex m_frameMutex;
    std::unique_ptr<VideoFrame> m_frame;
    bool m_framePending = false;

    // A MIDI file's synthesiser, given back when the medium closes.
    GstElement* m_synth = nullptr;
    // A raw AVI's own pipeline: the caps of its pictures and whether their rows are to be turned
    // over, the output its sound goes to, and the streams linked so far (on the demuxer's thread).
    GstCaps* m_rawCaps = nullptr;
    bool m_flipRows = false;
    AudioOutput m_audioOutput = AudioOutput::Device;
    bool m_videoLinked = false;
    bool m_audioLinked = false;
    GstElement* m_audioEntry = nullptr;
};

}  // namespace platform
