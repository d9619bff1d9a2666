#include "viewers/Viewers.h"

#include <utility>

namespace orvane {

TViewers::TViewers(Parts parts, State state, Services services)
    : m_parts(parts), m_state(state), m_services(std::move(services))
{
}

std::array<TViewerPane, 3> TViewers::Panes() const
{
    return {m_services.pane(TArrangement::Separate), m_services.pane(TArrangement::Under),
            m_services.pane(TArrangement::Right)};
}

}  // namespace orvane
