#include "network/propagation.h"

#include "common/numformat.h"
#include "standard/judgement.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

size_t slotOf(double level) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &level, sizeof bits);
    return size_t((bits ^ (bits >> 21) ^ (bits >> 42)) % JudgeMemo::Slots);
}

// C/N in dB of a noise sum, NaN for none.
double cnDb(double noise) {
    return noise > 0 ? -10 * std::log10(noise) : NotRated;
}

// A band's verdict for a level (NaN: not rated), a level rounded before
// taken from `shown` when given.
BandJudgement judgeLevelAt(double level, const std::optional<LevelRange>& range,
                           std::array<JudgeMemo::Shown, JudgeMemo::Slots>* shown = nullptr) {
    BandJudgement j;
    j.level = level;
    if (level != level) {
        if (!range) j.verdict = OutletVerdict::NotRatedNoStandard;
        return j;
    }
    if (!range) {
        j.verdict = OutletVerdict::NoStandard;
        return j;
    }
    // A level a hundredth inside the range passes however it is shown.
    if (level >= range->min + 0.01 && level <= range->max - 0.01) {
        j.verdict = OutletVerdict::Pass;
        return j;
    }
    JudgeMemo::Shown* slot = shown ? &(*shown)[slotOf(level)] : nullptr;
    if (slot && slot->level == level) {
        j.verdict = slot->verdict;
        j.deviation = slot->deviation;
        return j;
    }
    // Judged as the outlet table shows the level, as every verdict is.
    const Judgement judged = judgeLevel(level, range);
    j.verdict = judged.verdict == Verdict::Low    ? OutletVerdict::Low
                : judged.verdict == Verdict::High ? OutletVerdict::High
                                                  : OutletVerdict::Pass;
    j.deviation = judged.margin;
    if (slot) *slot = {level, j.deviation, j.verdict};
    return j;
}

// The C/N figures of a judgement from the noise sum.
void judgeNoise(double noise, const OutletCriteria& criteria, size_t b, BandJudgement& j) {
    j.cn = cnDb(noise);
    if (j.cn && criteria.minCn[b]) {
        const Judgement cn = judgeCn(*j.cn, criteria.minCn[b]);
        j.cnJudged = true;
        j.cnLow = cn.verdict == Verdict::Low;
        j.cnDeviation = cn.margin;
    }
}

void judgeBand(double level, bool estimated, double noise, const OutletCriteria& criteria, size_t b,
               BandJudgement& j, JudgeMemo& memo) {
    j = judgeLevelAt(level, criteria.level[b], &memo.shown[b]);
    if (level != level) return;
    j.estimated = estimated;
    BandJudgement& known = memo.cn[b];
    if (!(noise == memo.noise[b])) {
        known = BandJudgement{};
        judgeNoise(noise, criteria, b, known);
        memo.noise[b] = noise;
    }
    j.cn = known.cn;
    j.cnJudged = known.cnJudged;
    j.cnLow = known.cnLow;
    j.cnDeviation = known.cnDeviation;
}

// A booster's stage on the input reached: its faults, and its noise added.
void boosterStage(const BoosterSpec& sheet, const OutletCriteria& criteria, NodeResult& out) {
    for (size_t b = 0; b < NetBandCount; ++b) {
        if (!out.input[b] || !sheet.gain[b]) continue;
        const double in = *out.input[b];
        if (shownLevel(in) < sheet.minInput[b])
            out.booster[b] = BoosterFault::InputLow;
        else if (shownLevel(in + *sheet.gain[b]) > sheet.maxOutput[b])
            out.booster[b] = BoosterFault::OutputHigh;
        if (out.noise[b])
            out.noise[b] =
                *out.noise[b] + stageNoise(in - sheet.noiseFigure[b] - criteria.thermalNoise[b]);
    }
}

} // namespace

namespace {

// The lowest and highest rated level per band of the outlets summarised so far.
struct Extremes {
    NetBandValues worst{}, best{};
};

// Outlet i added to the summary: per band, out-of-range and unrated outlets
// counted apart, and the lowest and highest rated levels. Whether it fails.
bool summariseOutlet(NetworkResult& r, int i, Extremes& e) {
    bool fails = false;
    for (size_t b = 0; b < NetBandCount; ++b) {
        const BandJudgement& j = r.outlets[size_t(i)].bands[b];
        const bool failing = failsBand(j);
        fails |= failing;
        BandSummary& s = r.summary[b];
        if (!j.level) {
            ++s.unrated;
            continue;
        }
        if (failing) ++s.failing;
        const double level = *j.level;
        if (s.worst < 0 || level < e.worst[b]) s.worst = i, e.worst[b] = level;
        if (s.best < 0 || level > e.best[b]) s.best = i, e.best[b] = level;
    }
    if (fails) ++r.failingOutlets;
    return fails;
}

// The outlets of computed node i, appended to the result and summarised.
void addOutlets(NetworkResult& r, const FlatNetwork& flat, size_t i, NodeResult& out,
                const OutletCriteria& criteria, Extremes& e, JudgeMemo& memo) {
    const FlatSteps& s = flat.steps[i];
    if (s.firstOutlet < s.endOutlet) out.firstOutlet = int(r.outlets.size());
    for (int k = s.firstOutlet; k < s.endOutlet; ++k) {
        const FlatOutlet& port = flat.outlets[size_t(k)];
        OutletResult& o = r.outlets.emplace_back();
        o.node = flat.nodes[i].id;
        o.port = port.port;
        judgeOutletPort(port, out, criteria, o, memo);
        if (summariseOutlet(r, int(r.outlets.size()) - 1, e)) ++out.failingBelow;
    }
}

} // namespace

