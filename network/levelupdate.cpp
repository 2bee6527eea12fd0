#include "network/levelupdate.h"

#include <algorithm>

using namespace miravel::common;

namespace miravel::network {

void LevelUpdate::computeAll(const Network& network) {
    const FlatNetwork& flat = network.flat();
    m_previous = std::move(m_result);
    m_result = computeNetwork(network, m_criteria, &m_tally);
    const size_t n = flat.nodes.size();
    m_firstOutlet.assign(n + 1, 0);
    m_end.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const auto& outlets = flat.nodes[i].losses->outletPort;
        m_firstOutlet[i + 1] = m_firstOutlet[i] + outlets.count();
        m_end[i] = int(i) + 1;
    }
    m_boosters.clear();
    for (size_t i = 0; i < n; ++i)
        if (flat.nodes[i].losses->booster) m_boosters.push_back(int(i));
    for (size_t i = n; i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            m_end[size_t(flat.nodes[i].parent)] =
                std::max(m_end[size_t(flat.nodes[i].parent)], m_end[i]);
}

// The failing counts of the nodes above `root`, and of the head end.
void LevelUpdate::adjustAbove(const FlatNetwork& flat, int root, int change) {
    for (int up = flat.nodes[size_t(root)].parent; up >= 0; up = flat.nodes[size_t(up)].parent) {
        result(up).failingBelow += change;
        m_walked.push_back(flat.nodes[size_t(up)].id);
    }
    m_result.nodes.front().failingBelow = m_result.failingOutlets;
}

// Nodes first..end of the flattened tree (a subtree, or all), their levels
// from their parents' and their failing counts from what lies below them;
// their outlets added to `tally` when given.
void LevelUpdate::walkNodes(const FlatNetwork& flat, int first, int end, OutletTally* tally) {
    const BandWindows windows(m_criteria);
    OutletResults& outlets = m_result.outlets;
    for (int i = first; i < end; ++i) {
        const FlatNode& n = flat.nodes[size_t(i)];
        NodeResult& out = result(i);
        const FlatSteps& steps = flat.steps[size_t(i)];
        computeNode(result(n.parent), steps, m_criteria, outlets, out);
        out.failingBelow = 0;
        if (steps.firstOutlet == steps.endOutlet) continue;
        int o = m_firstOutlet[size_t(i)];
        for (int k = steps.firstOutlet; k < steps.endOutlet; ++k, ++o) {
            const OutletBands bands =
                judgeOutletPort(flat.outlets[size_t(k)], out, windows, outlets, o);
            const bool fails = bands.failing != 0;
            out.failingBelow += fails;
            if (!tally) continue;
            tally->addOutlet(o, outlets.record(size_t(o)), bands);
            m_result.failingOutlets += fails;
        }
    }
    for (int i = end; i-- > first + 1;) {
        const int parent = flat.nodes[size_t(i)].parent;
        if (parent >= first) result(parent).failingBelow += result(i).failingBelow;
    }
}

void LevelUpdate::walkSubtree(const FlatNetwork& flat, int root) {
    const int end = m_end[size_t(root)];
    const int outletsFrom = m_firstOutlet[size_t(root)], outletsTo = m_firstOutlet[size_t(end)];
    m_tally.count(m_result, outletsFrom, outletsTo, -1);
    NodeResult& top = result(root);
    const int failingBefore = top.failingBelow;
    walkNodes(flat, root, end);
    for (int i = root; i < end; ++i)
        m_walked.push_back(flat.nodes[size_t(i)].id);
    m_tally.count(m_result, outletsFrom, outletsTo, +1);
    m_tally.measure(m_result, outletsFrom, outletsTo);
    m_tally.finish(m_result);
    adjustAbove(flat, root, top.failingBelow - failingBefore);
    listFailingBoosters(flat);
}

void LevelUpdate::walkAll(const FlatNetwork& flat) {
    m_result.outlets.reset(m_result.outlets.size(), m_criteria); // its noise sums anew
    NodeResult& head = m_result.nodes.front();
    head = headEndResult(m_head, m_criteria, m_result.outlets);
    m_tally.begin(m_result);
    walkNodes(flat, 0, int(flat.nodes.size()), &m_tally);
    m_tally.finish(m_result);
    head.failingBelow = m_result.failingOutlets;
    m_result.judgedAtBandEdges = m_head.judgeAtBandEdges;
    listFailingBoosters(flat);
}

// The boosters failing a band, in tree order, as a full computation lists them.
void LevelUpdate::listFailingBoosters(const FlatNetwork& flat) {
    m_result.failingBoosters.clear();
    for (int i : m_boosters)
        if (result(i).boosterFails()) m_result.failingBoosters.push_back(flat.nodes[size_t(i)].id);
}

namespace {

bool sameCriteria(const OutletCriteria& a, const OutletCriteria& b) {
    return a.level == b.level && a.minCn == b.minCn && a.thermalNoise == b.thermalNoise;
}

} // namespace

constexpr size_t MostNoiseSums = 4096;

const NetworkResult& LevelUpdate::update(const Network& network, const OutletCriteria& criteria) {
    const auto setups =
        m_valid && m_network == &network ? network.setupsSince(m_revision) : std::nullopt;
    m_walked.clear();
    m_all = true;
    m_anew = !setups;
    const bool same = setups && sameCriteria(criteria, m_criteria) && network.head == m_head;
    m_network = &network;
    m_revision = network.revision();
    m_criteria = criteria;
    m_head = network.head;
    m_valid = true;
    if (!setups) {
        computeAll(network);
        return m_result;
    }
    const FlatNetwork& flat = network.flat();
    // Each walk of a subtree may keep noise sums of its own: after many,
    // everything is walked again and only the sums in use kept.
    const bool fresh = same && m_result.outlets.noiseCount() < MostNoiseSums;
    for (NodeId id : *setups) {
        if (fresh) walkSubtree(flat, network.flatIndex(id));
    }
    m_all = !fresh;
    if (!fresh) walkAll(flat);
    return m_result;
}

} // namespace miravel::network
