#pragma once

// The shown folder follows the disk: a file that another program creates, deletes or renames
// there appears or goes within a second. A quarter-second timer of the application's clock asks
// the folder watch, so that the window never waits on it; a burst of changes (an unpacked
// archive, a copied folder) gives one listing when it has settled, or one a second while it
// lasts. The listing is the one a change of folder makes; the selected file stays selected and
// the viewer keeps what it shows.

#include "platform/FolderWatch.h"

#include <functional>
#include <memory>

namespace tk {
class TComponent;
class TTimer;
}  // namespace tk

namespace orvane {

class FolderFollower {
public:
    // The timer is made owned by `timerOwner` (the application) once started.
    explicit FolderFollower(tk::TComponent& timerOwner);
    ~FolderFollower();
    FolderFollower(const FolderFollower&) = delete;
    FolderFollower& operator=(const FolderFollower&) = delete;

    // Starts asking, once the application has its clock.
    void Start();
    // Watches the current folder from now on, before it is listed, so that no change made
    // while or after it is listed goes unseen. The same folder stays watched as it is.
    void WatchCurrentFolder();
    // One turn of the timer; the timer's handler.
    void Tick();

    // Lists the folder again, keeping the selection; none while no window lists it.
    std::function<void()> OnChange;

    static constexpr int IntervalMs = 250;
    // The turns a burst may last before it is listed all the same.
    static constexpr int LongestWait = 4;

private:
    tk::TComponent& m_timerOwner;
    platform::FolderWatch m_watch;
    // The application owns the timer, and either may go first: the follower never touches the
    // timer again once started, and the timer's handler reaches the follower only through this
    // pointer, which the follower clears as it goes.
    tk::TTimer* m_timer = nullptr;
    std::shared_ptr<FolderFollower*> m_self = std::make_shared<FolderFollower*>(this);
    bool m_pending = false;
    int m_waited = 0;
};

}  // namespace orvane