void summariseOutlets(NetworkResult& r) {
    r.summary = {};
    r.failingOutlets = 0;
    Extremes e;
    for (int i = 0; i < int(r.outlets.size()); ++i)
        summariseOutlet(r, i, e);
}

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

// Built when asked for rather than kept per node in the flattened tree.
QString outletName(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o);
    if (!n) return {};
    const NodeSetup& setup = n->setup;
    if (setup.floor.isEmpty()) return setup.room;
    if (setup.room.isEmpty()) return setup.floor;
    return setup.room + QStringLiteral(" (") + setup.floor + u')';
}

const QString& outletRoom(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o);
    return n ? n->setup.room : noName();
}

const QString& outletFloor(const Network& network, const OutletResult& o) {
    const NetNode* n = outletNode(network, o);
    return n ? n->setup.floor : noName();
}

void judgeOutletPort(const FlatOutlet& outlet, const NodeResult& node,
                     const OutletCriteria& criteria, OutletResult& o, JudgeMemo& memo) {
    for (size_t b = 0; b < NetBandCount; ++b)
        judgeBand(*node.input[b] - outlet.loss[b], node.estimatedIn(int(b)), *node.noise[b],
                  criteria, b, o.bands[b], memo);
}

void reachNode(const FlatNetwork& flat, size_t i, const NodeResult& head,
               const OutletCriteria& criteria, const NodeResult* parent, NodeResult& out) {
    computeNode(parent ? *parent : head, flat.steps[i], criteria, out);
}

JudgeMemo::JudgeMemo() {
    noise.fill(NotRated);
    for (auto& band : shown)
        band.fill(Shown{NotRated, 0, OutletVerdict::NotRated});
}

NodeResult headEndResult(const HeadEnd& head, const OutletCriteria& criteria) {
    NodeResult r;
    const NetBandValues levels = headEndLevels(head);
    const Noise noise = headEndNoise(head, criteria);
    for (size_t b = 0; b < NetBandCount; ++b) {
        r.input[b] = levels[b];
        r.noise[b] = noise[b];
    }
    return r;
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

// NaN (not rated) carries through each subtraction, as nothing would.
void computeNode(const NodeResult& above, const FlatSteps& steps, const OutletCriteria& criteria,
                 NodeResult& out) {
    for (size_t b = 0; b < NetBandCount; ++b)
        out.input[b] = (*above.input[b] - steps.up[b]) - steps.coax[b];
    out.estimated = above.estimated | steps.coaxEstimated;
    out.noise = above.noise;
    out.booster = {};
    if (steps.booster) boosterStage(*steps.booster, criteria, out);
}

std::optional<double> cnOfNoise(const std::optional<double>& noise) {
    return PackedValue(cnDb(noise.value_or(NotRated)));
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

NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria) {
    const FlatNetwork& flat = network.flat();
    const bool edges = network.head.judgeAtBandEdges;
    NodeResult headResult = headEndResult(network.head, criteria);
    NetworkResult r;
    r.judgedAtBandEdges = edges;
    r.outlets.reserve(size_t(flat.outletPorts));
    Extremes extremes; // the outlets are summarised as they are judged
    JudgeMemo memo;
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
        reachNode(flat, i, headResult, criteria, n.parent < 0 ? nullptr : &result(n.parent), out);
        if (out.boosterFails()) r.failingBoosters.push_back(n.id);
        addOutlets(r, flat, i, out, criteria, extremes, memo);
    }
    // Failures add up towards the head end.
    for (size_t i = flat.nodes.size(); i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            result(flat.nodes[i].parent).failingBelow += result(int(i)).failingBelow;
    headResult.failingBelow = r.failingOutlets;
    r.nodes[0] = {HeadEndId, headResult};
    return r;
}

NetworkResult computeNetwork(const Network& network, const Profile& profile) {
    return computeNetwork(network, outletCriteria(profile));
}

} // namespace miravel::network
