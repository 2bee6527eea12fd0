#include "network/propagation.h"

#include "common/numformat.h"
#include "standard/judgement.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

using Noise = std::array<std::optional<double>, NetBandCount>;

constexpr double NotRated = std::numeric_limits<double>::quiet_NaN();

// 1/CN of a stage in linear power.
double stageNoise(double cnDb) {
    return std::pow(10.0, -cnDb / 10);
}

OutletVerdict outletVerdict(Verdict v) {
    return v == Verdict::NoCriterion ? OutletVerdict::NoStandard
           : v == Verdict::Low       ? OutletVerdict::Low
           : v == Verdict::High      ? OutletVerdict::High
                                     : OutletVerdict::Pass;
}

// A band's verdict for a level (NaN: not rated), judged as the outlet table
// shows the level, as every verdict is.
BandJudgement judgeLevelAt(double level, const std::optional<LevelRange>& range) {
    BandJudgement j;
    j.level = level;
    if (level != level) {
        if (!range) j.verdict = OutletVerdict::NotRatedNoStandard;
        return j;
    }
    const Judgement judged = judgeLevel(level, range);
    j.verdict = outletVerdict(judged.verdict);
    j.deviation = judged.margin;
    return j;
}

} // namespace

// A booster's stage on the input reached: its faults, and its noise added.
void boosterStage(const BoosterSpec& sheet, const OutletCriteria& criteria, OutletResults& sums,
                  NodeResult& out) {
    PackedBands noise = sums.noiseSums(out.noise);
    for (size_t b = 0; b < NetBandCount; ++b) {
        if (!out.input[b] || !sheet.gain[b]) continue;
        const double in = *out.input[b];
        if (shownLevel(in) < sheet.minInput[b])
            out.booster[b] = BoosterFault::InputLow;
        else if (shownLevel(in + *sheet.gain[b]) > sheet.maxOutput[b])
            out.booster[b] = BoosterFault::OutputHigh;
        if (noise[b])
            noise[b] = *noise[b] + stageNoise(in - sheet.noiseFigure[b] - criteria.thermalNoise[b]);
    }
    out.noise = sums.addNoise(noise);
}

void OutletTally::begin(NetworkResult& r) {
    m_failing = {};
    m_unrated = {};
    r.failingOutlets = 0;
    blocks.assign(size_t((r.outlets.size() + BlockOutlets - 1) / BlockOutlets), Extremes{});
}

void OutletTally::count(NetworkResult& r, int first, int end, int sign) {
    for (size_t i = size_t(first); i < size_t(end); ++i) {
        unsigned failing = 0, unrated = 0;
        for (size_t b = 0; b < NetBandCount; ++b) {
            failing |= unsigned(r.outlets.bandFails(i, b)) << b;
            unrated |= unsigned(!r.outlets.level(i, b)) << b;
        }
        m_failing[failing & ~unrated] += sign; // as addOutlet counts them
        m_unrated[unrated] += sign;
        if (failing) r.failingOutlets += sign;
    }
}

void OutletTally::measure(const NetworkResult& r, int first, int end) {
    const int outlets = int(r.outlets.size());
    for (int block = first / BlockOutlets; block * BlockOutlets < std::min(end, outlets); ++block) {
        Extremes& e = blocks[size_t(block)];
        e = {};
        const int to = std::min(outlets, (block + 1) * BlockOutlets);
        for (int i = block * BlockOutlets; i < to; ++i)
            for (size_t b = 0; b < NetBandCount; ++b)
                e[b].widen(i, *r.outlets.level(size_t(i), b));
    }
}

void OutletTally::finish(NetworkResult& r) const {
    for (size_t b = 0; b < NetBandCount; ++b) {
        BandSummary& s = r.summary[b];
        s = {};
        for (unsigned bands = 0; bands < m_failing.size(); ++bands)
            if ((bands >> b) & 1u) {
                s.failing += m_failing[bands];
                s.unrated += m_unrated[bands];
            }
        Extreme all;
        for (const Extremes& e : blocks) {
            if (e[b].worstLevel < all.worstLevel)
                all.worst = e[b].worst, all.worstLevel = e[b].worstLevel;
            if (e[b].bestLevel > all.bestLevel)
                all.best = e[b].best, all.bestLevel = e[b].bestLevel;
        }
        s.worst = all.worst;
        s.best = all.best;
    }
}

