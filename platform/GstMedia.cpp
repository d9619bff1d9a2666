// The media device over GStreamer. MIDI data is fed through an appsrc into midiparse and
// fluiddec, because RMI files need unwrapping first and the synthesiser needs its sound font;
// everything else goes through playbin, whose video ends in an appsink that hands the pictures
// over as pixels.

#include "platform/Media.h"

#include "formats/Bytes.h"
#include "formats/Midi.h"
#include "platform/RegularFile.h"

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace platform {

namespace {

// MIDI files are small; anything larger is not one worth reading into memory.
constexpr uint64_t MaxMidiFileSize = 64u << 20;
// How long a stop or a rewind may take before it counts as refused.
constexpr GstClockTime CommandBound = 2 * GST_SECOND;

bool InitGStreamer(std::string& error)
{
    static std::once_flag once;
    static bool ready = false;
    static std::string reason;
    std::call_once(once, [] {
        GError* failure = nullptr;
        ready = gst_init_check(nullptr, nullptr, &failure);
        if (!ready)
            reason = failure ? failure->message : "GStreamer cannot start";
        g_clear_error(&failure);
    });
    if (!ready)
        error = reason;
    return ready;
}

// Whether the desktop has a sound output that opens; decided once, as probing a card is slow.
bool SoundDeviceWorks()
{
    static std::once_flag once;
    static bool works = false;
    std::call_once(once, [] {
        GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
        if (!sink)
            return;
        gst_object_ref_sink(sink);
        works = gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    });
    return works;
}

// A silent sink that still keeps the clock, so that the end comes at the medium's end.
GstElement* MakeAudioSink(AudioOutput output)
{
    if (output == AudioOutput::Device && SoundDeviceWorks())
        if (GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr))
            return sink;
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

std::string ErrorText(GstMessage* message)
{
    GError* failure = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &failure, &debug);
    std::string text = failure && failure->message ? failure->message : "the media system failed";
    g_clear_error(&failure);
    g_free(debug);
    return text;
}

// The name GStreamer is to open an opened file by: the descriptor's own entry in /proc, which
// opens the very file that was checked, whatever the file's name holds by the time GStreamer
// opens it (its file source opens names without regard to what they are, and waits on a pipe).
std::string SourcePath(const RegularFile& file, const std::string& hostPath)
{
    std::string own = "/proc/self/fd/" + std::to_string(file.Descriptor());
    struct stat status;
    return stat(own.c_str(), &status) == 0 && S_ISREG(status.st_mode) ? own : hostPath;
}

// Opens a file to play, refusing what is no regular file without waiting on it.
std::optional<RegularFile> OpenToPlay(const std::string& hostPath, std::string& error)
{
    FileRefusal refusal = FileRefusal::Unreadable;
    auto file = RegularFile::Open(hostPath, &refusal);
    if (!file) {
        int reason = errno;
        switch (refusal) {
        case FileRefusal::Missing: error = "the file does not exist"; break;
        case FileRefusal::Folder:
        case FileRefusal::NotAFile: error = "it is not a file"; break;
        case FileRefusal::Unreadable: error = std::strerror(reason); break;
        }
    }
    return file;
}

class GstMedium final : public IMedium {
public:
    explicit GstMedium(MediaSignals reports) : m_signals(std::move(reports)) {}
    ~GstMedium() override;

    bool BuildMidi(std::vector<uint8_t> midi, const MediaOptions& options, std::string& error);
    bool BuildPlaybin(RegularFile file, const std::string& hostPath, const MediaOptions& options, std::string& error);
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
    GstElement* WatchAudio(GstElement* sink);
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
};

GstMedium::~GstMedium()
{
    if (!m_pipeline)
        return;
    // Going to NULL joins GStreamer's threads: no signal comes after this.
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(m_pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(m_pipeline);
}

bool GstMedium::BuildMidi(std::vector<uint8_t> midi, const MediaOptions& options, std::string& error)
{
    std::string soundFont = options.soundFont.empty() ? DefaultSoundFont() : options.soundFont;
    if (soundFont.empty()) {
        error = "no General MIDI sound font is installed";
        return false;
    }
    m_pipeline = gst_pipeline_new("midi");
    GstElement* source = gst_element_factory_make("appsrc", nullptr);
    GstElement* parse = gst_element_factory_make("midiparse", nullptr);
    GstElement* synth = gst_element_factory_make("fluiddec", nullptr);
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    GstElement* sink = WatchAudio(MakeAudioSink(options.audio));
    if (!source || !parse || !synth || !convert || !resample || !sink) {
        for (GstElement* element : {source, parse, synth, convert, resample, sink})
            if (element)
                gst_object_unref(gst_object_ref_sink(element));
        error = "no device for MIDI files is installed (GStreamer's midiparse and fluiddec)";
        return false;
    }
    g_object_set(synth, "soundfont", soundFont.c_str(), nullptr);
    gst_bin_add_many(GST_BIN(m_pipeline), source, parse, synth, convert, resample, sink, nullptr);
    if (!gst_element_link_many(source, parse, synth, convert, resample, sink, nullptr)) {
        error = "the MIDI elements do not fit together";
        return false;
    }
    GstCaps* caps = gst_caps_new_empty_simple("audio/midi");
    g_object_set(source, "caps", caps, "format", GST_FORMAT_BYTES, nullptr);
    gst_caps_unref(caps);
    // The whole file goes in at once: midiparse reads all of it before it plays.
    gsize size = midi.size();
    auto* owned = new std::vector<uint8_t>(std::move(midi));
    GstBuffer* buffer = gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_READONLY, owned->data(), size, 0, size, owned,
                                                    [](gpointer data) { delete static_cast<std::vector<uint8_t>*>(data); });
    gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
    gst_app_src_end_of_stream(GST_APP_SRC(source));
    WatchBus();
    return true;
}

bool GstMedium::BuildPlaybin(RegularFile file, const std::string& hostPath, const MediaOptions& options,
                             std::string& error)
{
    // The file stays open while the pipeline may open it again.
    m_source = std::move(file);
    GError* failure = nullptr;
    gchar* uri = gst_filename_to_uri(SourcePath(*m_source, hostPath).c_str(), &failure);
    if (!uri) {
        error = failure ? failure->message : "the file's name cannot be made an address";
        g_clear_error(&failure);
        return false;
    }
    m_pipeline = gst_element_factory_make("playbin", nullptr);
    GstElement* videoSink = gst_element_factory_make("appsink", nullptr);
    if (!m_pipeline || !videoSink) {
        g_free(uri);
        error = "GStreamer's playbin is not installed";
        return false;
    }
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    g_object_set(videoSink, "caps", caps, "max-buffers", 1u, "drop", TRUE, nullptr);
    gst_caps_unref(caps);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = NewPreroll;
    callbacks.new_sample = NewSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(videoSink), &callbacks, this, nullptr);
    // Subtitles and visualisations are not ours to show.
    enum { Video = 1 << 0, Audio = 1 << 1, SoftVolume = 1 << 4 };
    g_object_set(m_pipeline, "uri", uri, "audio-sink", WatchAudio(MakeAudioSink(options.audio)), "video-sink", videoSink, "flags",
                 Video | Audio | SoftVolume, nullptr);
    g_free(uri);
    WatchBus();
    return true;
}

