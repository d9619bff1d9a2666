// Uncompressed RGB video in AVI files that GStreamer does not play by itself. Its AVI demuxer knows
// 24- and 32-bit DIBs only when the stream header names no codec (or an uncompressed one): 16-bit
// pixels leave it as an unknown format ("missing a plug-in"), and pixels under a header that
// names a codec go to that codec's decoder, which makes noise of them or fails. The demuxer still
// reads such a file well (its index, its sound, seeking), so it stays; only the video's caps are
// set from the file's own format (capssetter), and the rows the demuxer leaves bottom up are
// turned over when the pictures are copied out.

#include "platform/GstMedium.h"

#include "formats/Avi.h"

#include <climits>
#include <cstdlib>

namespace platform {

namespace {
// Larger pictures than this are no video of that era; the demuxer may refuse them as it likes.
constexpr int64_t MaxSide = 8192;

// The stream header's handlers under which the demuxer takes a DIB as uncompressed pixels
// (and turns its rows top down itself).
bool UncompressedHandler(uint32_t handler)
{
    return handler == 0 || handler == formats::FourCc("DIB ") || handler == formats::FourCc("RGB ") ||
           handler == formats::FourCc("RAW ");
}

// GStreamer's name for pixels whose colours sit where the masks say.
const char* MaskedPixels(const formats::AviVideoFormat& format)
{
    const auto masks = [&](uint32_t red, uint32_t green, uint32_t blue) {
        return format.redMask == red && format.greenMask == green && format.blueMask == blue;
    };
    if (format.bitCount == 16 && masks(0xF800, 0x07E0, 0x001F))
        return "RGB16";
    if (format.bitCount == 16 && masks(0x7C00, 0x03E0, 0x001F))
        return "RGB15";
    if (format.bitCount == 32 && masks(0xFF0000, 0xFF00, 0xFF))
        return "BGRx";
    return nullptr;
}
}  // namespace

std::optional<RawAviVideo> RawAviVideoOf(const formats::AviVideoFormat& format)
{
    const bool known = format.compression == formats::BiRgb && UncompressedHandler(format.handler);
    RawAviVideo video;
    if (format.compression == formats::BiRgb) {
        // 16-bit BI_RGB pixels are 5-5-5, the red bits highest in a little-endian word.
        switch (format.bitCount) {
        case 16: video.pixels = "RGB15"; break;
        case 24: video.pixels = "BGR"; break;
        case 32: video.pixels = "BGRx"; break;
        default: return std::nullopt;
        }
        if (format.bitCount != 16 && known)
            return std::nullopt;
    } else if (format.compression == formats::BiBitfields) {
        video.pixels = MaskedPixels(format);
        if (!video.pixels)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    const int64_t height = std::llabs(int64_t(format.height));
    if (format.width <= 0 || format.width > MaxSide || height == 0 || height > MaxSide)
        return std::nullopt;
    video.width = format.width;
    video.height = int(height);
    video.bottomUp = format.height > 0 && !known;
    if (format.rate > 0 && format.scale > 0 && format.rate <= INT_MAX && format.scale <= INT_MAX) {
        video.rateNumerator = int(format.rate);
        video.rateDenominator = int(format.scale);
    }
    return video;
}

// filesrc ! avidemux, and a branch for each of the first video and sound streams once the
// demuxer has found them: queue ! capssetter ! videoconvert ! appsink for the pictures, queue !
// decodebin ! audioconvert ! audioresample ! the audio sink for the sound.
bool GstMedium::BuildRawAvi(RegularFile file, const std::string& hostPath, const RawAviVideo& video,
                            const MediaOptions& options, std::string& error)
{
    for (const char* needed : {"avidemux", "capssetter", "videoconvert", "decodebin", "appsink"})
        if (GstElementFactory* factory = gst_element_factory_find(needed))
            gst_object_unref(factory);
        else {
            error = std::string("GStreamer's ") + needed + " is not installed";
            return false;
        }
    m_source = std::move(file);
    m_audioOutput = options.audio;
    m_flipRows = video.bottomUp;
    m_rawCaps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, video.pixels, "width", G_TYPE_INT,
                                    video.width, "height", G_TYPE_INT, video.height, "framerate", GST_TYPE_FRACTION,
                                    video.rateNumerator, video.rateDenominator, "pixel-aspect-ratio",
                                    GST_TYPE_FRACTION, 1, 1, nullptr);
    m_pipeline = gst_pipeline_new("avi");
    GstElement* source = gst_element_factory_make("filesrc", nullptr);
    GstElement* demuxer = gst_element_factory_make("avidemux", nullptr);
    g_object_set(source, "location", SourcePath(*m_source, hostPath).c_str(), nullptr);
    gst_bin_add_many(GST_BIN(m_pipeline), source, demuxer, nullptr);
    if (!gst_element_link(source, demuxer)) {
        error = "the AVI elements do not fit together";
        return false;
    }
    g_signal_connect(demuxer, "pad-added", G_CALLBACK(DemuxerPadAdded), this);
    g_signal_connect(demuxer, "no-more-pads", G_CALLBACK(StreamsFound), this);
    WatchBus();
    return true;
}

// Runs on the demuxer's thread, once for each stream it finds.
void GstMedium::DemuxerPadAdded(GstElement*, GstPad* pad, gpointer data)
{
    auto* self = static_cast<GstMedium*>(data);
    const gchar* name = GST_PAD_NAME(pad);
    if (g_str_has_prefix(name, "video_") && !self->m_videoLinked)
        self->LinkRawVideo(pad);
    else if (g_str_has_prefix(name, "audio_") && !self->m_audioLinked)
        self->LinkAudio(pad);
}

// The demuxer has found all its streams (and they are linked): Preroll learns it on the bus.
void GstMedium::StreamsFound(GstElement*, gpointer data)
{
    auto* self = static_cast<GstMedium*>(data);
    gst_element_post_message(self->m_pipeline,
                             gst_message_new_application(GST_OBJECT(self->m_pipeline),
                                                         gst_structure_new_empty("streams-found")));
}

namespace {
// Adds a chain of elements to the pipeline, links them, and brings them to its state, the last
// first, so that none gets data before the one after it can take it. False when one is missing
// or they do not link.
bool AddChain(GstElement* pipeline, std::initializer_list<GstElement*> chain)
{
    for (GstElement* element : chain)
        if (!element) {
            for (GstElement* made : chain)
                if (made)
                    gst_object_unref(gst_object_ref_sink(made));
            return false;
        }
    for (GstElement* element : chain)
        gst_bin_add(GST_BIN(pipeline), element);
    GstElement* previous = nullptr;
    for (GstElement* element : chain) {
        if (previous && !gst_element_link(previous, element))
            return false;
        previous = element;
    }
    for (auto it = std::rbegin(chain); it != std::rend(chain); ++it)
        gst_element_sync_state_with_parent(*it);
    return true;
}

void LinkTo(GstPad* pad, GstElement* element)
{
    GstPad* sink = gst_element_get_static_pad(element, "sink");
    gst_pad_link(pad, sink);
    gst_object_unref(sink);
}
}  // namespace

void GstMedium::LinkRawVideo(GstPad* pad)
{
    GstElement* queue = gst_element_factory_make("queue", nullptr);
    GstElement* setter = gst_element_factory_make("capssetter", nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* sink = MakeVideoSink();
    // The demuxer's caps go whole; the file's own format takes their place.
    if (setter)
        g_object_set(setter, "caps", m_rawCaps, "join", FALSE, "replace", TRUE, nullptr);
    if (!AddChain(m_pipeline, {queue, setter, convert, sink}))
        return;
    m_videoLinked = true;
    LinkTo(pad, queue);
}

void GstMedium::LinkAudio(GstPad* pad)
{
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    GstElement* sink = WatchAudio(MakeAudioSink(m_audioOutput));
    if (!AddChain(m_pipeline, {convert, resample, sink}))
        return;
    m_audioEntry = convert;
    GstElement* queue = gst_element_factory_make("queue", nullptr);
    GstElement* decoder = gst_element_factory_make("decodebin", nullptr);
    if (decoder)
        g_signal_connect(decoder, "pad-added", G_CALLBACK(DecoderPadAdded), this);
    if (!AddChain(m_pipeline, {queue, decoder}))
        return;
    m_audioLinked = true;
    LinkTo(pad, queue);
}

// The decoded sound goes on to the audio sink.
void GstMedium::DecoderPadAdded(GstElement*, GstPad* pad, gpointer data)
{
    auto* self = static_cast<GstMedium*>(data);
    GstCaps* caps = gst_pad_get_current_caps(pad);
    const bool sound = caps && g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "audio/");
    if (caps)
        gst_caps_unref(caps);
    GstPad* entry = gst_element_get_static_pad(self->m_audioEntry, "sink");
    if (sound && !gst_pad_is_linked(entry))
        gst_pad_link(pad, entry);
    gst_object_unref(entry);
}

}  // namespace platform
