#include "network/kindchange.h"

#include "common/errors.h"
#include "network/catalogparts.h"
#include "network/networktexts.h"

#include <algorithm>

using namespace miravel::common;

namespace miravel::network {

namespace {

bool isHubKind(ComponentKind kind) {
    return kind == ComponentKind::Brancher || kind == ComponentKind::Distributor;
}

// The through output (riser) of a part with `ports` outputs, or -1.
int throughPort(ComponentKind kind, int ports) {
    if (kind == ComponentKind::Brancher) return 0;
    if (kind == ComponentKind::Distributor) return ports - 1;
    if (kind == ComponentKind::SeriesUnit && ports > 1) return 0;
    return -1;
}

// Outputs that take a run, the through output aside, in their order.
std::vector<int> dropPorts(const NodeLosses& losses, int through) {
    std::vector<int> ports;
    for (int p = 0; p < int(losses.ports.size()); ++p)
        if (p != through && !losses.outletPort[size_t(p)]) ports.push_back(p);
    return ports;
}

struct Layout {
    int through = -1;
    std::vector<int> drops;
    int count = 0;
};

Layout layoutOf(const NodeLosses& losses, ComponentKind kind) {
    Layout l;
    l.count = int(losses.ports.size());
    l.through = throughPort(kind, l.count);
    if (l.through >= 0 && losses.outletPort[size_t(l.through)]) l.through = -1;
    l.drops = dropPorts(losses, l.through);
    return l;
}

// A distributor's last output carries the riser only when a hub hangs there.
bool onRiser(const Network& net, const NetNode& child, const Layout& old, ComponentKind oldKind) {
    if (child.parentPort != old.through) return false;
    return oldKind != ComponentKind::Distributor ||
           isHubKind(net.node(child.id).setup.component.kind);
}

// Display order: a brancher's taps first, its through port last.
int displayKey(ComponentKind kind, int port) {
    return kind == ComponentKind::Brancher && port == 0 ? 1 << 20 : port;
}

} // namespace

KindChangePlan planKindChange(const Network& net, NodeId id, const Component& to) {
    if (id == HeadEndId || !net.contains(id))
        throw UserError(QStringLiteral("種類を変える部品を選んでください。"));
    const NetNode& node = net.node(id);
    const ComponentKind oldKind = node.setup.component.kind;
    NodeSetup setup = node.setup;
    setup.component = to;
    const Layout old = layoutOf(net.losses(id), oldKind);
    const Layout now = layoutOf(convertNodeLosses(setup, net), to.kind);
    std::vector<int> wanted;
    std::vector<bool> taken(size_t(now.count), false);
    for (NodeId c : node.children) {
        const NetNode& child = net.node(c);
        int port = -1;
        if (onRiser(net, child, old, oldKind)) {
            port = now.through;
        } else {
            const auto at = std::find(old.drops.begin(), old.drops.end(), child.parentPort);
            const size_t rank = size_t(at - old.drops.begin());
            if (at != old.drops.end() && rank < now.drops.size()) port = now.drops[rank];
        }
        if (port >= 0 && taken[size_t(port)]) port = -1;
        if (port >= 0) taken[size_t(port)] = true;
        wanted.push_back(port);
    }
    std::vector<int> spare = now.drops;
    if (now.through >= 0) spare.push_back(now.through);
    KindChangePlan plan;
    for (size_t i = 0; i < node.children.size(); ++i) {
        int port = wanted[i];
        for (auto s = spare.begin(); port < 0 && s != spare.end(); ++s)
            if (!taken[size_t(*s)]) port = *s;
        if (port < 0) {
            plan.homeless.push_back(node.children[i]);
            continue;
        }
        taken[size_t(port)] = true;
        plan.moves.emplace_back(node.children[i], port);
    }
    std::stable_sort(plan.moves.begin(), plan.moves.end(), [&](const auto& a, const auto& b) {
        return displayKey(to.kind, a.second) < displayKey(to.kind, b.second);
    });
    return plan;
}

void changeKind(Network& net, NodeId id, const Component& to) {
    const KindChangePlan plan = planKindChange(net, id, to);
    if (!plan.homeless.empty()) {
        QStringList names;
        for (NodeId c : plan.homeless) {
            const QString room = net.node(c).setup.room;
            names << nodeTitle(net, c) + (room.isEmpty() ? QString() : u'（' + room + u'）');
        }
        throw UserError(QStringLiteral("%1には次の配線をつなぐ出力がありません: %2")
                            .arg(componentLabel(to), names.join(QStringLiteral("、"))));
    }
    NodeSetup setup = net.node(id).setup;
    setup.component = to;
    std::vector<Subtree> taken;
    for (NodeId c : std::vector<NodeId>(net.children(id)))
        taken.push_back(net.takeSubtree(c));
    net.setSetup(id, setup);
    for (const auto& [child, port] : plan.moves) {
        const auto s = std::find_if(taken.begin(), taken.end(), [c = child](const Subtree& t) {
            return t.nodes.front().id == c;
        });
        net.insertSubtree(*s, id, port);
    }
}

} // namespace miravel::network