// The silent sink says when it renders a buffer, in time with the clock; a sound card's sink
// plays what arrives once it plays.
GstElement* GstMedium::WatchAudio(GstElement* sink)
{
    if (!sink)
        return sink;
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "signal-handoffs")) {
        g_object_set(sink, "signal-handoffs", TRUE, nullptr);
        g_signal_connect(sink, "handoff", G_CALLBACK(AudioRendered), this);
    } else if (GstPad* pad = gst_element_get_static_pad(sink, "sink")) {
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, AudioArrived, this, nullptr);
        gst_object_unref(pad);
    }
    return sink;
}

GstPadProbeReturn GstMedium::AudioArrived(GstPad*, GstPadProbeInfo*, gpointer self)
{
    static_cast<GstMedium*>(self)->FirstSound();
    return GST_PAD_PROBE_OK;
}

void GstMedium::AudioRendered(GstElement*, GstBuffer*, GstPad*, gpointer self)
{
    static_cast<GstMedium*>(self)->FirstSound();
}

void GstMedium::FirstSound()
{
    if (m_firstSoundPending.exchange(false) && m_signals.firstSound)
        m_signals.firstSound();
}

void GstMedium::WatchBus()
{
    GstBus* bus = gst_element_get_bus(m_pipeline);
    gst_bus_set_sync_handler(bus, BusMessage, this, nullptr);
    gst_object_unref(bus);
}

