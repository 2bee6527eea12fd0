#include "network/towergenerator.h"

#include "common/errors.h"
#include "network/catalogparts.h"

namespace {

const QString FloorBooster = QStringLiteral("階ブースター");

NodeSpec part(ComponentKind kind, const char* model, const char* cable, double metres) {
    NodeSpec spec;
    spec.component.kind = kind;
    spec.component.model = catalogueModelNumber(kind, QString::fromUtf8(model));
    spec.coax = {QString::fromUtf8(cable), metres};
    return spec;
}

QString floorName(int floor) {
    return QString::number(floor) + u'F';
}

void addFloor(Network& net, NodeId tap, int floor, const TowerPlan& plan) {
    NodeSpec amp;
    amp.coax = {QStringLiteral("S-5C-FB"), 2};
    amp.component.kind = ComponentKind::User;
    amp.component.userName = FloorBooster;
    const NodeId booster = net.addChild(tap, 1, amp);
    const NodeId split =
        net.addChild(booster, 0, part(ComponentKind::Distributor, "CS-D6", "S-5C-FB", 3));
    for (int line = 0; line < plan.linesPerFloor; ++line) {
        NodeId from = split;
        int port = line;
        for (int u = 0; u < plan.unitsPerLine; ++u) {
            NodeSpec unit = part(ComponentKind::SeriesUnit, "２端子形 CS", "S-5C-FB", u ? 6 : 10);
            unit.component.endUnit = u == plan.unitsPerLine - 1;
            unit.room = QString::number(floor * 100 + line * plan.unitsPerLine + u + 1);
            unit.floor = floorName(floor);
            from = net.addChild(from, port, unit);
            port = 0;
        }
    }
}

// The outputs that feed the risers, on one or two levels of distributors.
std::vector<NodeId> riserFeeds(Network& net, int risers) {
    const NodeId top =
        net.addChild(HeadEndId, 0, part(ComponentKind::Distributor, "CS-D4", "S-10C-HFL", 5));
    std::vector<std::pair<NodeId, int>> ports;
    if (risers <= 4) {
        for (int p = 0; p < 4; ++p)
            ports.emplace_back(top, p);
    } else {
        for (int p = 0; p < 4; ++p) {
            const NodeId d =
                net.addChild(top, p, part(ComponentKind::Distributor, "CS-D6", "S-10C-HFL", 2));
            for (int q = 0; q < 6; ++q)
                ports.emplace_back(d, q);
        }
    }
    std::vector<NodeId> feeds;
    for (int r = 0; r < risers; ++r) {
        // The first riser brancher of each riser, reached through the shaft.
        const auto [parent, port] = ports.at(size_t(r));
        NodeSpec first = part(ComponentKind::Brancher, "CS-C2", "S-10C-HFL", 4 + 3.0 * r);
        feeds.push_back(net.addChild(parent, port, first));
    }
    return feeds;
}

} // namespace

Network generateTower(const TowerPlan& plan) {
    const int risers = (plan.floors + plan.floorsPerRiser - 1) / plan.floorsPerRiser;
    if (plan.floors < 1 || plan.floorsPerRiser < 1 || risers > 24 || plan.linesPerFloor < 1 ||
        plan.linesPerFloor > 6 || plan.unitsPerLine < 1)
        throw UserError(QStringLiteral("生成できない建物の条件です。"));
    Network net;
    net.head.levels = {100, 110, 110, 110};
    UserComponent booster;
    booster.name = FloorBooster;
    booster.ports.push_back(UserPort{{-20.0, -30.0, -30.0, -30.0}, false});
    net.setUserComponent(booster);
    const std::vector<NodeId> feeds = riserFeeds(net, risers);
    for (int r = 0; r < risers; ++r) {
        NodeId brancher = feeds[size_t(r)];
        for (int f = 0; f < plan.floorsPerRiser; ++f) {
            const int floor = r * plan.floorsPerRiser + f + 1;
            if (floor > plan.floors) break;
            if (f > 0)
                brancher =
                    net.addChild(brancher, 0, part(ComponentKind::Brancher, "CS-C2", "S-7C-FB", 3));
            addFloor(net, brancher, floor, plan);
        }
    }
    return net;
}
