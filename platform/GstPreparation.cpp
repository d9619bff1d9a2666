// The media device made ready for the first file while the program starts.

#include "platform/GstMedium.h"

#include <thread>
#include <vector>

namespace platform {

namespace {
// A twentieth of a second of silence as a WAV file: 8 kHz, mono, 8 bits.
std::vector<uint8_t> SilentWav()
{
    const uint32_t samples = 400;
    std::vector<uint8_t> wav;
    auto text = [&](const char* tag) { wav.insert(wav.end(), tag, tag + 4); };
    auto le = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wav.push_back(uint8_t(value >> (8 * i)));
    };
    text("RIFF"), le(36 + samples, 4), text("WAVE");
    // fmt: PCM, one channel, 8000 samples a second, 8000 bytes a second, block 1, 8 bits.
    text("fmt "), le(16, 4), le(1, 2), le(1, 2), le(8000, 4), le(8000, 4), le(1, 2), le(8, 2);
    text("data"), le(samples, 4);
    wav.insert(wav.end(), samples, 128);
    return wav;
}

// Takes a silent WAV through playbin to its first sound at the output, without playing it: the
// first file's examination then finds every part of the way made once (typefinding, the decoder
// graph, the output's stream) instead of making it while the user waits.
void Rehearse(const MediaOptions& options)
{
    const std::vector<uint8_t> wav = SilentWav();
    gchar* encoded = g_base64_encode(wav.data(), wav.size());
    const std::string uri = std::string("data:audio/x-wav;base64,") + encoded;
    g_free(encoded);
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    GstElement* video = gst_element_factory_make("fakesink", nullptr);
    GstElement* audio = MakeAudioSink(options.audio);
    if (!playbin || !video || !audio) {
        for (GstElement* element : {playbin, video, audio})
            if (element)
                gst_object_unref(gst_object_ref_sink(element));
        return;
    }
    g_object_set(playbin, "uri", uri.c_str(), "audio-sink", audio, "video-sink", video, "flags", 1 | 2, nullptr);
    gst_element_set_state(playbin, GST_STATE_PAUSED);
    gst_element_get_state(playbin, nullptr, nullptr, 2 * GST_SECOND);
    gst_element_set_state(playbin, GST_STATE_NULL);
    gst_object_unref(playbin);
}

void Prepare(const MediaOptions& options)
{
    std::string error;
    if (!InitGStreamer(error))
        return;
    // The elements of the pipelines, made once so that their plug-ins and classes are loaded,
    // and the finders of file types that playbin asks first.
    for (const char* name : {"playbin", "uridecodebin", "decodebin", "typefind", "queue", "wavparse",
                             "avidemux", "mpegaudioparse", "appsrc", "appsink", "midiparse", "audioconvert",
                             "audioresample", "videoconvert", "videoscale", "capssetter", "fakesink"})
        if (GstElement* element = gst_element_factory_make(name, nullptr))
            gst_object_unref(gst_object_ref_sink(element));
    GList* finders = gst_type_find_factory_get_list();
    for (GList* finder = finders; finder; finder = finder->next)
        if (GstPluginFeature* loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(finder->data)))
            gst_object_unref(loaded);
    gst_plugin_feature_list_free(finders);
    // The sound output (with a sound server, the connection to it), and the way to it.
    Rehearse(options);
    const std::string soundFont = options.soundFont.empty() ? DefaultSoundFont() : options.soundFont;
    if (!soundFont.empty())
        PrepareSynth(soundFont);
}
}  // namespace

struct MediaPreparation::Worker {
    std::thread thread;
};

MediaPreparation::MediaPreparation(MediaOptions options)
    : m_worker(std::make_unique<Worker>(Worker{std::thread([options = std::move(options)] { Prepare(options); })}))
{
}

MediaPreparation::~MediaPreparation()
{
    m_worker->thread.join();
}

}  // namespace platform