// Runs on the thread that posts the message. Until the medium is open, messages go to the bus
// for Preroll to read; afterwards the end and errors are signalled and the rest dropped. A
// handler that drops a message owns it: the message holds its source, so one kept would keep the
// whole pipeline alive after the medium is closed.
GstBusSyncReply GstMedium::BusMessage(GstBus*, GstMessage* message, gpointer data)
{
    auto* self = static_cast<GstMedium*>(data);
    if (!self->m_opened)
        return GST_BUS_PASS;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        self->m_atEnd = true;
        if (self->m_signals.ended)
            self->m_signals.ended(self->m_play, std::string());
        break;
    case GST_MESSAGE_ERROR:
        if (self->m_signals.ended)
            self->m_signals.ended(self->m_play, ErrorText(message));
        break;
    default:
        break;
    }
    gst_message_unref(message);
    return GST_BUS_DROP;
}

// The messages that reached the bus before the medium was open: the examination's own are of no
// further use, but a failure or an end posted after the examination finished must not be lost.
void GstMedium::TakeQueuedMessages()
{
    GstBus* bus = gst_element_get_bus(m_pipeline);
    while (GstMessage* message = gst_bus_pop(bus)) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR && m_failure.empty())
            m_failure = ErrorText(message);
        else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS)
            m_atEnd = true;
        gst_message_unref(message);
    }
    gst_object_unref(bus);
}

bool GstMedium::Preroll(int boundMs, std::string& error)
{
    GstStateChangeReturn change = gst_element_set_state(m_pipeline, GST_STATE_PAUSED);
    GstBus* bus = gst_element_get_bus(m_pipeline);
    bool ready = change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL;
    const gint64 deadline = g_get_monotonic_time() + gint64(boundMs) * 1000;
    while (!ready) {
        gint64 left = deadline - g_get_monotonic_time();
        if (left <= 0) {
            error = "examining the file took longer than " + std::to_string(boundMs) + " ms";
            break;
        }
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, GstClockTime(left) * 1000, GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
        if (!message)
            continue;
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            error = ErrorText(message);
            gst_message_unref(message);
            break;
        }
        gst_message_unref(message);
        ready = true;
    }
    if (!ready && error.empty())
        error = "the media system cannot open the file";
    gst_object_unref(bus);
    if (!ready)
        return false;

    gint64 duration = 0;
    if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration >= 0)
        m_length = duration / GST_MSECOND;
    gint videoStreams = 0;
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(m_pipeline), "n-video"))
        g_object_get(m_pipeline, "n-video", &videoStreams, nullptr);
    m_hasVideo = videoStreams > 0;
    // From here on the bus handler takes what is posted; what came before it is read here.
    m_opened = true;
    TakeQueuedMessages();
    return true;
}

namespace {
// Whether a state change has finished within the bound: one still under way when the bound
// runs out (ASYNC) has not.
bool Settled(GstElement* pipeline)
{
    const GstStateChangeReturn result = gst_element_get_state(pipeline, nullptr, nullptr, CommandBound);
    return result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL;
}
}  // namespace

