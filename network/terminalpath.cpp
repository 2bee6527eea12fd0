#include "network/terminalpath.h"

#include "catalog/catalog.h"
#include "common/errors.h"
#include "common/numval.h"
#include "network/catalogparts.h"
#include "network/propagation.h"
#include "terminal/keisan.h"

#include <algorithm>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::network {

namespace {

namespace F = TerminalField;

struct PathStep {
    NodeId id;
    int port; // the output port the path leaves by
};

// Head end to outlet, each node with the port the signal leaves it by.
std::vector<PathStep> pathTo(const Network& net, NodeId outlet) {
    const auto& ports = net.losses(outlet).outletPort;
    const int own = ports.first();
    if (own < 0) throw UserError(QStringLiteral("選んだノードは端子ではありません。"));
    std::vector<PathStep> path{{outlet, own}};
    for (NodeId id = outlet; net.node(id).parent != HeadEndId; id = net.node(id).parent)
        path.push_back({net.node(id).parent, net.node(id).parentPort});
    std::reverse(path.begin(), path.end());
    return path;
}

QString partName(const NetNode& n) {
    QString name = componentLabel(n.setup.component);
    if (!n.setup.room.isEmpty() || !n.setup.floor.isEmpty())
        name += QStringLiteral("（") + (n.setup.room + u' ' + n.setup.floor).trimmed() +
                QStringLiteral("）");
    return name;
}

[[noreturn]] void cannot(const NetNode& n, const QString& why) {
    throw UserError(QStringLiteral("「%1」%2").arg(partName(n), why) + QChar(13) +
                    QStringLiteral("この端子の経路は端末計算へ送れません。"));
}

struct Bill {
    std::array<double, 6> distributors{};
    std::array<double, 4> passages{};
    std::array<double, 4> takeOffs{};
    std::array<double, CoaxTypeCount> metres{};
    int unitType = 0; // 1..5 series unit, 6..9 TV outlet, 0 none yet
    double units = 0;
    bool throughEnd = false; // the outlet is a feed-through unit's own port
};

void addStep(Bill& bill, const NetNode& n, int port, bool last) {
    const int coax = catalogueCoaxIndex(n.setup.coax.cable);
    if (coax < 0)
        cannot(n,
               QStringLiteral("のケーブル「%1」は端末計算にありません。").arg(n.setup.coax.cable));
    bill.metres[size_t(coax)] += n.setup.coax.metres;
    const Component& c = n.setup.component;
    switch (c.kind) {
    case ComponentKind::Distributor:
        bill.distributors[size_t(c.model - 1)] += 1;
        return;
    case ComponentKind::Brancher:
        (port == 0 ? bill.passages : bill.takeOffs)[size_t(c.model - 1)] += 1;
        return;
    case ComponentKind::SeriesUnit:
        if (bill.unitType && bill.unitType != c.model)
            cannot(n, QStringLiteral("は経路上の別の種類の直列ユニットと一緒に計算できません。"));
        if (c.endUnit && !last)
            cannot(n, QStringLiteral("の終端ユニットは経路の途中に置けません。"));
        bill.unitType = c.model;
        bill.units += 1;
        bill.throughEnd = last && !c.endUnit;
        return;
    case ComponentKind::Outlet:
        if (bill.unitType)
            cannot(n, QStringLiteral("は直列ユニットと同じ経路にあるため計算できません。"));
        bill.unitType = SeriesUnitTypeCount + c.model;
        bill.units = 1;
        return;
    case ComponentKind::User:
        cannot(n, QStringLiteral("はユーザー部品のため端末計算にありません。"));
    case ComponentKind::Booster:
        cannot(n, QStringLiteral("はブースターのため端末計算にありません。"));
    }
}

QString bandNames(const BandLoss& loss) {
    QStringList names;
    for (int b = 0; b < BandCount; ++b)
        if (!loss[size_t(b)]) names << bandName(b);
    return names.join(u'・');
}

// The terminal calculation reads a loss the catalogue lacks ("--") as 0,
// where the network leaves the band unrated: a thin coax run (no BS, CS) or
// a port rated in no band would give levels the network does not.
void checkRated(const Network& net, const PathStep& step) {
    const NetNode& n = net.node(step.id);
    const NodeLosses& losses = net.losses(step.id);
    if (!bandNames(losses.coax).isEmpty())
        cannot(n, QStringLiteral("のケーブル「%1」は %2 が非対応で、端末計算とレベルが合いません。")
                      .arg(n.setup.coax.cable, bandNames(losses.coax)));
    const BandLoss& port = losses.ports[size_t(step.port)];
    if (std::none_of(port.begin(), port.end(), [](const auto& l) { return l.has_value(); }))
        cannot(n, QStringLiteral("のこの端子はどの帯域も非対応で、端末計算とレベルが合いません。"));
}

QString count(double n) {
    return n == 0 ? QString() : NumText(n);
}

void fillUnitFields(TerminalFields& f, const Bill& bill) {
    f.combo3Index = bill.unitType - 1;
    if (f.combo3Index >= 0) f.combo3Text = seriesUnitTypeName(f.combo3Index);
    f[F::UnitCount] = count(bill.units);
    for (int b = 0; b < BandCount; ++b) {
        if (bill.unitType > SeriesUnitTypeCount) {
            f[F::UnitThroughLoss[b]] = QStringLiteral("--");
            f[F::UnitTakeOffLoss[b]] = Tanshi_Mt(bill.unitType - SeriesUnitTypeCount, b + 1, 2);
        } else {
            const CatalogTable& t = seriesUnitTable(bill.unitType);
            f[F::UnitThroughLoss[b]] = t(1, b + 1, 2);
            // The chain ends at the end unit's port, or at a feed-through's own.
            f[F::UnitTakeOffLoss[b]] = t(bill.throughEnd ? 1 : 2, b + 1, 3);
        }
    }
}

} // namespace

TerminalFields terminalFieldsForOutlet(const Network& network, NodeId outlet) {
    if (outlet == HeadEndId || !network.contains(outlet))
        throw UserError(QStringLiteral("端子を選んでください。"));
    const std::vector<PathStep> path = pathTo(network, outlet);
    Bill bill;
    for (size_t i = 0; i < path.size(); ++i) {
        addStep(bill, network.node(path[i].id), path[i].port, i + 1 == path.size());
        checkRated(network, path[i]);
    }
    TerminalFields f;
    for (int m = 0; m < 6; ++m)
        f[F::DistributorCount[m]] = count(bill.distributors[size_t(m)]);
    for (int m = 0; m < 4; ++m) {
        f[F::BrancherPassage[m]] = count(bill.passages[size_t(m)]);
        f[F::BrancherTakeOff[m]] = count(bill.takeOffs[size_t(m)]);
    }
    for (int c = 0; c < CoaxTypeCount; ++c)
        f[F::CoaxLength[c]] = count(bill.metres[size_t(c)]);
    fillUnitFields(f, bill);
    const NetBandValues levels = headEndLevels(network.head);
    for (int b = 0; b < BandCount; ++b)
        f[F::BoosterLevel[b]] = NumText(levels[size_t(b)]);
    const NodeSetup& setup = network.node(outlet).setup;
    f[F::CircuitName] = (setup.room + u' ' + setup.floor).trimmed();
    return f;
}

} // namespace miravel::network
