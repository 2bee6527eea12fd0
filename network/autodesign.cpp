#include "network/autodesign.h"

#include "common/errors.h"
#include "network/catalogparts.h"
#include "network/designsearch.h"

#include <cmath>

using namespace miravel::common;

namespace miravel::network {

namespace {

std::vector<size_t> judgedBands(const OutletCriteria& criteria) {
    std::vector<size_t> bands;
    for (size_t b = 0; b < criteria.level.size(); ++b)
        if (criteria.level[b]) bands.push_back(b);
    return bands;
}

} // namespace

DesignOptions catalogueDesignOptions() {
    DesignOptions options;
    for (ComponentKind kind :
         {ComponentKind::Distributor, ComponentKind::Brancher, ComponentKind::SeriesUnit}) {
        std::vector<Component>& list = options.candidates[kind];
        for (int m = 1; m <= int(catalogueModelNames(kind).size()); ++m) {
            Component c;
            c.kind = kind;
            c.model = m;
            list.push_back(c);
        }
    }
    return options;
}

std::vector<Component> fittingCandidates(const Network& network, NodeId node,
                                         const DesignOptions& options) {
    std::vector<Component> out;
    for (const DesignCandidate& c : designCandidates(network, network.node(node), options))
        out.push_back(c.component);
    return out;
}

DesignResult autoDesign(const Network& network, const OutletCriteria& criteria,
                        const DesignOptions& options) {
    const std::vector<size_t> bands = judgedBands(criteria);
    const DesignChoice best = searchDesign(network, criteria, bands, options);
    DesignResult design;
    design.margin = best.margin;
    design.cost = best.cost;
    const FlatNetwork& flat = network.flat();
    Network designed = network;
    for (size_t i = 0; i < flat.nodes.size() && !best.pick.empty(); ++i) {
        const NetNode& n = *flat.nodes[i].node;
        const Component after =
            designCandidates(network, n, options)[size_t(best.pick[i])].component;
        if (after == n.setup.component) continue;
        design.changes.push_back({n.id, n.setup.component, after});
        NodeSetup setup = n.setup;
        setup.component = after;
        designed.setSetup(n.id, setup);
    }
    const NetworkResult before = computeNetwork(designed, criteria);
    design.window = headEndWindow(before, criteria, headEndLevels(designed.head));
    try {
        designed.setHead(headAtWindowMiddle(designed.head, design.window));
    } catch (const UserError&) {
        // beyond the head end's limits: the levels stay as they were
    }
    design.head = designed.head;
    design.result = computeNetwork(designed, criteria);
    if (design.passes()) return design;
    for (size_t b : bands) {
        const DesignChoice alone = searchDesign(network, criteria, {b}, options);
        if (std::isfinite(alone.margin)) design.bestBandMargin[b] = alone.margin;
    }
    return design;
}

void applyDesign(Network& network, const DesignResult& design) {
    for (const DesignChange& change : design.changes) {
        NodeSetup setup = network.node(change.node).setup;
        setup.component = change.after;
        network.setSetup(change.node, setup);
    }
    network.setHead(design.head);
}

} // namespace miravel::network
