#include "network/towergenerator.h"

#include "common/errors.h"
#include "network/catalogparts.h"
#include "network/propagation.h"
#include "standard/criteria.h"

#include <cmath>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

QString boosterName(int position) {
    return QStringLiteral("階ブースター%1").arg(position + 1);
}

NodeSetup part(ComponentKind kind, const char* model, const char* cable, double metres) {
    NodeSetup setup;
    setup.component.kind = kind;
    setup.component.model = catalogueModelNumber(kind, QString::fromUtf8(model));
    setup.coax = {QString::fromUtf8(cable), metres};
    return setup;
}

void setBooster(Network& net, int position, const BandValues& gain) {
    UserComponent booster{boosterName(position), {}};
    BandLoss loss;
    for (size_t b = 0; b < BandCount; ++b)
        loss[b] = -gain[b];
    booster.ports.push_back(UserPort{loss, false});
    net.setUserComponent(booster);
}

void addFloor(Network& net, NodeId tap, int floor, int position, const TowerPlan& plan) {
    NodeSetup amp;
    amp.coax = {QStringLiteral("S-5C-FB"), 2};
    amp.component.kind = ComponentKind::User;
    amp.component.userName = boosterName(position);
    const NodeId booster = net.addChild(tap, 1, amp);
    const NodeId split =
        net.addChild(booster, 0, part(ComponentKind::Distributor, "CS-D2", "S-5C-FB", 3));
    const NodeId six[2] = {
        net.addChild(split, 0, part(ComponentKind::Distributor, "CS-D6", "S-5C-FB", 2)),
        net.addChild(split, 1, part(ComponentKind::Distributor, "CS-D6", "S-5C-FB", 2))};
    for (int line = 0; line < plan.linesPerFloor; ++line) {
        NodeId from = six[line % 2];
        int port = line / 2;
        for (int u = 0; u < plan.unitsPerLine; ++u) {
            NodeSetup unit = part(ComponentKind::SeriesUnit, "２端子形 CS", "S-5C-FB", u ? 6 : 10);
            unit.component.endUnit = u == plan.unitsPerLine - 1;
            unit.room = QString::number(floor * 100 + line * plan.unitsPerLine + u + 1);
            unit.floor = QString::number(floor) + u'F';
            from = net.addChild(from, port, unit);
            port = 0;
        }
    }
}

// The outputs that feed the risers: a CS-D4, and as many levels of CS-D6
// below it as there are risers to feed.
std::vector<NodeId> riserFeeds(Network& net, int risers) {
    const NodeId top =
        net.addChild(HeadEndId, 0, part(ComponentKind::Distributor, "CS-D4", "S-10C-HFL", 5));
    std::vector<std::pair<NodeId, int>> ports;
    for (int p = 0; p < 4; ++p)
        ports.emplace_back(top, p);
    const NodeSetup six = part(ComponentKind::Distributor, "CS-D6", "S-10C-HFL", 2);
    const NodeLosses sixLosses = convertNodeLosses(six, net);
    for (int level = 0; int(ports.size()) < risers; ++level) {
        // A level beyond the first has its loss made up at the head end.
        for (size_t b = 0; level > 0 && b < BandCount; ++b)
            net.head.levels[b] += sixLosses.coax[b].value_or(0) + sixLosses.ports[0][b].value_or(0);
        std::vector<std::pair<NodeId, int>> below;
        for (const auto& [parent, port] : ports) {
            const NodeId d = net.addChild(parent, port, six);
            for (int q = 0; q < 6; ++q)
                below.emplace_back(d, q);
        }
        ports = std::move(below);
    }
    std::vector<NodeId> feeds;
    for (int r = 0; r < risers; ++r) {
        const auto [parent, port] = ports.at(size_t(r));
        feeds.push_back(
            net.addChild(parent, port, part(ComponentKind::Brancher, "CS-C2", "S-10C-HFL", 4)));
    }
    return feeds;
}

// With every booster at 0 dB, the spread of each floor position's outlet
// levels; the gain moves its middle to the middle of the outlet range (VHF,
// which has none, follows UHF). Whole half decibels, as boosters are set.
void setBoosterGains(Network& net, const TowerPlan& plan) {
    const NetworkResult flat = computeNetwork(net, OutletCriteria{});
    const Profile profile = standardProfile(ProfileId{});
    for (int position = 0; position < plan.floorsPerRiser; ++position) {
        BandValues low, high;
        low.fill(1e9);
        high.fill(-1e9);
        for (const OutletResult& o : flat.outlets) {
            if ((outletFloor(net, o).chopped(1).toInt() - 1) % plan.floorsPerRiser != position)
                continue;
            for (size_t b = 0; b < BandCount; ++b) {
                low[b] = std::min(low[b], o.bands[b].level.value_or(low[b]));
                high[b] = std::max(high[b], o.bands[b].level.value_or(high[b]));
            }
        }
        BandValues gain;
        for (size_t b = 0; b < BandCount; ++b) {
            const auto& range = profile.bands[b == VHF ? size_t(UHF) : b].level;
            const double middle = (range->min + range->max) / 2;
            gain[b] = std::round(2 * (middle - (low[b] + high[b]) / 2)) / 2;
        }
        setBooster(net, position, gain);
    }
}

} // namespace

Network generateTower(const TowerPlan& plan) {
    const int risers =
        plan.floorsPerRiser < 1 ? 0 : (plan.floors + plan.floorsPerRiser - 1) / plan.floorsPerRiser;
    if (plan.floors < 1 || risers < 1 || risers > MaxRisers || plan.linesPerFloor < 2 ||
        plan.linesPerFloor > 12 || plan.unitsPerLine < 1)
        throw UserError(QStringLiteral("生成できない建物の条件です。"));
    Network net;
    net.head.levels = {100, 110, 110, 110, 110};
    for (int position = 0; position < plan.floorsPerRiser; ++position)
        setBooster(net, position, {});
    const std::vector<NodeId> feeds = riserFeeds(net, risers);
    for (int r = 0; r < risers; ++r) {
        NodeId brancher = feeds[size_t(r)];
        for (int f = 0; f < plan.floorsPerRiser; ++f) {
            const int floor = r * plan.floorsPerRiser + f + 1;
            if (floor > plan.floors) break;
            if (f > 0)
                brancher =
                    net.addChild(brancher, 0, part(ComponentKind::Brancher, "CS-C2", "S-7C-FB", 3));
            addFloor(net, brancher, floor, f, plan);
        }
    }
    setBoosterGains(net, plan);
    return net;
}

} // namespace miravel::network
