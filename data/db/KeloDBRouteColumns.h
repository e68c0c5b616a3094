#pragma once

#include "KeloDBConnectionClass.h"
#include "KeloFeedPlan.h"

#include <cstdint>
#include <optional>

// Binds a kelo's route to four columns in a row from `first` on (id, short name, long name,
// type), all NULL for a kelo without one: one place for the builder and the store.
inline void KeloDBBindRoute(KeloDBStatementClass& statement, int first,
                            const std::optional<KeloFeedRouteType>& route) {
    if (!route) {
        for (int column = first; column < first + 4; ++column)
            statement.BindNull(column);
        return;
    }
    statement.Bind(first, route->id);
    statement.Bind(first + 1, route->shortName);
    statement.Bind(first + 2, route->longName);
    statement.Bind(first + 3, static_cast<std::int64_t>(route->type));
}
