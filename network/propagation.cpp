#include "network/propagation.h"

#include "common/numformat.h"

#include <algorithm>

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

bool failsBand(const BandJudgement& j) {
    return j.verdict == OutletVerdict::Low || j.verdict == OutletVerdict::High ||
           j.verdict == OutletVerdict::NotRated;
}

void summarise(NetworkResult& r) {
    for (int i = 0; i < int(r.outlets.size()); ++i) {
        const OutletResult& o = r.outlets[size_t(i)];
        for (size_t b = 0; b < BandCount; ++b) {
            BandSummary& s = r.summary[b];
            if (failsBand(o.bands[b])) ++s.failing;
            const Level& level = o.bands[b].level;
            if (!level) continue;
            if (s.worst < 0 || *level < *r.outlets[size_t(s.worst)].bands[b].level) s.worst = i;
            if (s.best < 0 || *level > *r.outlets[size_t(s.best)].bands[b].level) s.best = i;
        }
        if (o.fails()) ++r.failingOutlets;
    }
}

} // namespace

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

BandJudgement judgeOutletBand(std::optional<double> level, const LevelRange& range) {
    BandJudgement j;
    j.level = level;
    if (!level) return j; // NotRated
    if (!range.min && !range.max) {
        j.verdict = OutletVerdict::NoStandard;
    } else if (range.min && *level < *range.min) {
        j.verdict = OutletVerdict::Low;
        j.deviation = *level - *range.min;
    } else if (range.max && *level > *range.max) {
        j.verdict = OutletVerdict::High;
        j.deviation = *level - *range.max;
    } else {
        j.verdict = OutletVerdict::Pass;
    }
    return j;
}

QString verdictText(const BandJudgement& j) {
    switch (j.verdict) {
    case OutletVerdict::Pass:
        return QStringLiteral("適合");
    case OutletVerdict::Low:
        return QStringLiteral("不足 −") + Fmt2(-j.deviation) + QStringLiteral(" dB");
    case OutletVerdict::High:
        return QStringLiteral("過大 +") + Fmt2(j.deviation) + QStringLiteral(" dB");
    case OutletVerdict::NoStandard:
        return QStringLiteral("基準なし");
    case OutletVerdict::NotRated:
        return QStringLiteral("非対応");
    }
    return {};
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
        for (size_t b = 0; b < BandCount; ++b) {
            const Level atPort =
                n.parent < 0 ? Level(head[b])
                             : minus(results[size_t(n.parent)].input[b],
                                     flat.nodes[size_t(n.parent)].losses->ports[size_t(n.port)][b]);
            out.input[b] = minus(atPort, n.losses->coax[b]);
        }
        const NodeLosses& losses = *n.losses;
        for (size_t p = 0; p < losses.ports.size(); ++p) {
            if (!losses.outletPort[p]) continue;
            if (out.firstOutlet < 0) out.firstOutlet = int(r.outlets.size());
            OutletResult o;
            o.node = n.id;
            o.port = int(p);
            o.name = n.outletName;
            o.room = n.node->spec.room;
            o.floor = n.node->spec.floor;
            BandLoss levels;
            for (size_t b = 0; b < BandCount; ++b)
                levels[b] = minus(out.input[b], losses.ports[p][b]);
            judgeOutlet(o, levels, criteria);
            if (o.fails()) ++out.failingBelow;
            r.outlets.push_back(std::move(o));
        }
    }
    // Failures add up towards the head end.
    for (size_t i = flat.nodes.size(); i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            results[size_t(flat.nodes[i].parent)].failingBelow += results[i].failingBelow;
    summarise(r);
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
