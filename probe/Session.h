#pragma once

// One run of the program inside the probe: the environment the script set before `start`, and
// the application, host and process made fresh for the run.

#include "platform/DriveMap.h"
#include "probe/ProbeMedia.h"
#include "probe/ProbeServices.h"
#include "toolkit/Headless.h"

#include <memory>
#include <optional>
#include <string>

namespace tk {
class TApplication;
}
namespace platform {
class FakeScreen;
class Host;
}
namespace orvane {
struct Process;
}

namespace probe {

struct Environment {
    // The drive map; none keeps the default one.
    std::optional<platform::DriveMap> drives;
    // The start folder as the script gave it (UTF-8); empty keeps the probe's own.
    std::string currentFolder;
    int desktopWidth = 1024;
    int desktopHeight = 768;
    int idleWaitMs = 5000;
    // A registry file (host path) as the whole of HKEY_CLASSES_ROOT; empty: the desktop's own.
    std::string registryFile;
    // The foreground window's size; none: there is no foreground window.
    std::optional<std::pair<int, int>> foreground;
};

class Session {
public:
    Session(IScriptRunner& runner, ModalStack& modals, tk::IDialogs& dialogs);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Makes the start folder current and runs the process entry; the reason on failure.
    std::optional<std::string> Start(const Environment& environment);
    // The main window closed and the windows were freed, as at the end of the process.
    bool Ended() const { return m_ended; }
    // Frees the windows once the application has been told to end.
    void EndIfTerminated();

    tk::TApplication& Application() { return *m_application; }
    orvane::Process& Process() { return *m_process; }
    platform::Host& Host() { return *m_host; }
    tk::ManualClock& Clock() { return m_clock; }
    ProbeMedia& Media() { return *m_media; }
    // Runs the tasks posted to the program's loop (the media player's notices).
    void RunPosted() { m_loop.RunPosted(); }
    // The screen the program sees: the desktop and the foreground window the script set.
    platform::FakeScreen& Screen() { return *m_screen; }

private:
    void End();

    tk::ManualClock m_clock;
    ProbeMessageLoop m_loop;
    tk::IDialogs& m_dialogs;
    std::unique_ptr<platform::Host> m_host;
    platform::FakeScreen* m_screen = nullptr;
    std::unique_ptr<ProbeMedia> m_media;
    std::unique_ptr<tk::TApplication> m_application;
    std::unique_ptr<orvane::Process> m_process;
    bool m_ended = false;
};

}  // namespace probe
