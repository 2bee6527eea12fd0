#include "network/levelupdate.h"

#include <algorithm>

using namespace miravel::common;

namespace miravel::network {

namespace {

// Whether outlet `i` at `level` comes before outlet `j` at `other` in the
// summary's order: the lower level, else the first.
bool lower(double level, int i, double other, int j) {
    return level < other || (level == other && i < j);
}

} // namespace

void LevelUpdate::computeAll(const Network& network) {
    const FlatNetwork& flat = network.flat();
    m_previous = std::move(m_result);
    m_result = computeNetwork(network, m_criteria);
    const size_t n = flat.nodes.size();
    m_place.assign(n, 0);
    for (size_t k = 0; k < flat.byId.size(); ++k)
        m_place[size_t(flat.byId[k])] = int(k) + 1; // the head end is first
    m_firstOutlet.assign(n + 1, 0);
    m_end.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const auto& outlets = flat.nodes[i].losses->outletPort;
        m_firstOutlet[i + 1] =
            m_firstOutlet[i] + int(std::count(outlets.begin(), outlets.end(), true));
        m_end[i] = int(i) + 1;
    }
    for (size_t i = n; i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            m_end[size_t(flat.nodes[i].parent)] =
                std::max(m_end[size_t(flat.nodes[i].parent)], m_end[i]);
}

// Adds (sign +1) or takes away (-1) the outlets first..end from the counts;
// `rescan` marks the bands whose lowest or highest outlet is among them.
void LevelUpdate::countOutlets(int first, int end, int sign, std::vector<bool>& rescan) {
    NetworkResult& r = m_result;
    for (int i = first; i < end; ++i) {
        const OutletResult& o = r.outlets[size_t(i)];
        for (size_t b = 0; b < BandCount; ++b) {
            BandSummary& s = r.summary[b];
            const auto& level = o.bands[b].level;
            if (s.worst == i || s.best == i) rescan[b] = true;
            if (!level)
                s.unrated += sign;
            else if (failsBand(o.bands[b]))
                s.failing += sign;
            if (sign < 0 || !level || rescan[b]) continue;
            // The first outlet of the lowest (highest) level, as a full count finds it.
            if (s.worst < 0 ||
                lower(*level, i, *r.outlets[size_t(s.worst)].bands[b].level, s.worst))
                s.worst = i;
            if (s.best < 0 || lower(-*level, i, -*r.outlets[size_t(s.best)].bands[b].level, s.best))
                s.best = i;
        }
        if (o.fails()) r.failingOutlets += sign;
    }
}

// The failing counts of the nodes above `root`, and of the head end.
void LevelUpdate::adjustAbove(const FlatNetwork& flat, int root, int change) {
    for (int up = flat.nodes[size_t(root)].parent; up >= 0; up = flat.nodes[size_t(up)].parent) {
        m_result.nodes[size_t(m_place[size_t(up)])].second.failingBelow += change;
        m_walked.push_back(flat.nodes[size_t(up)].id);
    }
    m_result.nodes.front().second.failingBelow = m_result.failingOutlets;
}

void LevelUpdate::walkSubtree(const FlatNetwork& flat, int root) {
    const int end = m_end[size_t(root)];
    std::vector<bool> rescan(BandCount, false);
    const int outletsFrom = m_firstOutlet[size_t(root)], outletsTo = m_firstOutlet[size_t(end)];
    countOutlets(outletsFrom, outletsTo, -1, rescan);
    NodeResult& top = m_result.nodes[size_t(m_place[size_t(root)])].second;
    const int failingBefore = top.failingBelow;
    for (int i = root; i < end; ++i) {
        const FlatNode& n = flat.nodes[size_t(i)];
        NodeResult& out = m_result.nodes[size_t(m_place[size_t(i)])].second;
        const NodeResult* parent =
            n.parent < 0 ? nullptr : &m_result.nodes[size_t(m_place[size_t(n.parent)])].second;
        reachNode(flat, size_t(i), m_head, parent, out);
        out.failingBelow = 0;
        int o = m_firstOutlet[size_t(i)];
        for (size_t p = 0; p < n.losses->ports.size(); ++p) {
            if (!n.losses->outletPort[p]) continue;
            OutletResult& outlet = m_result.outlets[size_t(o++)];
            judgeOutletPort(n, out, int(p), m_criteria, outlet);
            if (outlet.fails()) ++out.failingBelow;
        }
        m_walked.push_back(n.id);
    }
    for (int i = end - 1; i > root; --i)
        m_result.nodes[size_t(m_place[size_t(flat.nodes[size_t(i)].parent)])].second.failingBelow +=
            m_result.nodes[size_t(m_place[size_t(i)])].second.failingBelow;
    countOutlets(outletsFrom, outletsTo, +1, rescan);
    if (std::find(rescan.begin(), rescan.end(), true) != rescan.end()) summariseOutlets(m_result);
    adjustAbove(flat, root, top.failingBelow - failingBefore);
}

void LevelUpdate::walkAll(const FlatNetwork& flat) {
    const size_t n = flat.nodes.size();
    for (size_t i = 0; i < n; ++i) {
        const FlatNode& node = flat.nodes[i];
        NodeResult& out = m_result.nodes[size_t(m_place[i])].second;
        const NodeResult* parent =
            node.parent < 0 ? nullptr
                            : &m_result.nodes[size_t(m_place[size_t(node.parent)])].second;
        reachNode(flat, i, m_head, parent, out);
        out.failingBelow = 0;
        int o = m_firstOutlet[i];
        for (size_t p = 0; p < node.losses->ports.size(); ++p) {
            if (!node.losses->outletPort[p]) continue;
            OutletResult& outlet = m_result.outlets[size_t(o++)];
            judgeOutletPort(node, out, int(p), m_criteria, outlet);
            if (outlet.fails()) ++out.failingBelow;
        }
    }
    for (size_t i = n; i-- > 0;)
        if (flat.nodes[i].parent >= 0)
            m_result.nodes[size_t(m_place[size_t(flat.nodes[i].parent)])].second.failingBelow +=
                m_result.nodes[size_t(m_place[i])].second.failingBelow;
    summariseOutlets(m_result);
    NodeResult& head = m_result.nodes.front().second;
    for (size_t b = 0; b < BandCount; ++b)
        head.input[b] = m_head[b];
    head.failingBelow = m_result.failingOutlets;
}

const NetworkResult& LevelUpdate::update(const Network& network, const OutletCriteria& criteria) {
    const auto setups =
        m_valid && m_network == &network ? network.setupsSince(m_revision) : std::nullopt;
    const BandValues head = headEndLevels(network.head);
    m_walked.clear();
    m_all = true;
    m_anew = !setups;
    const bool same = setups && criteria == m_criteria && head == m_head;
    m_network = &network;
    m_revision = network.revision();
    m_criteria = criteria;
    m_head = head;
    m_valid = true;
    if (!setups) {
        computeAll(network);
        return m_result;
    }
    const FlatNetwork& flat = network.flat();
    for (NodeId id : *setups) {
        const int i = network.flatIndex(id);
        for (int o = m_firstOutlet[size_t(i)]; o < m_firstOutlet[size_t(i) + 1]; ++o)
            nameOutlet(flat.nodes[size_t(i)], m_result.outlets[size_t(o)].port,
                       m_result.outlets[size_t(o)]);
        if (same) walkSubtree(flat, i);
    }
    m_all = !same;
    if (!same) walkAll(flat);
    return m_result;
}

} // namespace miravel::network
