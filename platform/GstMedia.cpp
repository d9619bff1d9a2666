// The media device over GStreamer: opening a file, choosing the pipeline that plays it, and the
// examinations of files and sound fonts that need no medium.

#include "platform/GstMedium.h"

#include "platform/CodePage.h"
#include "platform/QuietAudio.h"
#include "platform/SystemErrors.h"

#include "formats/Avi.h"
#include "formats/Bytes.h"
#include "formats/Midi.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {
// MIDI files are small; anything larger is not one worth reading into memory.
constexpr uint64_t MaxMidiFileSize = 64u << 20;
// An AVI file's header list comes first and is small; the format of its video stream is looked
// for this far into it.
constexpr size_t AviHeaderBytes = 256u << 10;

// Whether an AVI file holds uncompressed RGB video that GStreamer does not take by itself.
std::optional<RawAviVideo> RawAviVideoIn(const RegularFile& file)
{
    std::optional<std::string> header = file.ReadHead(AviHeaderBytes);
    if (!header)
        return std::nullopt;
    formats::Result<formats::AviVideoFormat> format = formats::ReadAviVideoFormat(formats::AsBytes(*header));
    return format ? RawAviVideoOf(*format) : std::nullopt;
}

// Opens a file to play, refusing what is no regular file without waiting on it.
std::optional<RegularFile> OpenToPlay(const std::string& hostPath, std::string& error)
{
    FileRefusal refusal = FileRefusal::Unreadable;
    auto file = RegularFile::Open(hostPath, &refusal);
    if (!file) {
        // The media system's reasons are UTF-8, as GStreamer's are.
        int reason = errno;
        std::string why = refusal == FileRefusal::Unreadable ? "" : OpenFailureReason(hostPath);
        error = Cp932ToUtf8(why.empty() ? SystemErrorText(reason) : why);
    }
    return file;
}
}  // namespace

bool InitGStreamer(std::string& error)
{
    static std::once_flag once;
    static bool ready = false;
    static std::string reason;
    std::call_once(once, [] {
        QuietAudioProbing();
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
        error = Cp932ToUtf8(SystemErrorText(errno));
        return nullptr;
    }
    uint8_t head[12] = {};
    std::memcpy(head, firstBytes->data(), firstBytes->size());
    formats::ByteView start(head, sizeof head);
    auto medium = std::make_unique<GstMedium>(std::move(reports));
    if (formats::IsRiffMidi(start) || std::memcmp(head, "MThd", 4) == 0) {
        if (file->Size() > MaxMidiFileSize) {
            error = Cp932ToUtf8("MIDI ファイルとしては大きすぎます");
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
    } else if (std::optional<RawAviVideo> raw = formats::IsAvi(start) ? RawAviVideoIn(*file) : std::nullopt) {
        if (!medium->BuildRawAvi(std::move(*file), hostPath, *raw, options, error))
            return nullptr;
    } else if (!medium->BuildPlaybin(std::move(*file), hostPath, options, error)) {
        return nullptr;
    }
    if (!medium->Preroll(options.openBoundMs, error))
        return nullptr;
    return medium;
}

}  // namespace platform

