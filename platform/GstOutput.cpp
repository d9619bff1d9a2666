// Where sound goes: the desktop's output, found once, or a silent sink that keeps time.

#include "platform/GstMedium.h"

#include <cstring>

namespace platform {

namespace {

// The probe of a sound server's output, held open (see DeviceSink).
GstElement* g_heldOutput = nullptr;

// The sink a desktop output element chose, inside it (autoaudiosink is a bin around it).
std::string ChosenSink(GstElement* output)
{
    std::string chosen;
    if (!GST_IS_BIN(output))
        return chosen;
    GstIterator* children = gst_bin_iterate_sinks(GST_BIN(output));
    GValue child = G_VALUE_INIT;
    if (gst_iterator_next(children, &child) == GST_ITERATOR_OK) {
        GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(g_value_get_object(&child)));
        if (factory)
            chosen = GST_OBJECT_NAME(factory);
        g_value_unset(&child);
    }
    gst_iterator_free(children);
    return chosen;
}

// The desktop's sound output, found once, as finding it is slow: autoaudiosink tries the sinks
// installed until one opens, every time one is made (some 50 ms). The sink it chose is what each
// file's sound goes to after that; empty when none opens (the silent sink then keeps time). When it is a sound server's, the one
// found stays open for the life of the program: PulseAudio's sink shares one connection to the
// server among all its sinks in a process, so every later file finds it open. A sound card opened
// directly is let go, as another program may need it.
const std::string& DeviceSink()
{
    static std::once_flag once;
    static std::string chosen;
    std::call_once(once, [] {
        GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
        if (!sink)
            return;
        gst_object_ref_sink(sink);
        if (gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
            chosen = ChosenSink(sink);
            // A sink it chose without a factory of its own is made through it again; its
            // stand-in when no output opens is no output.
            if (chosen.empty())
                chosen = "autoaudiosink";
            else if (chosen == "fakesink")
                chosen.clear();
        }
        if (chosen == "pulsesink") {
            g_heldOutput = sink;
            return;
        }
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    });
    return chosen;
}

}  // namespace

// A silent sink that still keeps the clock, so that the end comes at the medium's end.
GstElement* MakeAudioSink(AudioOutput output)
{
    if (output == AudioOutput::Device && !DeviceSink().empty())
        if (GstElement* sink = gst_element_factory_make(DeviceSink().c_str(), nullptr))
            return sink;
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

}  // namespace platform