namespace {

const NetNode* outletNode(const Network& network, NodeId id) {
    const int i = network.flatIndex(id);
    return i < 0 ? nullptr : network.flat().nodes[size_t(i)].node;
}

const QString& noName() {
    static const QString none;
    return none;
}

} // namespace

// Built when asked for rather than kept per node in the flattened tree.
QString outletName(const Network& network, NodeId outlet) {
    const NetNode* n = outletNode(network, outlet);
    if (!n) return {};
    const NodeSetup& setup = n->setup;
    if (setup.floor.isEmpty()) return setup.room;
    if (setup.room.isEmpty()) return setup.floor;
    return setup.room + QStringLiteral(" (") + setup.floor + u')';
}

const QString& outletRoom(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o.node);
    return n ? n->setup.room : noName();
}

const QString& outletFloor(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o.node);
    return n ? n->setup.floor : noName();
}

BandWindows::BandWindows(const OutletCriteria& criteria) : criteria(criteria) {
    constexpr double Infinite = std::numeric_limits<double>::infinity();
    for (size_t b = 0; b < NetBandCount; ++b) {
        const auto& range = criteria.level[b];
        // A hundredth inside the range passes however the level is shown,
        // and a hundredth outside fails.
        passFrom[b] = range ? range->min + 0.01 : -Infinite;
        passTo[b] = range ? range->max - 0.01 : Infinite;
        lowBelow[b] = range ? range->min - 0.01 : -Infinite;
        highAbove[b] = range ? range->max + 0.01 : Infinite;
        inside[b] = range ? OutletVerdict::Pass : OutletVerdict::NoStandard;
        notRated[b] = range ? OutletVerdict::NotRated : OutletVerdict::NotRatedNoStandard;
    }
}

OutletVerdict BandWindows::verdictNearRange(size_t b, double level) const {
    const auto& range = criteria.level[b];
    if (level != level) return range ? OutletVerdict::NotRated : OutletVerdict::NotRatedNoStandard;
    if (!range) return OutletVerdict::NoStandard;
    return outletVerdict(judgeLevel(level, range).verdict); // as the table shows it
}

NodeResult headEndResult(const HeadEnd& head, const OutletCriteria& criteria, OutletResults& sums) {
    NodeResult r;
    const NetBandValues levels = headEndLevels(head);
    const Noise noise = headEndNoise(head, criteria);
    PackedBands noiseSums;
    for (size_t b = 0; b < NetBandCount; ++b) {
        r.input[b] = levels[b];
        noiseSums[b] = noise[b];
    }
    r.noise = sums.addNoise(noiseSums);
    return r;
}

bool NodeResult::boosterFails() const {
    return std::any_of(booster.begin(), booster.end(),
                       [](BoosterFault f) { return f != BoosterFault::None; });
}

const NodeResult* NetworkResult::node(NodeId id) const {
    if (id == HeadEndId) return nodes.empty() ? nullptr : &nodes.front();
    const int i = byId->find(id);
    return i < 0 ? nullptr : &nodes[size_t(i) + 1];
}

NetBandValues headEndLevels(const HeadEnd& head) {
    if (head.source != HeadSource::BoosterInputPlusGain) return head.levels;
    const NetBandValues input = netBandValues(Bst_Input);
    NetBandValues levels;
    for (size_t b = 0; b < NetBandCount; ++b)
        levels[b] = input[b] + head.gain[b];
    return levels;
}

Noise headEndNoise(const HeadEnd& head, const OutletCriteria& criteria) {
    Noise noise{};
    if (head.cnSource == CnSource::None) return noise;
    const NetBandValues output = headEndLevels(head);
    const NetBandValues fieldInput = netBandValues(Bst_Input);
    for (size_t b = 0; b < NetBandCount; ++b) {
        const bool typed = head.cnSource == CnSource::Typed;
        const double input = typed ? output[b] - head.gain[b] : fieldInput[b];
        double sum = stageNoise(input - head.noiseFigure[b] - criteria.thermalNoise[b]);
        if (typed) sum += stageNoise(head.incomingCn[b]);
        noise[b] = sum;
    }
    return noise;
}

std::optional<double> cnOfNoise(const std::optional<double>& noise) {
    return PackedValue(cnOfNoiseSum(noise.value_or(NotRated)));
}

