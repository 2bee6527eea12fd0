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

// A chosen library part the network lacks is defined in it.
void takeInLibraryPart(Network& designed, DesignResult& design, const DesignOptions& options,
                       const Component& chosen) {
    if (chosen.kind != ComponentKind::User || designed.userComponent(chosen.userName)) return;
    for (const UserComponent& part : options.libraryParts)
        if (part.name == chosen.userName) {
            designed.setUserComponent(part);
            design.addedParts.push_back(part);
        }
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

DesignOptions designOptions(const Network& network, const std::vector<UserComponent>& library) {
    DesignOptions options = catalogueDesignOptions();
    std::vector<Component>& users = options.candidates[ComponentKind::User];
    auto add = [&](const UserComponent& part) {
        Component c;
        c.kind = ComponentKind::User;
        c.userName = part.name;
        users.push_back(c);
    };
    for (const UserComponent& part : network.userComponents())
        add(part);
    for (const UserComponent& part : library)
        if (!network.userComponent(part.name)) {
            add(part);
            options.libraryParts.push_back(part);
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
        takeInLibraryPart(designed, design, options, after);
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
    for (const UserComponent& part : design.addedParts)
        network.setUserComponent(part);
    for (const DesignChange& change : design.changes) {
        NodeSetup setup = network.node(change.node).setup;
        setup.component = change.after;
        network.setSetup(change.node, setup);
    }
    network.setHead(design.head);
}

} // namespace miravel::network
