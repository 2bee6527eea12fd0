#pragma once
// Levels through the network and the judgement of every outlet.
//
// Level at a port = level at the parent port - coax loss - component port
// loss, per band (a booster's port loss is minus its gain). A band for which
// some part on the way is not rated stays unrated ("非対応") below it, and an
// outlet fails such a band when the profile has a range for it.
//
// C/N: the head end's and every booster stage's (Ei - NF - Nth, Ei the
// stage's input) add up as noise, 1/CN = Σ 1/CNᵢ in linear power; passive
// parts lower carrier and noise alike.

#include "network/networkmodel.h"
#include "network/outletresults.h"
#include "standard/criteria.h"

#include <QString>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace miravel::network {

// An outlet's names, looked up in the network it was computed from ("" for
// a node no longer there): "room (floor)" or what there is of it, room, floor.
QString outletName(const Network& network, NodeId outlet);
inline QString outletName(const Network& network, const OutletResult& outlet) {
    return outletName(network, outlet.node);
}
const QString& outletRoom(const Network& network, const OutletResult& outlet);
const QString& outletFloor(const Network& network, const OutletResult& outlet);

struct BandSummary {
    int worst = -1;  // index in outlets of the lowest rated level, -1 when none
    int best = -1;   // of the highest
    int failing = 0; // outlets whose level is out of the range
    int unrated = 0; // outlets not rated for this band ("非対応"), apart from failing
};

// Why a booster fails a band: its input below the minimum for its rated NF,
// or its output above its rated maximum.
enum class BoosterFault : std::uint8_t { None, InputLow, OutputHigh };

struct NodeResult {
    PackedBands input{}; // level after the incoming run, before the component
    // Σ 1/CNᵢ (linear) after the node, per band, by its place in the
    // result's table (OutletResults::noiseSums); nothing when not reckoned.
    std::uint32_t noise = 0;
    std::uint8_t estimated = 0; // a bit per band: `input` rests on an estimated cable loss
    std::array<BoosterFault, NetBandCount> booster{}; // boosters only
    int firstOutlet = -1; // index of the node's first outlet port, -1 when none
    int failingBelow = 0; // outlets at or below the node failing any band
    bool boosterFails() const;
    bool estimatedIn(int band) const { return (estimated >> band) & 1u; }
};

struct NetworkResult {
    OutletResults outlets; // in tree order
    std::array<BandSummary, NetBandCount> summary;
    int failingOutlets = 0;
    std::vector<NodeId> failingBoosters; // in tree order
    bool judgedAtBandEdges = false;      // the cable losses were taken at the band edges
    bool fails() const { return failingOutlets > 0 || !failingBoosters.empty(); }
    // Per node: the head end's output first, then each node's in tree
    // order (at its flat index + 1), and where each id is.
    std::vector<NodeResult> nodes;
    std::shared_ptr<const IdIndex> byId = std::make_shared<IdIndex>();
    const NodeResult* node(NodeId id) const; // HeadEndId: the head end's
    // The nodes in the order of increasing id, the head end's first.
    size_t nodeCount() const { return nodes.size(); }
    NodeId idInOrder(size_t k) const { return k == 0 ? HeadEndId : byId->entries[k - 1].first; }
    const NodeResult& resultInOrder(size_t k) const {
        return nodes[k == 0 ? 0 : size_t(byId->entries[k - 1].second) + 1];
    }
};

// The head end's output levels, Bst_Input + gain for that source (the left
// band from BS's input).
NetBandValues headEndLevels(const HeadEnd& head);
// The head end's noise, Σ 1/CNᵢ per band, or nothing when not reckoned.
std::array<std::optional<double>, NetBandCount> headEndNoise(const HeadEnd& head,
                                                             const OutletCriteria& criteria);

// One node: the signal at its input from the level and noise at the input
// of its parent (or the head end's output), through the parent's port, the
// incoming run and, for a booster, its stage, whose noise sums go into the
// table `sums` keeps. The one place of the per-node arithmetic; inline, as
// it runs for every node of every computation.
inline void computeNode(const NodeResult& above, const FlatSteps& steps,
                        const OutletCriteria& criteria, OutletResults& sums, NodeResult& out);
// A booster's stage on the input reached: its faults, and its noise added.
void boosterStage(const BoosterSpec& sheet, const OutletCriteria& criteria, OutletResults& sums,
                  NodeResult& out);
// C/N in dB of a noise sum; nothing for nothing.
std::optional<double> cnOfNoise(const std::optional<double>& noise);

// The steps of a computation over the flattened tree, for the computation
// below and for keeping its result up to date after an edit
// (levelupdate.h): the head end as a node result, the parent of the nodes
// below it in computeNode ...
NodeResult headEndResult(const HeadEnd& head, const OutletCriteria& criteria, OutletResults& sums);
// ... what judging an outlet port found, a bit per band ...
constexpr unsigned AllNetBands = (1u << NetBandCount) - 1;
struct OutletBands {
    unsigned failing = 0; // it fails the band (not rated, where there is a range, too)
    unsigned rated = 0;
};
// ... the outlets summarised as they are judged, in tree order: the
// counts per band and the lowest and highest level, kept per block of
// outlets so that after an edit only its blocks are looked at again ...
struct OutletTally {
    static constexpr int BlockOutlets = 256;
    struct Extreme {
        int worst = -1, best = -1;
        double worstLevel = std::numeric_limits<double>::infinity();
        double bestLevel = -std::numeric_limits<double>::infinity();
        // The first outlet of the lowest (highest) level, as one pass finds
        // it; a level not rated (NaN) is neither.
        void widen(int outlet, double level) {
            if (level < worstLevel) worst = outlet, worstLevel = level;
            if (level > bestLevel) best = outlet, bestLevel = level;
        }
    };
    using Extremes = std::array<Extreme, NetBandCount>;
    std::vector<Extremes> blocks;

