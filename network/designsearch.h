#pragma once
// The exact search of the automatic choice of parts: bottom up, every
// subtree keeps its choices as boxes of least and most loss to its outlets
// per judged band, with their cost (see autodesign.h).

#include "network/propagation.h"

#include <functional>
#include <limits>
#include <map>
#include <vector>

namespace miravel::network {

struct DesignOptions {
    // The components a node of each kind may take. A node takes those that
    // keep its outlets and give each of its runs a port; kinds not listed
    // keep their part.
    std::map<ComponentKind, std::vector<Component>> candidates;
    // User parts from the user's parts library that the network does not
    // define; a chosen one is defined in the network when the design is set.
    std::vector<UserComponent> libraryParts;
    // What a component costs; empty: its number of outputs.
    std::function<double(const Component&)> cost;
};

// A component a node may take, converted, with its cost.
struct DesignCandidate {
    Component component;
    NodeLosses losses;
    double cost = 0;
};

// The candidates of `node` that keep its outlets and give each of its runs a
// port; its own part alone when its kind has none.
std::vector<DesignCandidate> designCandidates(const Network& network, const NetNode& node,
                                              const DesignOptions& options);

struct DesignChoice {
    std::vector<int> pick; // per node of the flattened tree, its candidate; empty: none found
    // The smallest over the bands; -inf where a part is not rated.
    double margin = -std::numeric_limits<double>::infinity();
    double cost = 0;
};

// The design with the widest margin in `bands` (indices of judged bands of
// `criteria`), then the lowest cost.
DesignChoice searchDesign(const Network& network, const OutletCriteria& criteria,
                          const std::vector<size_t>& bands, const DesignOptions& options);

} // namespace miravel::network
