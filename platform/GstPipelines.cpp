// The pipelines of the media device. MIDI data is fed through an appsrc into midiparse and
// fluiddec, because RMI files need unwrapping first and the synthesiser needs its sound font;
// everything else goes through playbin, whose video ends in an appsink that hands the pictures
// over as pixels.

#include "platform/CodePage.h"
#include "platform/GstMedium.h"

#include <gst/app/gstappsrc.h>

namespace platform {

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
    GstElement* synth = TakeSynth(soundFont);
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    GstElement* sink = WatchAudio(MakeAudioSink(options.audio));
    if (!source || !parse || !synth || !convert || !resample || !sink) {
        for (GstElement* element : {source, parse, synth, convert, resample, sink})
            if (element)
                gst_object_unref(gst_object_ref_sink(element));
        error = Cp932ToUtf8("MIDI ファイルを演奏するデバイスがありません (GStreamer の midiparse と fluiddec)");
        return false;
    }
    gst_bin_add_many(GST_BIN(m_pipeline), source, parse, synth, convert, resample, sink, nullptr);
    m_synth = synth;
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
    GstElement* videoSink = MakeVideoSink();
    if (!m_pipeline || !videoSink) {
        g_free(uri);
        error = "GStreamer's playbin is not installed";
        return false;
    }
    // Subtitles and visualisations are not ours to show, and the program sets no volume: without
    // playbin's own volume element, which GStreamer 1.22 keeps alive after each playbin that made
    // one (some kilobytes with every file opened).
    enum { Video = 1 << 0, Audio = 1 << 1 };
    g_object_set(m_pipeline, "uri", uri, "audio-sink", WatchAudio(MakeAudioSink(options.audio)), "video-sink",
                 videoSink, "flags", Video | Audio, nullptr);
    g_free(uri);
    WatchBus();
    return true;
}

// Video ends in an appsink that keeps only the newest picture, as BGRx pixels.
GstElement* GstMedium::MakeVideoSink()
{
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!sink)
        return nullptr;
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    g_object_set(sink, "caps", caps, "max-buffers", 1u, "drop", TRUE, nullptr);
    gst_caps_unref(caps);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = NewPreroll;
    callbacks.new_sample = NewSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
    return sink;
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

}  // namespace platform
