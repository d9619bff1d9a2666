#pragma once

// The probe's interpreter: reads the script, runs each command, prints the answers and the
// errors, and keeps the state that lives across commands (the environment, the running
// session, the open dialogs, the mouse buttons held down).

#include "probe/ProbeServices.h"
#include "probe/ScriptReader.h"
#include "probe/Session.h"
#include "toolkit/Types.h"

#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>

namespace probe {

// A command that fails; its reason (UTF-8) is printed on the command's error line.
class ProbeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Probe : public IScriptRunner {
public:
    Probe(std::istream& input, std::ostream& output);
    ~Probe() override;

    // Runs the whole script; the exit status: 0 when no command failed, 1 otherwise.
    int Run();
    void RunUntil(const std::function<bool()>& done) override;

    std::ostream& Out() { return m_output; }
    Environment& Env() { return m_environment; }
    ProbeDialogs& Dialogs() { return m_dialogs; }
    ModalStack& Modals() { return m_modals; }
    // The buttons held down since a mousedown, as shift flags.
    tk::TShiftState& HeldButtons() { return m_heldButtons; }

    bool Started() const { return m_session != nullptr; }
    bool Ended() const { return m_session && m_session->Ended(); }
    // The session of a started program that has not ended.
    Session& Running() { return *m_session; }
    // Starts the program in the environment set so far.
    void Start();

private:
    void Execute(const ScriptLine& line);
    void Fail(int lineNumber, const std::string& reason);

    ScriptReader m_reader;
    std::ostream& m_output;
    ModalStack m_modals;
    ProbeDialogs m_dialogs{*this, m_modals};
    Environment m_environment;
    std::unique_ptr<Session> m_session;
    tk::TShiftState m_heldButtons = 0;
    bool m_failed = false;
    int m_depth = 0;
};

}  // namespace probe
