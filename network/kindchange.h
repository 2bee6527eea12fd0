#pragma once
// 種類の変更: a node becomes another kind of part (a brancher a distributor,
// or back) and keeps what hangs below it. Each run goes to the matching
// output of the new part: a brancher's tap k to the distributor's output k,
// its through port to the distributor's last output (the riser), and back;
// a run whose matching output is missing or taken takes the first free one.
// When runs are left over, nothing changes and the refusal names them.

#include "network/networkmodel.h"

#include <utility>
#include <vector>

namespace miravel::network {

struct KindChangePlan {
    std::vector<std::pair<NodeId, int>> moves; // each child and its new port, in display order
    std::vector<NodeId> homeless;              // children the new part has no output for
};

// Where each child of `id` would go if its component became `to`.
KindChangePlan planKindChange(const Network& network, NodeId id, const Component& to);

// Changes the component and moves the children as planned, or raises
// UserError naming the children that cannot move, changing nothing.
void changeKind(Network& network, NodeId id, const Component& to);

} // namespace miravel::network
