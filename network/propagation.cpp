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

// One band of an outlet judged; whether it fails. Most levels lie well
// inside the range and most outlets share their node's noise, so both are
// settled before anything is rounded.
bool judgeBand(double level, bool estimated, double noise, const OutletCriteria& criteria, size_t b,
               BandJudgement& j, JudgeMemo& memo) {
    j.level = level;
    j.deviation = 0;
    const auto& range = criteria.level[b];
    if (level >= memo.passFrom[b] && level <= memo.passTo[b]) {
        j.verdict = OutletVerdict::Pass;
    } else if (level != level) { // not rated: no C/N either
        j = judgeLevelAt(level, range);
        return j.verdict == OutletVerdict::NotRated;
    } else if (!range) {
        j.verdict = OutletVerdict::NoStandard;
    } else {
        // At a range's edge: rounded once per level (the same line on every floor).
        JudgeMemo::Shown& slot = memo.shown[b][slotOf(level)];
        if (!(slot.level == level)) {
            const Judgement judged = judgeLevel(level, range);
            slot = {level, judged.margin, outletVerdict(judged.verdict)};
        }
        j.verdict = slot.verdict;
        j.deviation = slot.deviation;
    }
    j.estimated = estimated;
    if (noise != noise) { // the C/N is not reckoned
        j.cn = std::nullopt;
        j.cnJudged = j.cnLow = false;
        j.cnDeviation = 0;
        return j.verdict == OutletVerdict::Low || j.verdict == OutletVerdict::High;
    }
    if (!(noise == memo.noise[b])) {
        BandJudgement& known = memo.cn[b];
        known = BandJudgement{};
        judgeNoise(noise, criteria, b, known);
        memo.noise[b] = noise;
    }
    const BandJudgement& known = memo.cn[b];
    j.cn = known.cn;
    j.cnJudged = known.cnJudged;
    j.cnLow = known.cnLow;
    j.cnDeviation = known.cnDeviation;
    return failsBand(j);
}

} // namespace

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

void OutletTally::begin(NetworkResult& r) {
    r.summary = {};
    r.failingOutlets = 0;
    blocks.assign(size_t((r.outlets.size() + BlockOutlets - 1) / BlockOutlets), Extremes{});
}

namespace {

// A level taken into a block's extremes: the first outlet of the lowest
// (highest) level, as one pass over all of them finds it.
void widen(OutletTally::Extreme& e, int i, double level) {
    if (e.worst < 0 || level < e.worstLevel) e.worst = i, e.worstLevel = level;
    if (e.best < 0 || level > e.bestLevel) e.best = i, e.bestLevel = level;
}

} // namespace

void OutletTally::add(NetworkResult& r, int i, bool fails) {
    Extremes& block = blocks[size_t(i / BlockOutlets)];
    const OutletResult& o = r.outlets[size_t(i)];
    for (size_t b = 0; b < NetBandCount; ++b) {
        const BandJudgement& j = o.bands[b];
        if (!j.level) {
            ++r.summary[b].unrated;
            continue;
        }
        r.summary[b].failing += failsBand(j);
        widen(block[b], i, *j.level);
    }
    r.failingOutlets += fails;
}

void OutletTally::count(NetworkResult& r, int first, int end, int sign) {
    for (int i = first; i < end; ++i) {
        for (size_t b = 0; b < NetBandCount; ++b) {
            const BandJudgement& j = r.outlets[size_t(i)].bands[b];
            if (!j.level)
                r.summary[b].unrated += sign;
            else if (failsBand(j))
                r.summary[b].failing += sign;
        }
        if (r.outlets[size_t(i)].fails()) r.failingOutlets += sign;
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
                if (const PackedValue level = r.outlets[size_t(i)].bands[b].level)
                    widen(e[b], i, *level);
    }
}

void OutletTally::finish(NetworkResult& r) const {
    for (size_t b = 0; b < NetBandCount; ++b) {
        Extreme all;
        for (const Extremes& e : blocks) {
            if (e[b].worst >= 0 && (all.worst < 0 || e[b].worstLevel < all.worstLevel))
                all.worst = e[b].worst, all.worstLevel = e[b].worstLevel;
            if (e[b].best >= 0 && (all.best < 0 || e[b].bestLevel > all.bestLevel))
                all.best = e[b].best, all.bestLevel = e[b].bestLevel;
        }
        r.summary[b].worst = all.worst;
        r.summary[b].best = all.best;
    }
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

bool judgeOutletPort(const FlatOutlet& outlet, const NodeResult& node,
                     const OutletCriteria& criteria, OutletResult& o, JudgeMemo& memo) {
    bool fails = false;
    for (size_t b = 0; b < NetBandCount; ++b)
        fails |= judgeBand(*node.input[b] - outlet.loss[b], node.estimatedIn(int(b)),
                           *node.noise[b], criteria, b, o.bands[b], memo);
    return fails;
}

JudgeMemo::JudgeMemo(const OutletCriteria& criteria) {
    noise.fill(NotRated);
    for (size_t b = 0; b < NetBandCount; ++b) {
        const auto& range = criteria.level[b];
        // A level a hundredth inside the range passes however it is shown.
        passFrom[b] = range ? range->min + 0.01 : NotRated;
        passTo[b] = range ? range->max - 0.01 : NotRated;
    }
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

NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria,
                             OutletTally* tally) {
    const FlatNetwork& flat = network.flat();
    NodeResult headResult = headEndResult(network.head, criteria);
    NetworkResult r;
    r.judgedAtBandEdges = network.head.judgeAtBandEdges;
    r.outlets.resize(size_t(flat.outletPorts));
    OutletTally ownTally;
    OutletTally& t = tally ? *tally : ownTally;
    t.begin(r); // the outlets are summarised as they are judged
    JudgeMemo memo(criteria);
    // Node results are written in their places by id (after the head end's),
    // with no second copy in tree order.
    r.nodes.resize(flat.nodes.size() + 1);
    std::vector<int> place(flat.nodes.size());
    for (size_t k = 0; k < flat.byId.size(); ++k)
        place[size_t(flat.byId[k])] = int(k) + 1;
    const auto result = [&](int i) -> NodeResult& {
        return r.nodes[size_t(place[size_t(i)])].second;
    };
    int o = 0;
    for (size_t i = 0; i < flat.nodes.size(); ++i) {
        const FlatNode& n = flat.nodes[i];
        r.nodes[size_t(place[i])].first = n.id;
        NodeResult& out = result(int(i));
        computeNode(n.parent < 0 ? headResult : result(n.parent), flat.steps[i], criteria, out);
        if (out.boosterFails()) r.failingBoosters.push_back(n.id);
        const FlatSteps& steps = flat.steps[i];
        if (steps.firstOutlet < steps.endOutlet) out.firstOutlet = o;
        for (int k = steps.firstOutlet; k < steps.endOutlet; ++k, ++o) {
            OutletResult& outlet = r.outlets[size_t(o)];
            outlet.node = n.id;
            outlet.port = flat.outlets[size_t(k)].port;
            const bool fails =
                judgeOutletPort(flat.outlets[size_t(k)], out, criteria, outlet, memo);
            out.failingBelow += fails;
            t.add(r, o, fails);
        }
    }
    t.finish(r);
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
