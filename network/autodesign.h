#pragma once
// Automatic choice of parts (自動設計): for the drawn tree, a model of the
// same kind for every brancher, distributor and series unit, and the head-end
// levels, so that every outlet passes every band the profile judges with the
// widest margin; of designs with the same margin the cheaper one.
//
// Exact: bottom up, every subtree keeps the choices below it as boxes, per
// judged band the least and most loss from its input to an outlet, and a
// cost. A box whose losses lie inside another's and that costs no less is
// dropped (it can never do better), as is one whose own spread already rules
// out the margin of a design known to be reachable.

#include "network/designsearch.h"
#include "network/headwindow.h"

#include <vector>

namespace miravel::network {

// Every catalogue model of the distributors, branchers and series units.
DesignOptions catalogueDesignOptions();

// The catalogue's models, and for a user part every user part of the
// network and of the user's `library` (one it fits: same outlets, a port
// for every run).
DesignOptions designOptions(const Network& network, const std::vector<UserComponent>& library);

// The candidates `node` may take, its own part among them where it fits.
std::vector<Component> fittingCandidates(const Network& network, NodeId node,
                                         const DesignOptions& options);

struct DesignChange {
    NodeId node = 0;
    Component before, after;
};

struct DesignResult {
    std::vector<DesignChange> changes;     // parts that change, in tree order
    HeadEnd head;                          // the head end of the design
    std::vector<UserComponent> addedParts; // library parts the design defines in the network
    // The smallest margin of any outlet in any judged band with the head end
    // in the middle of each band's window; negative when none passes.
    double margin = 0;
    double cost = 0;
    NetworkResult result; // of the designed network
    HeadWindow window;    // of the designed network, before the head end is set
    // When some outlet fails: per judged band, the widest margin any design
    // reaches in that band alone (nothing: a part on the way is not rated).
    std::array<std::optional<double>, NetBandCount> bestBandMargin{};
    bool passes() const { return result.failingOutlets == 0; }
};

DesignResult autoDesign(const Network& network, const OutletCriteria& criteria,
                        const DesignOptions& options = catalogueDesignOptions());

// Sets the design's parts and head end (one edit on the screen).
void applyDesign(Network& network, const DesignResult& design);

// The changes of `network`'s design, one line each ("分岐器 CS-C2 → CS-C4
// （101 (1F) ほかへ）"), the head end, the margin, and, when some outlet
// cannot pass, which and the best margin per band.
QStringList designReport(const Network& network, const DesignResult& design);

} // namespace miravel::network
