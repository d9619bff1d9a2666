#include "probe/Probe.h"

#include "platform/CodePage.h"
#include "probe/Commands.h"
#include "toolkit/Exception.h"

#include <ostream>

namespace probe {

Probe::Probe(std::istream& input, std::ostream& output) : m_reader(input), m_output(output) {}

Probe::~Probe() = default;

int Probe::Run()
{
    RunUntil([] { return false; });
    m_output.flush();
    return m_failed ? 1 : 0;
}

// Nested runs happen while a dialog or a held message box is open. The windows are freed only
// from the outermost run, once no handler of theirs is still on the stack.
void Probe::RunUntil(const std::function<bool()>& done)
{
    ++m_depth;
    while (!done()) {
        auto line = m_reader.Next();
        if (!line)
            break;
        Execute(*line);
        // What the command's handlers posted runs before the next input, as in the program.
        if (m_session && !m_session->Ended())
            m_session->RunPosted();
        if (m_depth == 1 && m_session)
            m_session->EndIfTerminated();
    }
    --m_depth;
}

void Probe::Start()
{
    // Published before the process entry runs, so that dialogs opened while the windows are
    // created already find the running program.
    m_session = std::make_unique<Session>(*this, m_modals, m_dialogs);
    if (auto failure = m_session->Start(m_environment)) {
        m_session.reset();
        throw ProbeError("start: " + *failure);
    }
}

void Probe::Execute(const ScriptLine& line)
{
    if (!line.error.empty()) {
        Fail(line.number, line.error);
        return;
    }
    const std::string& name = line.words.front();
    const Command* command = FindCommand(name);
    if (!command) {
        Fail(line.number, "unknown command " + name);
        return;
    }
    try {
        CheckPhase(*this, *command);
        int arguments = int(line.words.size()) - 1;
        if (arguments < command->minArguments || arguments > command->maxArguments)
            throw ProbeError(std::string("usage: ") + command->usage);
        command->run(*this, line.words);
    } catch (const ProbeError& error) {
        Fail(line.number, error.what());
    } catch (const tk::Exception& error) {
        Fail(line.number, name + ": " + platform::Cp932ToUtf8(error.Message()));
    } catch (const std::exception& error) {
        Fail(line.number, name + ": " + error.what());
    }
}

void Probe::Fail(int lineNumber, const std::string& reason)
{
    m_failed = true;
    m_output << "error: " << lineNumber << ": " << reason << '\n';
}

}  // namespace probe
