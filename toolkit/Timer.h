#pragma once

#include "toolkit/Component.h"

namespace tk {

class IClock;

// Fires OnTimer every Interval milliseconds while Enabled, on the application's clock.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    int Interval() const { return m_interval; }
    // Setting the interval of a running timer starts its count anew, even to the same value.
    void SetInterval(int interval);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

    // The clock calls this when the interval has passed; so does the probe's `timer` command.
    void Fire();

    void DescribeProperties(TPropertyList& list) const override;

private:
    void UpdateTimer();

    int m_interval = 1000;
    bool m_enabled = true;
    IClock* m_runningOn = nullptr;
};

}  // namespace tk
