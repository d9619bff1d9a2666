#include "platform/QuietAudio.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

extern char** environ;

namespace platform {

namespace {

// The shape of libasound's snd_lib_error_handler_t.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

constexpr const char* LogLevel = "ALSOFT_LOGLEVEL";
// Whether the log level is the program's setting rather than the user's. Set on whichever thread
// first gets the media device ready, read by the thread that starts programs.
std::atomic<bool> g_setLogLevel = false;

}  // namespace

void QuietAudioProbing()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // OpenAL Soft reads its log level once, when it is loaded.
        if (!std::getenv(LogLevel))
            g_setLogLevel = setenv(LogLevel, "0", 0) == 0;
        // The program does not link libasound; GStreamer's ALSA sink and FluidSynth load it. Loaded
        // here first and never let go, it is the one they get, and its handler stays set.
        void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (!alsa)
            return;
        using SetHandler = int (*)(AlsaErrorHandler);
        if (auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
            setHandler(IgnoreAlsaError);
    });
}

std::vector<char*> StartedProgramEnvironment()
{
    std::vector<char*> environment;
    const size_t nameLength = std::strlen(LogLevel);
    for (char** variable = environ; *variable; ++variable) {
        bool ours = g_setLogLevel && std::strncmp(*variable, LogLevel, nameLength) == 0 && (*variable)[nameLength] == '=';
        if (!ours)
            environment.push_back(*variable);
    }
    environment.push_back(nullptr);
    return environment;
}

}  // namespace platform