bool GstMedium::Play(std::string& error)
{
    ++m_play;
    if (!m_failure.empty()) {
        error = m_failure;
        return false;
    }
    int64_t position = PositionMs();
    if (m_atEnd || (m_length > 0 && position >= m_length)) {
        if (!gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH), 0)
            || !Settled(m_pipeline)) {
            error = "the medium cannot be rewound";
            return false;
        }
        m_atEnd = false;
    }
    m_firstSoundPending = true;
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        error = "the media system cannot play the file";
        return false;
    }
    return true;
}

bool GstMedium::Stop(std::string& error)
{
    if (gst_element_set_state(m_pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE || !Settled(m_pipeline)) {
        error = "the media system cannot stop the file";
        return false;
    }
    return true;
}

int64_t GstMedium::PositionMs() const
{
    gint64 position = 0;
    if (!gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &position) || position < 0)
        return 0;
    return position / GST_MSECOND;
}

std::unique_ptr<VideoFrame> GstMedium::TakeFrame()
{
    std::lock_guard lock(m_frameMutex);
    m_framePending = false;
    return std::move(m_frame);
}

GstFlowReturn GstMedium::NewPreroll(GstAppSink* sink, gpointer self)
{
    if (GstSample* sample = gst_app_sink_pull_preroll(sink)) {
        static_cast<GstMedium*>(self)->StoreFrame(sample);
        gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
}

GstFlowReturn GstMedium::NewSample(GstAppSink* sink, gpointer self)
{
    if (GstSample* sample = gst_app_sink_pull_sample(sink)) {
        static_cast<GstMedium*>(self)->StoreFrame(sample);
        gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
}

// Copies a BGRx picture into opaque 0xFFRRGGBB pixels, row by row: its rows start where the
// video's layout says (they may be padded), and a BGRx pixel read as a little-endian word is
// 0xxxRRGGBB already, so a row is one copy and one pass that sets the alpha byte.
void GstMedium::StoreFrame(GstSample* sample)
{
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstVideoInfo info;
    if (!buffer || !caps || !gst_video_info_from_caps(&info, caps) || GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGRx)
        return;
    const int width = GST_VIDEO_INFO_WIDTH(&info);
    const int height = GST_VIDEO_INFO_HEIGHT(&info);
    const size_t stride = size_t(GST_VIDEO_INFO_PLANE_STRIDE(&info, 0));
    const size_t offset = GST_VIDEO_INFO_PLANE_OFFSET(&info, 0);
    if (width <= 0 || height <= 0 || stride < size_t(width) * 4)
        return;
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return;
    auto frame = std::make_unique<VideoFrame>();
    if (offset + stride * size_t(height - 1) + size_t(width) * 4 <= map.size) {
        frame->width = width;
        frame->height = height;
        frame->pixels.resize(size_t(width) * size_t(height));
        static_assert(std::endian::native == std::endian::little, "BGRx words are read as little-endian");
        for (int y = 0; y < height; ++y) {
            uint32_t* out = frame->pixels.data() + size_t(y) * size_t(width);
            std::memcpy(out, map.data + offset + size_t(y) * stride, size_t(width) * 4);
            for (int x = 0; x < width; ++x)
                out[x] |= 0xFF000000u;
        }
    }
    gst_buffer_unmap(buffer, &map);
    if (frame->pixels.empty())
        return;
    bool signal = false;
    {
        std::lock_guard lock(m_frameMutex);
        m_frame = std::move(frame);
        // Until the medium is open its owner takes the first picture itself.
        signal = m_opened && !m_framePending;
        m_framePending = m_framePending || signal;
    }
    if (signal && m_signals.frameReady)
        m_signals.frameReady();
}

}  // namespace

std::string DefaultSoundFont()
{
    std::vector<std::filesystem::path> folders;
    for (const gchar* const* dir = g_get_system_data_dirs(); dir && *dir; ++dir)
        folders.push_back(std::filesystem::path(*dir) / "sounds" / "sf2");
    folders.push_back("/usr/share/sounds/sf2");
    std::error_code ignored;
    for (const auto& folder : folders) {
        for (const char* preferred : {"default-GM.sf2", "FluidR3_GM.sf2", "TimGM6mb.sf2"})
            if (std::filesystem::is_regular_file(folder / preferred, ignored))
                return (folder / preferred).string();
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
            if (entry.path().extension() == ".sf2")
                found.push_back(entry.path().string());
        if (!found.empty())
            return *std::min_element(found.begin(), found.end());
    }
    return std::string();
}

int64_t MeasureLengthMs(const std::string& hostPath, int boundMs)
{
    std::string error;
    if (!InitGStreamer(error))
        return -1;
    std::optional<RegularFile> file = OpenToPlay(hostPath, error);
    if (!file)
        return -1;
    gchar* uri = gst_filename_to_uri(SourcePath(*file, hostPath).c_str(), nullptr);
    GstElement* pipeline = uri ? gst_element_factory_make("playbin", nullptr) : nullptr;
    if (!pipeline) {
        g_free(uri);
        return -1;
    }
    GstElement* audio = gst_element_factory_make("fakesink", nullptr);
    GstElement* video = gst_element_factory_make("fakesink", nullptr);
    g_object_set(audio, "sync", FALSE, nullptr);
    g_object_set(video, "sync", FALSE, nullptr);
    g_object_set(pipeline, "uri", uri, "audio-sink", audio, "video-sink", video, nullptr);
    g_free(uri);
    int64_t length = -1;
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE) {
        GstBus* bus = gst_element_get_bus(pipeline);
        GstMessage* message = gst_bus_timed_pop_filtered(bus, GstClockTime(boundMs) * GST_MSECOND,
                                                         GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        gint64 position = 0;
        if (message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS
            && gst_element_query_position(pipeline, GST_FORMAT_TIME, &position) && position >= 0)
            length = position / GST_MSECOND;
        if (message)
            gst_message_unref(message);
        gst_object_unref(bus);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return length;
}

std::unique_ptr<IMedium> OpenMedium(const std::string& hostPath, const MediaOptions& options, MediaSignals reports,
                                    std::string& error)
{
    if (!InitGStreamer(error))
        return nullptr;
    // Only regular files: opening a pipe or a device could wait for a writer without bound.
    std::optional<RegularFile> file = OpenToPlay(hostPath, error);
    if (!file)
        return nullptr;
    std::optional<std::string> firstBytes = file->ReadHead(12);
    if (!firstBytes) {
        error = std::strerror(errno);
        return nullptr;
    }
    uint8_t head[12] = {};
    std::memcpy(head, firstBytes->data(), firstBytes->size());
    formats::ByteView start(head, sizeof head);
    auto medium = std::make_unique<GstMedium>(std::move(reports));
    if (formats::IsRiffMidi(start) || std::memcmp(head, "MThd", 4) == 0) {
        if (file->Size() > MaxMidiFileSize) {
            error = "the file is too large for a MIDI file";
            return nullptr;
        }
        std::optional<std::string> bytes = file->ReadAll();
        if (!bytes) {
            error = "the file cannot be read";
            return nullptr;
        }
        formats::ByteView midi = formats::AsBytes(*bytes);
        if (formats::IsRiffMidi(midi)) {
            auto inner = formats::UnwrapRiffMidi(midi);
            if (!inner) {
                error = inner.Error();
                return nullptr;
            }
            midi = *inner;
        }
        if (auto check = formats::ReadMidiFile(midi); !check) {
            error = check.Error();
            return nullptr;
        }
        if (!medium->BuildMidi(std::vector<uint8_t>(midi.begin(), midi.end()), options, error))
            return nullptr;
    } else if (!medium->BuildPlaybin(std::move(*file), hostPath, options, error)) {
        return nullptr;
    }
    if (!medium->Preroll(options.openBoundMs, error))
        return nullptr;
    return medium;
}

}  // namespace platform
