#include "network/propagation.h"

#include "standard/judgement.h"

#include <algorithm>
#include <cmath>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

using Level = std::optional<double>;

Level minus(Level level, const Level& loss) {
    if (!level || !loss) return std::nullopt;
    return *level - *loss;
}

void judgeOutlet(OutletResult& outlet, const BandLoss& levels, const OutletCriteria& criteria) {
    for (size_t b = 0; b < BandCount; ++b)
        outlet.bands[b] = judgeOutletBand(levels[b], criteria[b]);
}

} // namespace

bool failsBand(const BandJudgement& j) {
    return j.verdict == OutletVerdict::Low || j.verdict == OutletVerdict::High ||
           j.verdict == OutletVerdict::NotRated;
}

// Per band: out-of-range and unrated outlets counted apart, and the lowest
// and highest rated levels.
void summariseOutlets(NetworkResult& r) {
    r.summary = {};
    r.failingOutlets = 0;
    for (int i = 0; i < int(r.outlets.size()); ++i) {
        const OutletResult& o = r.outlets[size_t(i)];
        for (size_t b = 0; b < BandCount; ++b) {
            BandSummary& s = r.summary[b];
            const Level& level = o.bands[b].level;
            if (!level) {
                ++s.unrated;
                continue;
            }
            if (failsBand(o.bands[b])) ++s.failing;
            if (s.worst < 0 || *level < *r.outlets[size_t(s.worst)].bands[b].level) s.worst = i;
            if (s.best < 0 || *level > *r.outlets[size_t(s.best)].bands[b].level) s.best = i;
        }
        if (o.fails()) ++r.failingOutlets;
    }
}

bool OutletResult::fails() const {
    return std::any_of(bands.begin(), bands.end(), failsBand);
}

const NodeResult* NetworkResult::node(NodeId id) const {
    const auto found = std::lower_bound(
        nodes.begin(), nodes.end(), id,
        [](const std::pair<NodeId, NodeResult>& n, NodeId key) { return n.first < key; });
    return found != nodes.end() && found->first == id ? &found->second : nullptr;
}

BandValues headEndLevels(const HeadEnd& head) {
    if (head.source != HeadSource::BoosterInputPlusGain) return head.levels;
    BandValues levels;
    for (size_t b = 0; b < BandCount; ++b)
        levels[b] = Bst_Input[b] + head.gain[b];
    return levels;
}

OutletCriteria outletCriteria(const Profile& profile) {
    OutletCriteria criteria;
    for (size_t b = 0; b < BandCount; ++b)
        criteria[b] = profile.bands[b].level;
    return criteria;
}

BandJudgement judgeOutletBand(std::optional<double> level, const std::optional<LevelRange>& range) {
    BandJudgement j;
    j.level = level;
    if (!level) {
        if (!range) j.verdict = OutletVerdict::NotRatedNoStandard;
        return j;
    }
    if (!range) {
        j.verdict = OutletVerdict::NoStandard;
        return j;
    }
    // A level a hundredth inside the range passes however it is shown.
    if (*level >= range->min + 0.01 && *level <= range->max - 0.01) {
        j.verdict = OutletVerdict::Pass;
        return j;
    }
    // Judged as the outlet table shows the level, as every verdict is.
    const Judgement shown = judgeLevel(*level, range);
    j.verdict = shown.verdict == Verdict::Low    ? OutletVerdict::Low
                : shown.verdict == Verdict::High ? OutletVerdict::High
                                                 : OutletVerdict::Pass;
    j.deviation = shown.margin;
    return j;
}

QString verdictText(const BandJudgement& j) {
    switch (j.verdict) {
    case OutletVerdict::NotRated:
    case OutletVerdict::NotRatedNoStandard:
        return QStringLiteral("非対応");
    case OutletVerdict::NoStandard:
        return standard::verdictText(Judgement{Verdict::NoCriterion, 0});
    case OutletVerdict::Pass:
        return standard::verdictText(Judgement{Verdict::Pass, 0});
    case OutletVerdict::Low:
        return standard::verdictText(Judgement{Verdict::Low, j.deviation});
    case OutletVerdict::High:
        return standard::verdictText(Judgement{Verdict::High, j.deviation});
    }
    return {};
}

void reachNode(const FlatNetwork& flat, size_t i, const BandValues& head, const NodeResult* parent,
               NodeResult& out) {
    const FlatNode& n = flat.nodes[i];
    for (size_t b = 0; b < BandCount; ++b) {
        const Level atPort =
            parent ? minus(parent->input[b],
                           flat.nodes[size_t(n.parent)].losses->ports[size_t(n.port)][b])
                   : Level(head[b]);
        out.input[b] = minus(atPort, n.losses->coax[b]);
    }
}

void nameOutlet(const FlatNode& n, int port, OutletResult& o) {
    o.node = n.id;
    o.port = port;
    o.name = n.outletName;
    o.room = n.node->setup.room;
    o.floor = n.node->setup.floor;
}

void judgeOutletPort(const FlatNode& n, const NodeResult& node, int port,
                     const OutletCriteria& criteria, OutletResult& o) {
    BandLoss levels;
    for (size_t b = 0; b < BandCount; ++b)
        levels[b] = minus(node.input[b], n.losses->ports[size_t(port)][b]);
    judgeOutlet(o, levels, criteria);
}

NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria) {
    const FlatNetwork& flat = network.flat();
    const BandValues head = headEndLevels(network.head);
    NetworkResult r;
    r.outlets.reserve(size_t(flat.outletPorts));
    std::vector<NodeResult> results(flat.nodes.size());
    for (size_t i = 0; i < flat.nodes.size(); ++i) {
        const FlatNode& n = flat.nodes[i];
        NodeResult& out = results[i];
        reachNode(flat, i, head, n.parent < 0 ? nullptr : &results[size_t(n.parent)], out);
        const NodeLosses& losses = *n.losses;
        for (size_t p = 0; p < losses.ports.size(); ++p) {
            if (!losses.outletPort[p]) continue;
            if (out.firstOutlet < 0) out.firstOutlet = int(r.outlets.size());
            OutletResult o;
            nameOutlet(n, int(p), o);
            judgeOutletPort(n, out, int(p), criteria, o);
            if (o.fails()) ++out.failingBelow;
            r.outlets.push_back(std::move(o));
        }
    }
    // Failures add up towards the head end.
    for (size_t i = flat.nodes.size(); i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            results[size_t(flat.nodes[i].parent)].failingBelow += results[i].failingBelow;
    summariseOutlets(r);
    r.nodes.reserve(flat.nodes.size() + 1);
    NodeResult headResult;
    for (size_t b = 0; b < BandCount; ++b)
        headResult.input[b] = head[b];
    headResult.failingBelow = r.failingOutlets;
    r.nodes.emplace_back(HeadEndId, headResult);
    for (int i : flat.byId)
        r.nodes.emplace_back(flat.nodes[size_t(i)].id, std::move(results[size_t(i)]));
    return r;
}

NetworkResult computeNetwork(const Network& network, const Profile& profile) {
    return computeNetwork(network, outletCriteria(profile));
}

} // namespace miravel::network
