#include "probe/Session.h"

#include "app/Process.h"
#include "platform/ClassesRoot.h"
#include "platform/CodePage.h"
#include "platform/Host.h"
#include "toolkit/Application.h"

namespace probe {

Session::Session(IScriptRunner& runner, ModalStack& modals, tk::IDialogs& dialogs)
    : m_loop(runner, modals), m_dialogs(dialogs)
{
}

Session::~Session()
{
    End();
}

std::optional<std::string> Session::Start(const Environment& environment)
{
    m_host = std::make_unique<platform::Host>(environment.drives ? *environment.drives : platform::DriveMap::Default());
    if (!environment.currentFolder.empty()
        && !m_host->SetCurrentDirectory(platform::Utf8ToCp932(environment.currentFolder)))
        return "cannot make " + environment.currentFolder + " the current folder";
    if (!environment.registryFile.empty()) {
        std::string error;
        auto fileTypes = platform::ClassesRoot::FromRegistryFile(environment.registryFile, error);
        if (!fileTypes)
            return error;
        m_host->SetFileTypes(std::move(fileTypes));
    }
    auto screen = std::make_unique<platform::FakeScreen>();
    screen->SetDesktop(environment.desktopWidth, environment.desktopHeight);
    if (environment.foreground)
        screen->SetForeground(environment.foreground->first, environment.foreground->second);
    m_screen = screen.get();
    m_host->SetScreen(std::move(screen));
    m_host->Programs().SetIdleBound(environment.idleWaitMs);

    m_application = std::make_unique<tk::TApplication>();
    m_application->SetClock(&m_clock);
    m_application->SetMessageLoop(&m_loop);
    m_application->SetDialogs(&m_dialogs);
    m_application->SetDesktopSize(environment.desktopWidth, environment.desktopHeight);
    m_process = std::make_unique<orvane::Process>(*m_application, *m_host);
    m_media = std::make_unique<ProbeMedia>(*m_host);
    m_process->MediaSystem = m_media.get();
    orvane::RunProcess(*m_process);
    return std::nullopt;
}

void Session::EndIfTerminated()
{
    if (m_application && !m_ended && m_application->Terminated())
        End();
}

// The windows go first: their handlers may still read the process while they are freed.
void Session::End()
{
    if (m_application)
        m_ended = true;
    m_application.reset();
    m_process.reset();
}

}  // namespace probe
