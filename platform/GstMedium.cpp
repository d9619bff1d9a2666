// A medium over one GStreamer pipeline, whatever built it: the examination of the file (its
// preroll), the commands, the reports from GStreamer's threads and the video pictures.

#include "platform/GstMedium.h"

#include <gst/video/video.h>

#include <bit>
#include <cstring>

namespace platform {

namespace {
// How long a stop or a rewind may take before it counts as refused.
constexpr GstClockTime CommandBound = 2 * GST_SECOND;
}  // namespace

GstMedium::~GstMedium()
{
    if (m_pipeline) {
        // The synthesiser leaves the pipeline in its ready state, its sound font loaded.
        if (m_synth) {
            gst_element_set_state(m_pipeline, GST_STATE_READY);
            gst_bin_remove(GST_BIN(m_pipeline), m_synth);
        }
        // Going to NULL joins GStreamer's threads: no signal comes after this.
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(m_pipeline);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(m_pipeline);
    }
    if (m_rawCaps)
        gst_caps_unref(m_rawCaps);
    if (m_synth)
        KeepSynth(m_synth);
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
    // A pipeline of our own links its sinks only as its demuxer finds the streams, so its state
    // may be reached before they exist: it is ready once the streams are all found (the message
    // StreamsFound posts) and the sinks linked to them have taken their first data.
    bool streamsPending = m_rawCaps != nullptr;
    bool prerolled = change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL;
    if (streamsPending)
        prerolled = false;
    const gint64 deadline = g_get_monotonic_time() + gint64(boundMs) * 1000;
    while (streamsPending || !prerolled) {
        gint64 left = deadline - g_get_monotonic_time();
        if (left <= 0) {
            error = "examining the file took longer than " + std::to_string(boundMs) + " ms";
            break;
        }
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, GstClockTime(left) * 1000,
            GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR | GST_MESSAGE_APPLICATION));
        if (!message)
            continue;
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        if (type == GST_MESSAGE_ERROR)
            error = ErrorText(message);
        gst_message_unref(message);
        if (type == GST_MESSAGE_ERROR)
            break;
        if (type == GST_MESSAGE_ASYNC_DONE) {
            prerolled = true;
        } else if (streamsPending) {
            streamsPending = false;
            if (!m_videoLinked && !m_audioLinked) {
                error = "the file holds no stream that can be played";
                break;
            }
        }
    }
    const bool ready = !streamsPending && prerolled && error.empty();
    if (!ready && error.empty())
        error = "the media system cannot open the file";
    gst_object_unref(bus);
    if (!ready)
        return false;

    gint64 duration = 0;
    if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration >= 0)
        m_length = duration / GST_MSECOND;
    // playbin counts its video streams; a pipeline of our own has linked one or none.
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(m_pipeline), "n-video")) {
        gint videoStreams = 0;
        g_object_get(m_pipeline, "n-video", &videoStreams, nullptr);
        m_hasVideo = videoStreams > 0;
    } else {
        m_hasVideo = m_videoLinked;
    }
    // From here on the bus handler takes what is posted; what came before it is read here.
    m_opened = true;
    TakeQueuedMessages();
    return true;
}

// Whether a state change has finished within the bound: one still under way when the bound
// runs out (ASYNC) has not.
bool Settled(GstElement* pipeline)
{
    const GstStateChangeReturn result = gst_element_get_state(pipeline, nullptr, nullptr, CommandBound);
    return result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL;
}

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
            // A DIB that the demuxer left bottom up is turned over here, row by row.
            const size_t row = size_t(m_flipRows ? height - 1 - y : y);
            std::memcpy(out, map.data + offset + row * stride, size_t(width) * 4);
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

}  // namespace platform
