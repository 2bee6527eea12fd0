#pragma once
// 階を追加: whole floors in one edit. Each floor is a riser run into a
// brancher or distributor, its rooms on the outputs (a TV outlet each, or a
// chain of series units per output when there are more rooms than outputs),
// rooms numbered floor × 100 + room. The riser goes on through each
// brancher's through port; on a distributor floor below another new floor the
// last output carries the riser on and the others feed rooms.

#include "network/networkmodel.h"

#include <vector>

namespace miravel::network {

constexpr int MaxFloorNumber = 999;
constexpr int MaxRoomsPerFloor = 99; // room numbers stay within the floor's hundred

struct FloorPlan {
    int firstFloor = 1; // floor number of the first new floor
    int floors = 1;
    int rooms = 4; // per floor
    CoaxRun riser{QStringLiteral("S-7C-FB"), 3};
    Component hub{ComponentKind::Brancher, 4, false, {}, {}}; // a brancher or distributor
    CoaxRun drop{QStringLiteral("S-5C-FB"), 5};
    // A TV outlet model, or a series-unit type whose units chain on each
    // output; the chain's last unit is its end unit.
    Component outlet{ComponentKind::Outlet, 4, false, {}, {}};
    double linkMetres = 4; // between the series units of a chain, drop cable
};

// The node under which new floors hang: from `from` down the riser (a
// brancher's through port, a distributor's last output) to its last hub.
NodeId riserEnd(const Network& network, NodeId from);

// Adds the floors below the riser's end under `from`; returns the new hubs,
// lowest floor first. Every check comes first: a refusal (UserError with a
// Japanese message) changes nothing.
std::vector<NodeId> addFloors(Network& network, NodeId from, const FloorPlan& plan);

} // namespace miravel::network
