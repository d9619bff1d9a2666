#include "toolkit/Headless.h"

#include "dos/DosText.h"

#include "toolkit/Form.h"
#include "toolkit/Timer.h"

#include <algorithm>

namespace tk {

void ManualClock::StartTimer(TTimer& timer, int intervalMs)
{
    StopTimer(timer);
    m_entries.push_back({&timer, intervalMs, m_now + intervalMs, m_nextOrder++});
}

void ManualClock::StopTimer(TTimer& timer)
{
    std::erase_if(m_entries, [&](const Entry& entry) { return entry.timer == &timer; });
}

bool ManualClock::IsRunning(const TTimer& timer) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& entry) { return entry.timer == &timer; });
}

void ManualClock::Advance(int64_t ms)
{
    int64_t target = m_now + std::max<int64_t>(ms, 0);
    for (;;) {
        auto next = std::min_element(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == m_entries.end() || next->due > target)
            break;
        m_now = next->due;
        next->due += std::max(next->interval, 1);
        next->order = m_nextOrder++;
        // The handler may stop, restart or free timers, so nothing is kept across the call.
        next->timer->Fire();
    }
    m_now = target;
}

int RecordingDialogs::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    boxes.push_back({text, caption, flags});
    if (Answer)
        return Answer(boxes.back());
    switch (flags & mbButtonMask) {
    case mbYesNo: return mrYes;
    default: return mrOk;
    }
}

int EstimatedTextMetrics::TextWidth(const TFont& font, const std::string& text)
{
    int full = font.PixelHeight();
    int half = (full + 1) / 2;
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (dos::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            width += full;
            ++i;
        } else {
            width += half;
        }
    }
    return width;
}

int EstimatedTextMetrics::TextHeight(const TFont& font)
{
    return font.PixelHeight();
}

void PostedTasks::Post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_all();
}

int PostedTasks::RunPending()
{
    int ran = 0;
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                return ran;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
        ++ran;
    }
}

bool PostedTasks::WaitAndRun(int timeoutMs)
{
    {
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_tasks.empty(); }))
            return false;
    }
    RunPending();
    return true;
}

void ScriptedMessageLoop::RunModal(TForm& form)
{
    if (OnModal)
        OnModal(form);
    if (form.ModalResult() == mrNone)
        form.SetModalResult(mrCancel);
}

}  // namespace tk
