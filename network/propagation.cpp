#include "network/propagation.h"

#include "common/numformat.h"
#include "standard/judgement.h"

#include <algorithm>
#include <cmath>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

using Level = std::optional<double>;
using Noise = std::array<std::optional<double>, NetBandCount>;

Level minus(Level level, const Level& loss) {
    if (!level || !loss) return std::nullopt;
    return *level - *loss;
}

// 1/CN of a stage in linear power.
double stageNoise(double cnDb) {
    return std::pow(10.0, -cnDb / 10);
}

BandJudgement judgeBand(const Level& level, bool estimated, const std::optional<double>& noise,
                        const OutletCriteria& criteria, size_t b) {
    BandJudgement j = judgeOutletBand(level, criteria.level[b]);
    j.estimated = level && estimated;
    if (level) j.cn = cnOfNoise(noise);
    if (j.cn && criteria.minCn[b]) {
        const Judgement cn = judgeCn(*j.cn, criteria.minCn[b]);
        j.cnJudged = true;
        j.cnLow = cn.verdict == Verdict::Low;
        j.cnDeviation = cn.margin;
    }
    return j;
}

} // namespace

bool failsBand(const BandJudgement& j) {
    return j.verdict == OutletVerdict::Low || j.verdict == OutletVerdict::High ||
           j.verdict == OutletVerdict::NotRated || j.cnLow;
}