    void begin(NetworkResult& result); // no outlet counted yet
    // One outlet judged: its levels widen its block's extremes, and its
    // bands are counted.
    void addOutlet(int outlet, const OutletRecord& record, OutletBands bands) {
        Extremes& block = blocks[size_t(outlet) / BlockOutlets];
#pragma GCC unroll 8
        for (size_t b = 0; b < NetBandCount; ++b)
            block[b].widen(outlet, record.level[b]);
        ++m_failing[bands.failing & bands.rated];
        ++m_unrated[~bands.rated & AllNetBands];
    }
    // The counts of outlets first..end added (sign +1) or taken away (-1),
    // and the extremes of the blocks holding them measured again.
    void count(NetworkResult& result, int first, int end, int sign);
    void measure(const NetworkResult& result, int first, int end);
    // The result's summary: the counts, and the extremes from the blocks'.
    void finish(NetworkResult& result) const;

private:
    // Outlets by the rated bands they fail (not rated), counted per band at
    // the end.
    std::array<int, AllNetBands + 1> m_failing{}, m_unrated{};
};
// ... the verdict of an outlet's level in a band: well inside or outside
// its range at once, near an edge as the outlet table shows the level ...
struct BandWindows {
    explicit BandWindows(const OutletCriteria& criteria);
    OutletVerdict verdict(size_t band, double level) const { // NaN: not rated
        return isInside(band, level) ? inside[band] : verdictOutside(band, level);
    }
    // Inside: a hundredth or more within the range (any rated level where
    // there is none).
    bool isInside(size_t band, double level) const {
        return level >= passFrom[band] && level <= passTo[band];
    }
    OutletVerdict verdictOutside(size_t band, double level) const {
        if (level < lowBelow[band]) return OutletVerdict::Low;
        if (level > highAbove[band]) return OutletVerdict::High;
        if (level != level) return notRated[band];
        return verdictNearRange(band, level);
    }
    // A level within a hundredth of an edge, or not rated.
    OutletVerdict verdictNearRange(size_t band, double level) const;
    const OutletCriteria& criteria;
    // A band without a range takes every rated level in, as NoStandard.
    NetBandValues passFrom, passTo, lowBelow, highAbove;
    std::array<OutletVerdict, NetBandCount> inside, notRated;
};
// ... and one of a node's outlet ports judged as outlet `index` (its node
// and port already written). Inline, as it runs for every outlet of every
// computation.
inline OutletBands judgeOutletPort(const FlatOutlet& port, const NodeResult& node,
                                   const BandWindows& windows, OutletResults& outlets, int index) {
    OutletRecord& r = outlets.record(size_t(index));
    unsigned failing = 0, unrated = 0;
#pragma GCC unroll 8
    for (size_t b = 0; b < NetBandCount; ++b) {
        const double level = *node.input[b] - *(*port.loss)[b];
        r.level[b] = level;
        if (windows.isInside(b, level)) { // rated, and failing by its C/N only
            r.verdict[b] = windows.inside[b];
            continue;
        }
        OutletVerdict v;
        if (level != level) {
            v = windows.notRated[b];
            unrated |= 1u << b;
        } else {
            v = windows.verdictOutside(b, level);
        }
        r.verdict[b] = v;
        failing |= unsigned(failsBand(v, false)) << b;
    }
    OutletBands found;
    found.rated = ~unrated & AllNetBands;
    found.failing = failing | (outlets.cnLowBands(node.noise) & found.rated);
    r.estimated = std::uint8_t(node.estimated & found.rated);
    r.noise = node.noise;
    return found;
}

// Levels of every node and outlet, judged against the criteria. Reads only
// converted numbers; throws nothing.
// The tally, when given, is left as the outlets' summary was taken.
NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria,
                             OutletTally* tally = nullptr);
NetworkResult computeNetwork(const Network& network, const standard::Profile& profile);

// One band's verdict for a level (nothing: not rated).
BandJudgement judgeOutletBand(std::optional<double> level,
                              const std::optional<standard::LevelRange>& range);

// "非対応" for a band the outlet does not carry, else standard::verdictText;
// "（推定）" after it when the level is estimated.
QString verdictText(const BandJudgement& judgement);
// The C/N as the views show it ("38.21", "" when not reckoned) and its
// verdict ("適合", "不足 −1.00 dB", "基準なし", "" when not reckoned).
QString cnText(const BandJudgement& judgement);
QString cnVerdictText(const BandJudgement& judgement);
// "ケーブル損失: カタログの周波数（220/770/1300/1770/3224 MHz）" or the band edges.
QString cableJudgingText(bool atBandEdges);

// The loops over the bands of the computation are unrolled at -O2 too (the
// RelWithDebInfo build the start script makes), which would leave them as
// loops of five.

// NaN (not rated) carries through each subtraction, as nothing would.
inline void computeNode(const NodeResult& above, const FlatSteps& steps,
                        const OutletCriteria& criteria, OutletResults& sums, NodeResult& out) {
#pragma GCC unroll 8
    for (size_t b = 0; b < NetBandCount; ++b)
        out.input[b] = (*above.input[b] - *(*steps.up)[b]) - steps.coax[b];
    out.estimated = above.estimated | steps.coaxEstimated;
    out.noise = above.noise;
    out.booster = {};
    if (steps.booster) boosterStage(*steps.booster, criteria, sums, out);
}

} // namespace miravel::network