OutletCriteria outletCriteria(const Profile& profile) {
    OutletCriteria criteria;
    const auto bands = netCriteria(profile);
    for (size_t b = 0; b < NetBandCount; ++b) {
        criteria.level[b] = bands[b].level;
        criteria.minCn[b] = bands[b].minCn;
        criteria.thermalNoise[b] = netThermalNoise(int(b), profile.id.system);
    }
    return criteria;
}

BandJudgement judgeOutletBand(std::optional<double> level, const std::optional<LevelRange>& range) {
    return judgeLevelAt(level.value_or(NotRated), range);
}

QString verdictText(const BandJudgement& j) {
    QString text;
    switch (j.verdict) {
    case OutletVerdict::NotRated:
    case OutletVerdict::NotRatedNoStandard:
        return QStringLiteral("非対応");
    case OutletVerdict::NoStandard:
        text = standard::verdictText(Judgement{Verdict::NoCriterion, 0});
        break;
    case OutletVerdict::Pass:
        text = standard::verdictText(Judgement{Verdict::Pass, 0});
        break;
    case OutletVerdict::Low:
        text = standard::verdictText(Judgement{Verdict::Low, j.deviation});
        break;
    case OutletVerdict::High:
        text = standard::verdictText(Judgement{Verdict::High, j.deviation});
        break;
    }
    return j.estimated ? text + QStringLiteral("（%1）").arg(estimateMark()) : text;
}

QString cnText(const BandJudgement& j) {
    return j.cn ? Fmt2(*j.cn) : QString();
}

QString cnVerdictText(const BandJudgement& j) {
    if (!j.cn) return {};
    const Verdict v = !j.cnJudged ? Verdict::NoCriterion : j.cnLow ? Verdict::Low : Verdict::Pass;
    return standard::verdictText(Judgement{v, j.cnLow ? j.cnDeviation : 0});
}

QString cableJudgingText(bool atBandEdges) {
    return atBandEdges
               ? QStringLiteral("ケーブル損失: 帯域上端（222/710/1489/2071/3224 MHz）")
               : QStringLiteral("ケーブル損失: カタログの周波数（220/770/1300/1770/3224 MHz）");
}

NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria,
                             OutletTally* tally) {
    const FlatNetwork& flat = network.flat();
    NetworkResult r;
    r.judgedAtBandEdges = network.head.judgeAtBandEdges;
    r.outlets.reset(size_t(flat.outletPorts), criteria);
    NodeResult headResult = headEndResult(network.head, criteria, r.outlets);
    OutletTally ownTally;
    OutletTally& t = tally ? *tally : ownTally;
    t.begin(r); // the outlets are summarised as they are judged
    const BandWindows windows(criteria);
    r.byId = flat.byId;
    r.nodes.resize(flat.nodes.size() + 1);
    r.nodes[0] = headResult; // the parent of the nodes below the head end (flat parent -1)
    const auto result = [&](int i) -> NodeResult& { return r.nodes[size_t(i + 1)]; };
    int o = 0;
    for (size_t i = 0; i < flat.nodes.size(); ++i) {
        const FlatNode& n = flat.nodes[i];
        NodeResult& out = result(int(i));
        const FlatSteps& steps = flat.steps[i];
        computeNode(result(n.parent), steps, criteria, r.outlets, out);
        if (steps.booster && out.boosterFails()) r.failingBoosters.push_back(n.id);
        if (steps.firstOutlet == steps.endOutlet) continue;
        out.firstOutlet = o;
        for (int k = steps.firstOutlet; k < steps.endOutlet; ++k, ++o) {
            const FlatOutlet& port = flat.outlets[size_t(k)];
            OutletRecord& record = r.outlets.record(size_t(o));
            record.node = n.id;
            record.port = port.port;
            const OutletBands bands = judgeOutletPort(port, out, windows, r.outlets, o);
            t.addOutlet(o, record, bands);
            const bool fails = bands.failing != 0;
            out.failingBelow += fails;
            r.failingOutlets += fails;
        }
    }
    t.finish(r);
    // Failures add up towards the head end.
    for (size_t i = flat.nodes.size(); i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            result(flat.nodes[i].parent).failingBelow += result(int(i)).failingBelow;
    r.nodes[0].failingBelow = r.failingOutlets;
    return r;
}

NetworkResult computeNetwork(const Network& network, const Profile& profile) {
    return computeNetwork(network, outletCriteria(profile));
}

} // namespace miravel::network
