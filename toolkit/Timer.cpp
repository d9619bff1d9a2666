#include "toolkit/Timer.h"

#include "toolkit/Application.h"

namespace tk {

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    if (m_runningOn)
        m_runningOn->StopTimer(*this);
}

void TTimer::SetInterval(int interval)
{
    m_interval = interval;
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (m_runningOn) {
        m_runningOn->StopTimer(*this);
        m_runningOn = nullptr;
    }
    IClock* clock = Application() ? Application()->Clock() : nullptr;
    if (!clock || !m_enabled || m_interval <= 0)
        return;
    m_runningOn = clock;
    clock->StartTimer(*this, m_interval);
}

void TTimer::Fire()
{
    if (!m_enabled || !OnTimer)
        return;
    if (TApplication* application = Application())
        application->RunHandler([this] { OnTimer(this); });
    else
        OnTimer(this);
}

void TTimer::DescribeProperties(TPropertyList& list) const
{
    TComponent::DescribeProperties(list);
    list.Add("Interval", TPropertyValue::Integer(m_interval));
    list.Add("Enabled", TPropertyValue::Boolean(m_enabled));
}

}  // namespace tk
