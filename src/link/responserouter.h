#pragma once

#include "link/operation.h"
#include "link/responsebytes.h"

#include <QList>
#include <functional>
#include <optional>
#include <type_traits>

namespace kapstat::link {

// Whether the handlers after this one (the more specific rows of the code) still run.
enum class RouteFlow
{
    Continue,
    Stop
};

// Every subsystem registers here what a response means under the outstanding operation, so that
// the whole dispatch table reads in one place. For one response, every matching row runs, the
// general ones (any operation, any step) first, then by operation, then by operation and step.
class ResponseRouter
{
public:
    using Handler = std::function<RouteFlow(const ResponseBytes&, const Operation& outstanding)>;
    using WrapUp = std::function<void(const Operation& outstanding)>;

    template <typename F> void onCode(quint8 code, F&& handler)
    {
        add(code, {}, {}, wrap(std::forward<F>(handler)));
    }
    template <typename F> void on(quint8 code, OperationName op, F&& handler)
    {
        add(code, op, {}, wrap(std::forward<F>(handler)));
    }
    template <typename F> void on(quint8 code, OperationName op, int step, F&& handler)
    {
        add(code, op, step, wrap(std::forward<F>(handler)));
    }
    template <typename F> void onStep(quint8 code, int step, F&& handler)
    {
        add(code, {}, step, wrap(std::forward<F>(handler)));
    }

    // FinishOperation's wrap-up for an operation, for all its steps or for one.
    void onFinish(OperationName op, WrapUp wrapUp)
    {
        m_wrapUps.append({op, {}, std::move(wrapUp)});
    }
    void onFinish(OperationName op, int step, WrapUp wrapUp)
    {
        m_wrapUps.append({op, step, std::move(wrapUp)});
    }

    // Runs the rows of the response's code; false when the code has none.
    bool dispatch(const ResponseBytes& response, const Operation& outstanding) const;
    void finish(const Operation& outstanding) const;

private:
    struct Route
    {
        quint8 code;
        std::optional<OperationName> op;
        std::optional<int> step;
        Handler handler;
        int specificity() const { return (op ? 2 : 0) + (step ? 1 : 0); }
        bool matches(const Operation& o) const
        {
            return (!op || *op == o.name) && (!step || *step == o.step);
        }
    };
    struct FinishRoute
    {
        OperationName op;
        std::optional<int> step;
        WrapUp wrapUp;
    };

    template <typename F> static Handler wrap(F&& f)
    {
        if constexpr (std::is_same_v<
                          std::invoke_result_t<F, const ResponseBytes&, const Operation&>,
                          RouteFlow>)
            return Handler(std::forward<F>(f));
        else
            return [g = std::forward<F>(f)](const ResponseBytes& r, const Operation& o) {
                g(r, o);
                return RouteFlow::Continue;
            };
    }
    void add(quint8 code, std::optional<OperationName> op, std::optional<int> step,
             Handler handler);

    QList<Route> m_routes; // kept sorted by specificity, stable within one
    QList<FinishRoute> m_wrapUps;
};

} // namespace kapstat::link
