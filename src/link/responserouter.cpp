#include "link/responserouter.h"

#include <algorithm>

namespace kapstat::link {

void ResponseRouter::add(quint8 code, std::optional<OperationName> op, std::optional<int> step,
                         Handler handler)
{
    Route route{code, op, step, std::move(handler)};
    const auto position =
        std::upper_bound(m_routes.begin(), m_routes.end(), route.specificity(),
                         [](int s, const Route& r) { return s < r.specificity(); });
    m_routes.insert(position, std::move(route));
}

bool ResponseRouter::dispatch(const ResponseBytes& response, const Operation& outstanding) const
{
    bool matched = false;
    // Copied: a handler may register further rows while it runs.
    const QList<Route> routes = m_routes;
    for (const Route& route : routes) {
        if (route.code != response.code() || !route.matches(outstanding))
            continue;
        matched = true;
        if (route.handler(response, outstanding) == RouteFlow::Stop)
            break;
    }
    return matched;
}

void ResponseRouter::finish(const Operation& outstanding) const
{
    const QList<FinishRoute> wrapUps = m_wrapUps;
    for (const FinishRoute& route : wrapUps)
        if (route.op == outstanding.name && (!route.step || *route.step == outstanding.step))
            route.wrapUp(outstanding);
}

} // namespace kapstat::link