// Per band: out-of-range and unrated outlets counted apart, and the lowest
// and highest rated levels.
void summariseOutlets(NetworkResult& r) {
    r.summary = {};
    r.failingOutlets = 0;
    for (int i = 0; i < int(r.outlets.size()); ++i) {
        const OutletResult& o = r.outlets[size_t(i)];
        for (size_t b = 0; b < NetBandCount; ++b) {
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

namespace {

// The outlets of a computed node, appended to the result.
void addOutlets(NetworkResult& r, const FlatNode& n, NodeResult& out,
                const OutletCriteria& criteria) {
    const NodeLosses& losses = *n.losses;
    for (size_t p = 0; p < losses.ports.size(); ++p) {
        if (!losses.outletPort[p]) continue;
        if (out.firstOutlet < 0) out.firstOutlet = int(r.outlets.size());
        OutletResult o;
        o.node = n.id;
        o.port = int(p);
        judgeOutletPort(n, out, int(p), criteria, o);
        if (o.fails()) ++out.failingBelow;
        r.outlets.push_back(std::move(o));
    }
}

} // namespace

namespace {

const NetNode* outletNode(const Network& network, const OutletResult& o) {
    const int i = network.flatIndex(o.node);
    return i < 0 ? nullptr : network.flat().nodes[size_t(i)].node;
}

const QString& noName() {
    static const QString none;
    return none;
}

} // namespace

const QString& outletName(const Network& network, const OutletResult& o) {
    const int i = network.flatIndex(o.node);
    return i < 0 ? noName() : network.flat().nodes[size_t(i)].outletName;
}

const QString& outletRoom(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o);
    return n ? n->setup.room : noName();
}

const QString& outletFloor(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o);
    return n ? n->setup.floor : noName();
}

void judgeOutletPort(const FlatNode& n, const NodeResult& node, int port,
                     const OutletCriteria& criteria, OutletResult& o) {
    for (size_t b = 0; b < NetBandCount; ++b)
        o.bands[b] = judgeBand(portLevel(node, *n.losses, port, int(b)), node.estimated[b],
                               node.noise[b], criteria, b);
}

void reachNode(const FlatNetwork& flat, size_t i, const NodeResult& head, bool atBandEdges,
               const OutletCriteria& criteria, const NodeResult* parent, NodeResult& out) {
    const FlatNode& n = flat.nodes[i];
    if (!parent) {
        computeNode(head.input, BandFlags{}, head.noise, *n.losses, atBandEdges, criteria, out);
        return;
    }
    const NodeLosses& upLosses = *flat.nodes[size_t(n.parent)].losses;
    BandLoss atPort;
    for (int b = 0; b < NetBandCount; ++b)
        atPort[size_t(b)] = portLevel(*parent, upLosses, n.port, b);
    computeNode(atPort, parent->estimated, parent->noise, *n.losses, atBandEdges, criteria, out);
}

NodeResult headEndResult(const HeadEnd& head, const OutletCriteria& criteria) {
    NodeResult r;
    const NetBandValues levels = headEndLevels(head);
    for (size_t b = 0; b < NetBandCount; ++b)
        r.input[b] = levels[b];
    r.noise = headEndNoise(head, criteria);
    return r;
}

bool OutletResult::fails() const {
    return std::any_of(bands.begin(), bands.end(), failsBand);
}

bool NodeResult::boosterFails() const {
    return std::any_of(booster.begin(), booster.end(),
                       [](BoosterFault f) { return f != BoosterFault::None; });
}

const NodeResult* NetworkResult::node(NodeId id) const {
    const auto found = std::lower_bound(
        nodes.begin(), nodes.end(), id,
        [](const std::pair<NodeId, NodeResult>& n, NodeId key) { return n.first < key; });
    return found != nodes.end() && found->first == id ? &found->second : nullptr;
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

void computeNode(const BandLoss& atPort, const BandFlags& estimated, const Noise& noise,
                 const NodeLosses& losses, bool atBandEdges, const OutletCriteria& criteria,
                 NodeResult& out) {
    const BandLoss& coax = atBandEdges ? losses.edgeCoax : losses.coax;
    const BandFlags& coaxEstimated = atBandEdges ? losses.edgeCoaxEstimated : losses.coaxEstimated;
    for (size_t b = 0; b < NetBandCount; ++b) {
        out.input[b] = minus(atPort[b], coax[b]);
        out.estimated[b] = estimated[b] || coaxEstimated[b];
        out.noise[b] = noise[b];
        out.booster[b] = BoosterFault::None;
        if (!losses.booster || !out.input[b] || !losses.booster->gain[b]) continue;
        const BoosterSpec& sheet = *losses.booster;
        const double in = *out.input[b];
        if (shownLevel(in) < sheet.minInput[b])
            out.booster[b] = BoosterFault::InputLow;
        else if (shownLevel(in + *sheet.gain[b]) > sheet.maxOutput[b])
            out.booster[b] = BoosterFault::OutputHigh;
        if (noise[b])
            out.noise[b] =
                *noise[b] + stageNoise(in - sheet.noiseFigure[b] - criteria.thermalNoise[b]);
    }
}

std::optional<double> portLevel(const NodeResult& node, const NodeLosses& losses, int port,
                                int band) {
    return minus(node.input[size_t(band)], losses.ports[size_t(port)][size_t(band)]);
}

std::optional<double> cnOfNoise(const std::optional<double>& noise) {
    if (!noise || *noise <= 0) return std::nullopt;
    return -10 * std::log10(*noise);
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

NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria) {
    const FlatNetwork& flat = network.flat();
    const bool edges = network.head.judgeAtBandEdges;
    NodeResult headResult = headEndResult(network.head, criteria);
    NetworkResult r;
    r.judgedAtBandEdges = edges;
    r.outlets.reserve(size_t(flat.outletPorts));
    // Node results are written in their places by id (after the head end's),
    // with no second copy in tree order.
    r.nodes.resize(flat.nodes.size() + 1);
    std::vector<int> place(flat.nodes.size());
    for (size_t k = 0; k < flat.byId.size(); ++k)
        place[size_t(flat.byId[k])] = int(k) + 1;
    const auto result = [&](int i) -> NodeResult& {
        return r.nodes[size_t(place[size_t(i)])].second;
    };
    for (size_t i = 0; i < flat.nodes.size(); ++i) {
        const FlatNode& n = flat.nodes[i];
        r.nodes[size_t(place[i])].first = n.id;
        NodeResult& out = result(int(i));
        reachNode(flat, i, headResult, edges, criteria, n.parent < 0 ? nullptr : &result(n.parent),
                  out);
        if (out.boosterFails()) r.failingBoosters.push_back(n.id);
        addOutlets(r, n, out, criteria);
    }
    // Failures add up towards the head end.
    for (size_t i = flat.nodes.size(); i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            result(flat.nodes[i].parent).failingBelow += result(int(i)).failingBelow;
    summariseOutlets(r);
    headResult.failingBelow = r.failingOutlets;
    r.nodes[0] = {HeadEndId, headResult};
    return r;
}

NetworkResult computeNetwork(const Network& network, const Profile& profile) {
    return computeNetwork(network, outletCriteria(profile));
}

} // namespace miravel::network
