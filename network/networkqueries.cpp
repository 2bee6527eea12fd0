// What the network's tree reads: its nodes, children and ports, the tree in
// order, the definitions by name, comparison and the flattened tree.

#include "network/networkmodel.h"

#include <algorithm>
#include <limits>

using namespace miravel::common;

namespace miravel::network {

bool Network::contains(NodeId id) const {
    return id == HeadEndId || m_nodes.find(id);
}

const NetNode& Network::node(NodeId id) const {
    return m_nodes.at(id).node;
}

const std::vector<NodeId>& Network::children(NodeId id) const {
    return id == HeadEndId ? m_headChildren : m_nodes.at(id).node.children;
}

const NodeLosses& Network::losses(NodeId id) const {
    return id == HeadEndId ? m_headLosses : m_nodes.at(id).losses;
}

int Network::portCount(NodeId id) const {
    return int(losses(id).ports.size());
}

bool Network::canTakeChildren(NodeId id, int port) const {
    const NodeLosses& l = losses(id);
    return port >= 0 && port < int(l.ports.size()) && !l.outletPort[size_t(port)];
}

NodeId Network::childOnPort(NodeId id, int port) const {
    for (NodeId c : children(id))
        if (node(c).parentPort == port) return c;
    return HeadEndId;
}

std::vector<NodeId> Network::preorder() const {
    std::vector<NodeId> order;
    order.reserve(m_nodes.size());
    std::vector<NodeId> stack(m_headChildren.rbegin(), m_headChildren.rend());
    while (!stack.empty()) {
        const NodeId id = stack.back();
        stack.pop_back();
        order.push_back(id);
        const auto& c = m_nodes.at(id).node.children;
        stack.insert(stack.end(), c.rbegin(), c.rend());
    }
    return order;
}

const CableType* Network::cableType(const QString& name) const {
    for (const CableType& c : m_cables)
        if (c.name == name) return &c;
    return nullptr;
}

const UserComponent* Network::userComponent(const QString& name) const {
    for (const UserComponent& u : m_users)
        if (u.name == name) return &u;
    return nullptr;
}

namespace {

bool sameTree(const Network& a, NodeId x, const Network& b, NodeId y) {
    const auto& cx = a.children(x);
    const auto& cy = b.children(y);
    if (cx.size() != cy.size()) return false;
    for (size_t i = 0; i < cx.size(); ++i) {
        const NetNode& nx = a.node(cx[i]);
        const NetNode& ny = b.node(cy[i]);
        if (nx.setup != ny.setup || nx.parentPort != ny.parentPort) return false;
        if (!sameTree(a, cx[i], b, cy[i])) return false;
    }
    return true;
}

} // namespace

bool Network::operator==(const Network& other) const {
    return head == other.head && m_cables == other.m_cables && m_users == other.m_users &&
           nodeCount() == other.nodeCount() && sameTree(*this, HeadEndId, other, HeadEndId);
}

namespace {

void pack(const BandLoss& loss, NetBandValues& out) {
    for (size_t b = 0; b < NetBandCount; ++b)
        out[b] = loss[b].value_or(std::numeric_limits<double>::quiet_NaN());
}

std::uint8_t bits(const BandFlags& flags) {
    std::uint8_t all = 0;
    for (size_t b = 0; b < NetBandCount; ++b)
        all |= std::uint8_t(flags[b] ? 1u << b : 0u);
    return all;
}

// Node i's walked numbers from its losses and its parent's, its outlets'
// places already set.
void fillSteps(FlatNetwork& f, size_t i) {
    const FlatNode& n = f.nodes[i];
    const NodeLosses& losses = *n.losses;
    FlatSteps& s = f.steps[i];
    static const BandLoss noLoss = [] {
        BandLoss none;
        none.fill(0.0);
        return none;
    }();
    s.up = n.parent < 0 ? &noLoss : &f.nodes[size_t(n.parent)].losses->ports[size_t(n.port)];
    pack(f.atBandEdges ? losses.edgeCoax : losses.coax, s.coax);
    s.coaxEstimated = bits(f.atBandEdges ? losses.edgeCoaxEstimated : losses.coaxEstimated);
    s.booster = losses.booster.get();
    int o = s.firstOutlet;
    for (size_t p = 0; p < losses.ports.size(); ++p) {
        if (!losses.outletPort[p]) continue;
        FlatOutlet& outlet = f.outlets[size_t(o++)];
        outlet.port = int(p);
        outlet.loss = &losses.ports[p];
    }
}

// The steps' coax losses where the head end takes them now: the head end is
// a plain value, changed with no revision.
const FlatNetwork& atEdges(FlatNetwork& f, bool atBandEdges) {
    if (f.atBandEdges == atBandEdges) return f;
    f.atBandEdges = atBandEdges;
    for (size_t i = 0; i < f.nodes.size(); ++i)
        fillSteps(f, i);
    return f;
}

} // namespace

int Network::flatIndex(NodeId id) const {
    return flat().byId->find(id);
}

const FlatNetwork& Network::flat() const {
    if (m_flat.valid && m_flat.revision == m_revision)
        return atEdges(m_flat.data, head.judgeAtBandEdges);
    // Setups changed, ports as they were: only those nodes' numbers change.
    if (const auto changed = m_flat.valid ? setupsSince(m_flat.revision) : std::nullopt) {
        m_flat.revision = m_revision;
        for (NodeId id : *changed) {
            const size_t i = size_t(flatIndex(id));
            const FlatNode& n = m_flat.data.nodes[i];
            // Its own numbers and its children's losses on its ports.
            fillSteps(m_flat.data, i);
            for (NodeId child : n.node->children)
                fillSteps(m_flat.data, size_t(flatIndex(child)));
        }
        return atEdges(m_flat.data, head.judgeAtBandEdges);
    }
    FlatNetwork f;
    f.nodes.reserve(m_nodes.size());
    f.steps.reserve(m_nodes.size());
    // Preorder with the parent's flat index carried along.
    std::vector<std::pair<NodeId, int>> stack;
    for (auto c = m_headChildren.rbegin(); c != m_headChildren.rend(); ++c)
        stack.emplace_back(*c, -1);
    while (!stack.empty()) {
        const auto [id, parent] = stack.back();
        stack.pop_back();
        const Slot& s = m_nodes.at(id);
        FlatNode n{id, parent, s.node.parentPort, &s.losses, &s.node};
        const auto outlets = s.losses.outletPort.count();
        FlatSteps steps;
        steps.firstOutlet = f.outletPorts;
        f.outletPorts += int(outlets);
        steps.endOutlet = f.outletPorts;
        const int self = int(f.nodes.size());
        f.nodes.push_back(std::move(n));
        f.steps.push_back(steps);
        for (auto c = s.node.children.rbegin(); c != s.node.children.rend(); ++c)
            stack.emplace_back(*c, self);
    }
    // Ids are below m_nextId: placed by id, no sorting.
    std::vector<int> byId(m_nextId, -1);
    for (size_t i = 0; i < f.nodes.size(); ++i)
        byId[f.nodes[i].id] = int(i);
    auto index = std::make_shared<IdIndex>();
    index->entries.reserve(f.nodes.size());
    for (int i : byId)
        if (i >= 0) index->entries.emplace_back(f.nodes[size_t(i)].id, i);
    f.byId = std::move(index);
    f.outlets.resize(size_t(f.outletPorts));
    f.atBandEdges = head.judgeAtBandEdges;
    for (size_t i = 0; i < f.nodes.size(); ++i)
        fillSteps(f, i);
    m_flat.data = std::move(f);
    m_flat.valid = true;
    m_flat.revision = m_revision;
    return m_flat.data;
}

} // namespace miravel::network
