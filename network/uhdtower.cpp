#include "network/uhdtower.h"

namespace miravel::network {

namespace {

// Example figures per band (VHF, UHF, BS, CS, 左旋), marked as examples in
// their names. The low floors of a riser take the branchers with the larger
// tap loss.
const BandLoss Through{0.8, 1.0, 1.4, 1.6, 2.5};
const BandLoss Tap{10.0, 10.0, 10.5, 11.0, 12.0};
const BandLoss TapLow{13.0, 13.0, 13.5, 14.0, 15.0};
const BandLoss TwoWay{4.0, 4.5, 5.0, 5.5, 7.0};
const BandLoss FourWay{7.5, 8.0, 9.0, 9.5, 11.0};
const BandLoss Wall{1.0, 1.0, 1.5, 1.5, 2.0};

const QString Brancher = QStringLiteral("例）SH2分岐器");
const QString BrancherLow = QStringLiteral("例）SH2分岐器（低層用）");
const QString Splitter2 = QStringLiteral("例）SH2分配器");
const QString Splitter4 = QStringLiteral("例）SH4分配器");
const QString Outlet = QStringLiteral("例）SH端子");

constexpr int FloorsPerZone = 7;
constexpr double FloorHeight = 3.5; // m of riser cable per floor

void defineParts(Network& net) {
    net.setUserComponent(UserComponent{Brancher, {{Through, false}, {Tap, false}, {Tap, false}}});
    net.setUserComponent(
        UserComponent{BrancherLow, {{Through, false}, {TapLow, false}, {TapLow, false}}});
    net.setUserComponent(UserComponent{Splitter2, {{TwoWay, false}, {TwoWay, false}}});
    net.setUserComponent(UserComponent{
        Splitter4, {{FourWay, false}, {FourWay, false}, {FourWay, false}, {FourWay, false}}});
    net.setUserComponent(UserComponent{Outlet, {{Wall, true}}});
}

NodeSetup user(const QString& name, const char* cable, double metres) {
    NodeSetup setup;
    setup.component.kind = ComponentKind::User;
    setup.component.userName = name;
    setup.coax = {QString::fromLatin1(cable), metres};
    return setup;
}

// A line booster that makes up a zone's trunk run and distributor.
NodeSetup lineBooster(double metres) {
    NodeSetup setup;
    setup.coax = {QStringLiteral("ECO-S-7C-FB"), metres};
    setup.component.kind = ComponentKind::Booster;
    setup.component.userName = QStringLiteral("例）SHラインブースター");
    BoosterSpec& b = setup.component.booster.edit();
    b.gain = {6.0, 8.5, 10.5, 12.0, 17.0};
    b.noiseFigure = {8, 9, 7, 7, 8};
    b.maxOutput = {110, 112, 115, 118, 124};
    b.minInput = {60, 60, 60, 60, 60};
    return setup;
}

// One floor: the tap feeds a four-way distributor and four rooms.
void addFloor(Network& net, NodeId brancher, int floor) {
    const NodeId split = net.addChild(brancher, 1, user(Splitter4, "ECO-S-5C-FB", 3));
    const double runs[4] = {5, 9, 14, 25};
    for (int room = 0; room < 4; ++room) {
        NodeSetup outlet = user(Outlet, "ECO-S-5C-FB", runs[room]);
        outlet.room = QString::number(floor * 100 + room + 1);
        outlet.floor = QString::number(floor) + u'F';
        net.addChild(split, room, outlet);
    }
}

// A zone's riser of branchers from its `first` floor up.
void addRiser(Network& net, NodeId feed, int first) {
    NodeId brancher = HeadEndId;
    for (int f = 0; f < FloorsPerZone; ++f) {
        const QString& model = f < 4 ? BrancherLow : Brancher;
        brancher = f == 0 ? net.addChild(feed, 0, user(model, "ECO-S-7C-FB", 4))
                          : net.addChild(brancher, 0, user(model, "ECO-S-7C-FB", FloorHeight));
        addFloor(net, brancher, first + f);
    }
}

} // namespace

Network generateUhdTower() {
    Network net;
    defineParts(net);
    HeadEnd head;
    head.levels = {95, 100, 107, 112, 122};
    head.gain = {25, 30, 37, 42, 52};
    head.cnSource = CnSource::Typed;
    head.incomingCn = {40, 40, 22, 22, 22};
    head.noiseFigure = {8, 10, 8, 8, 8};
    net.setHead(head);
    // Zone by zone up the trunk: a two-way distributor feeds the zone's
    // riser and the run to the next zone's line booster.
    NodeId split = net.addChild(HeadEndId, 0, user(Splitter2, "ECO-S-7C-FB", 5));
    for (int zone = 0; zone < UhdTowerFloors / FloorsPerZone; ++zone) {
        if (zone > 0) {
            const NodeId booster = net.addChild(split, 1, lineBooster(FloorsPerZone * FloorHeight));
            split = net.addChild(booster, 0, user(Splitter2, "ECO-S-7C-FB", 1));
        }
        addRiser(net, split, zone * FloorsPerZone + 1);
    }
    return net;
}

} // namespace miravel::network
