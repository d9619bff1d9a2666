// The synthesiser of MIDI files, kept between files. Making one is the costly part of opening a
// MIDI file: fluiddec makes a FluidSynth synthesiser when it is made (Debian's FluidSynth then
// registers its libinstpatch types afresh and keeps what that allocates, some kilobytes each
// time, until the process ends) and loads the sound font when it gets ready (tens of
// milliseconds, and more for a large font). One synthesiser, ready with its font, goes from one
// MIDI file to the next: leaving its ready state for a pipeline's paused one resets it, so no
// note of the last file sounds on in the next.

#include "platform/GstMedium.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace platform {

namespace {
std::mutex g_synthMutex;
std::condition_variable g_synthChanged;
// The synthesiser not in use, in the ready state with its sound font loaded; null when none.
GstElement* g_readySynth = nullptr;
// Whether one is being made ready in the background: a MIDI file waits for it rather than make
// a second one beside it.
bool g_synthComing = false;
// Longer than loading the largest sound font takes.
constexpr auto SynthWait = std::chrono::seconds(10);

GstElement* NewSynth(const std::string& soundFont)
{
    GstElement* synth = gst_element_factory_make("fluiddec", nullptr);
    if (synth) {
        gst_object_ref_sink(synth);
        g_object_set(synth, "soundfont", soundFont.c_str(), nullptr);
    }
    return synth;
}

std::string SoundFontOf(GstElement* synth)
{
    gchar* font = nullptr;
    g_object_get(synth, "soundfont", &font, nullptr);
    std::string path = font ? font : "";
    g_free(font);
    return path;
}

void Discard(GstElement* synth)
{
    gst_element_set_state(synth, GST_STATE_NULL);
    gst_object_unref(synth);
}
}  // namespace

GstElement* TakeSynth(const std::string& soundFont)
{
    GstElement* kept = nullptr;
    {
        std::unique_lock lock(g_synthMutex);
        g_synthChanged.wait_for(lock, SynthWait, [] { return !g_synthComing; });
        std::swap(kept, g_readySynth);
    }
    if (kept && SoundFontOf(kept) == soundFont)
        return kept;
    if (kept)
        Discard(kept);
    return NewSynth(soundFont);
}

void PrepareSynth(const std::string& soundFont)
{
    {
        std::lock_guard lock(g_synthMutex);
        if (g_synthComing || (g_readySynth && SoundFontOf(g_readySynth) == soundFont))
            return;
        g_synthComing = true;
    }
    if (GstElement* synth = NewSynth(soundFont))
        KeepSynth(synth);
    {
        std::lock_guard lock(g_synthMutex);
        g_synthComing = false;
    }
    g_synthChanged.notify_all();
}

void KeepSynth(GstElement* synth)
{
    GstState state = GST_STATE_VOID_PENDING;
    // Only a synthesiser that got ready (its font loaded) is worth keeping.
    if (gst_element_set_state(synth, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE
        || gst_element_get_state(synth, &state, nullptr, 0) != GST_STATE_CHANGE_SUCCESS || state != GST_STATE_READY) {
        Discard(synth);
        return;
    }
    std::lock_guard lock(g_synthMutex);
    if (g_readySynth)
        Discard(std::exchange(g_readySynth, synth));
    else
        g_readySynth = synth;
}

}  // namespace platform
