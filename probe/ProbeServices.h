#pragma once

// The services the probe gives the application: message boxes that are recorded and either
// close at once or stay open until the script closes them, and a message loop whose modal runs
// read the script while the dialog is open.

#include "toolkit/Headless.h"
#include "toolkit/Services.h"
#include "toolkit/Types.h"

#include <functional>
#include <vector>

namespace tk {
class TForm;
}

namespace probe {

// Reads and runs script lines until `done` holds or the script ends.
class IScriptRunner {
public:
    virtual ~IScriptRunner() = default;
    virtual void RunUntil(const std::function<bool()>& done) = 0;
};

// A dialog or message box that is open now and waits for the script to close it.
struct ModalFrame {
    tk::TForm* form = nullptr;  // null for a message box
    unsigned boxFlags = 0;
    int boxAnswer = tk::mrNone;
};

// The open dialogs and message boxes, the innermost last.
class ModalStack {
public:
    void Push(ModalFrame& frame) { m_frames.push_back(&frame); }
    void Pop() { m_frames.pop_back(); }
    ModalFrame* Innermost() const { return m_frames.empty() ? nullptr : m_frames.back(); }
    bool Empty() const { return m_frames.empty(); }

private:
    std::vector<ModalFrame*> m_frames;
};

// The button a message box answers with when the user presses Enter (its first button) or Esc.
int DefaultAnswer(unsigned flags);
int EscapeAnswer(unsigned flags);

class ProbeDialogs : public tk::IDialogs {
public:
    ProbeDialogs(IScriptRunner& runner, ModalStack& modals) : m_runner(runner), m_modals(modals) {}

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

    // From now on boxes stay open until the script closes them.
    void Hold() { m_hold = true; }
    // The boxes shown since the last call.
    std::vector<tk::RecordedMessageBox> TakeShown();

private:
    IScriptRunner& m_runner;
    ModalStack& m_modals;
    bool m_hold = false;
    std::vector<tk::RecordedMessageBox> m_shown;
};

class ProbeMessageLoop : public tk::IMessageLoop {
public:
    ProbeMessageLoop(IScriptRunner& runner, ModalStack& modals) : m_runner(runner), m_modals(modals) {}

    // The application's own loop has nothing to wait for: the probe's script is the loop.
    void Run() override {}
    void Quit() override {}
    void RunModal(tk::TForm& form) override;
    void Post(std::function<void()> task) override { m_posted.Post(std::move(task)); }
    // Runs what was posted, as the program's loop would between two inputs.
    void RunPosted() { m_posted.RunPending(); }

private:
    tk::PostedTasks m_posted;
    IScriptRunner& m_runner;
    ModalStack& m_modals;
};

}  // namespace probe
