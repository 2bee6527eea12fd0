#include "network/floorbuilder.h"

#include "common/errors.h"
#include "network/catalogparts.h"

#include <cmath>

using namespace miravel::common;

namespace miravel::network {

namespace {

UserError refusal(const QString& message) {
    return UserError(message);
}

bool isHub(const Network& net, NodeId id) {
    if (id == HeadEndId) return false;
    const ComponentKind kind = net.node(id).setup.component.kind;
    return kind == ComponentKind::Brancher || kind == ComponentKind::Distributor;
}

// The output the riser leaves by: a brancher's through port, a
// distributor's last output, the head end's one; -1 for other parts.
int riserPort(const Network& net, NodeId id) {
    if (id == HeadEndId) return 0;
    switch (net.node(id).setup.component.kind) {
    case ComponentKind::Brancher:
        return 0;
    case ComponentKind::Distributor:
        return net.portCount(id) - 1;
    default:
        return -1;
    }
}

int depthOf(const Network& net, NodeId id) {
    int depth = 0;
    for (; id != HeadEndId; id = net.node(id).parent)
        ++depth;
    return depth;
}

// The outputs of a floor's hub that feed rooms: a brancher's taps, a
// distributor's outputs but the last when the riser goes on.
std::vector<int> roomPorts(const NodeLosses& hub, ComponentKind kind, bool riserGoesOn) {
    std::vector<int> ports;
    const int count = int(hub.ports.size());
    const int first = kind == ComponentKind::Brancher ? 1 : 0;
    const int last = kind == ComponentKind::Distributor && riserGoesOn ? count - 1 : count;
    for (int p = first; p < last; ++p)
        ports.push_back(p);
    return ports;
}

void checkMetres(double metres) {
    if (!std::isfinite(metres) || metres < 0 || metres > MaxRunMetres)
        throw refusal(
            QStringLiteral("ケーブルの長さは 0～%1 m で指定してください。").arg(MaxRunMetres));
}

void checkCounts(const FloorPlan& plan) {
    if (plan.hub.kind != ComponentKind::Brancher && plan.hub.kind != ComponentKind::Distributor)
        throw refusal(QStringLiteral("各階の機器は分岐器か分配器を選んでください。"));
    if (plan.outlet.kind != ComponentKind::Outlet && plan.outlet.kind != ComponentKind::SeriesUnit)
        throw refusal(QStringLiteral("部屋の機器はテレビ端子か直列ユニットを選んでください。"));
    if (plan.floors < 1 || plan.firstFloor < 1 ||
        plan.firstFloor + plan.floors - 1 > MaxFloorNumber)
        throw refusal(
            QStringLiteral("階は 1～%1 階の範囲で指定してください。").arg(MaxFloorNumber));
    if (plan.rooms < 1 || plan.rooms > MaxRoomsPerFloor)
        throw refusal(QStringLiteral("1 階あたりの部屋数は 1～%1 で指定してください。")
                          .arg(MaxRoomsPerFloor));
    for (double metres : {plan.riser.metres, plan.drop.metres, plan.linkMetres})
        checkMetres(metres);
}

// Rooms per output, spread evenly: the first outputs take one more.
std::vector<int> roomsPerPort(int rooms, int ports) {
    std::vector<int> counts(size_t(ports), rooms / ports);
    for (int p = 0; p < rooms % ports; ++p)
        ++counts[size_t(p)];
    return counts;
}

struct FloorShape {
    int longestChain = 0; // units on one output
    int nodesPerFloor = 0;
};

FloorShape checkShape(const Network& net, const FloorPlan& plan) {
    NodeSetup hub;
    hub.component = plan.hub;
    hub.coax = plan.riser;
    const NodeLosses losses = convertNodeLosses(hub, net); // unknown names are refused here
    NodeSetup unit;
    unit.component = plan.outlet;
    unit.coax = plan.drop;
    convertNodeLosses(unit, net);
    FloorShape shape;
    for (bool riserGoesOn : {plan.floors > 1, false}) {
        const size_t ports = roomPorts(losses, plan.hub.kind, riserGoesOn).size();
        if (ports == 0)
            throw refusal(QStringLiteral("%1には部屋につなぐ出力がありません。")
                              .arg(componentLabel(plan.hub)));
        const int chain = (plan.rooms + int(ports) - 1) / int(ports);
        if (chain > 1 && plan.outlet.kind == ComponentKind::Outlet)
            throw refusal(QStringLiteral("%1の部屋に使える出力は %2 です（部屋数 %3）。"
                                         "テレビ端子は 1 出力に 1 つなので、部屋数を減らすか"
                                         "直列ユニットを選んでください。")
                              .arg(componentLabel(plan.hub))
                              .arg(ports)
                              .arg(plan.rooms));
        shape.longestChain = std::max(shape.longestChain, chain);
    }
    shape.nodesPerFloor = 1 + plan.rooms;
    return shape;
}

NodeSetup roomSetup(const FloorPlan& plan, int floor, int room, bool first, bool last) {
    NodeSetup setup;
    setup.component = plan.outlet;
    setup.component.endUnit = plan.outlet.kind == ComponentKind::SeriesUnit && last;
    setup.coax = first ? plan.drop : CoaxRun{plan.drop.cable, plan.linkMetres};
    setup.room = QString::number(floor * 100 + room);
    setup.floor = QStringLiteral("%1F").arg(floor);
    return setup;
}

NodeId addFloor(Network& net, NodeId at, int port, const FloorPlan& plan, int floor, bool top) {
    NodeSetup hub;
    hub.component = plan.hub;
    hub.coax = plan.riser;
    const NodeId id = net.addChild(at, port, hub);
    const std::vector<int> ports = roomPorts(net.losses(id), plan.hub.kind, !top);
    const std::vector<int> counts = roomsPerPort(plan.rooms, int(ports.size()));
    int room = 0;
    for (size_t p = 0; p < ports.size(); ++p) {
        NodeId parent = id;
        int parentPort = ports[p];
        for (int u = 0; u < counts[p]; ++u) {
            const NodeSetup setup = roomSetup(plan, floor, ++room, u == 0, u + 1 == counts[p]);
            parent = net.addChild(parent, parentPort, setup);
            parentPort = 0; // a feed-through unit passes the chain on by its port 0
        }
    }
    return id;
}

} // namespace

NodeId riserEnd(const Network& net, NodeId from) {
    NodeId at = from;
    for (;;) {
        const int port = riserPort(net, at);
        if (port < 0) return at;
        const NodeId next = net.childOnPort(at, port);
        if (!isHub(net, next)) return at;
        at = next;
    }
}

std::vector<NodeId> addFloors(Network& net, NodeId from, const FloorPlan& plan) {
    if (!net.contains(from))
        throw refusal(QStringLiteral("指定のノード（%1）はありません。").arg(from));
    checkCounts(plan);
    const NodeId at = riserEnd(net, from);
    const int port = riserPort(net, at);
    if (port < 0)
        throw refusal(QStringLiteral("階はヘッドエンド・分岐器・分配器の下に追加します。"));
    if (net.childOnPort(at, port) != HeadEndId)
        throw refusal(QStringLiteral("幹線の出力（端子 %1）にはすでに配線がつながっています。")
                          .arg(port + 1));
    const FloorShape shape = checkShape(net, plan);
    if (qint64(net.nodeCount()) + qint64(shape.nodesPerFloor) * plan.floors > MaxNetworkNodes)
        throw refusal(QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
    if (depthOf(net, at) + plan.floors + shape.longestChain > MaxNetworkDepth)
        throw refusal(QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
    std::vector<NodeId> hubs;
    NodeId parent = at;
    int parentPort = port;
    for (int f = 0; f < plan.floors; ++f) {
        parent = addFloor(net, parent, parentPort, plan, plan.firstFloor + f, f + 1 == plan.floors);
        parentPort = riserPort(net, parent);
        hubs.push_back(parent);
    }
    return hubs;
}

} // namespace miravel::network
