#pragma once

// Services for running the component model without a display: a clock that moves only when told
// to, message boxes that are recorded, and text sizes estimated from the font's pixel height.

#include "toolkit/Services.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tk {

class ManualClock : public IClock {
public:
    void StartTimer(TTimer& timer, int intervalMs) override;
    void StopTimer(TTimer& timer) override;

    // Lets `ms` milliseconds pass: the timers that fall due fire in order of their due time
    // (timers due at the same moment in the order they were started).
    void Advance(int64_t ms);
    int64_t Now() const { return m_now; }
    bool IsRunning(const TTimer& timer) const;

private:
    struct Entry {
        TTimer* timer;
        int interval;
        int64_t due;
        uint64_t order;
    };
    std::vector<Entry> m_entries;
    int64_t m_now = 0;
    uint64_t m_nextOrder = 0;
};

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// Records every message box and answers with the first button of its set, or with what
// `Answer` returns when it is set.
class RecordingDialogs : public IDialogs {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

    std::vector<RecordedMessageBox> boxes;
    std::function<int(const RecordedMessageBox&)> Answer;
};

// Half-width characters take half the pixel height, double-byte ones the whole of it.
class EstimatedTextMetrics : public ITextMetrics {
public:
    int TextWidth(const TFont& font, const std::string& text) override;
    int TextHeight(const TFont& font) override;
};

// Tasks posted to a loop that has no event loop of its own: kept in order, from any thread,
// until the owner runs them on its own thread.
class PostedTasks {
public:
    void Post(std::function<void()> task);
    // Runs the tasks posted so far and the ones they post, in order; how many ran.
    int RunPending();
    // Waits up to timeoutMs for a task, then runs every task there is; false when none came.
    bool WaitAndRun(int timeoutMs);

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

// A message loop for tests: Run returns at once; posted tasks wait in `posted` until the test
// runs them; a modal form runs `OnModal`, which plays the
// user, and ends when that sets the form's ModalResult (or it gives up and cancels).
class ScriptedMessageLoop : public IMessageLoop {
public:
    void Run() override {}
    void Quit() override { quitRequested = true; }
    void RunModal(TForm& form) override;
    void Post(std::function<void()> task) override { posted.Post(std::move(task)); }

    std::function<void(TForm&)> OnModal;
    PostedTasks posted;
    bool quitRequested = false;
};

}  // namespace tk
