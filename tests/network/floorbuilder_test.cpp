#include "networktestsupport.h"

#include "network/floorbuilder.h"
#include "network/kindchange.h"
#include "network/networkjournal.h"

#include "common/errors.h"

using namespace miravel::common;
using namespace miravel::network;

namespace {

Component part(ComponentKind kind, const char* model) {
    return {kind, catalogueModelNumber(kind, QString::fromUtf8(model)), false, {}, {}};
}

FloorPlan floorPlan(int floor, const char* hub, ComponentKind hubKind, double riser, double drop) {
    FloorPlan plan;
    plan.firstFloor = floor;
    plan.riser = {QStringLiteral("S-7C-FB"), riser};
    plan.hub = part(hubKind, hub);
    plan.drop = {QStringLiteral("S-5C-FB"), drop};
    plan.outlet = part(ComponentKind::Outlet, "DCM7FTCS");
    return plan;
}

// Three clicks of 階を追加, each on the head end, stack the example's floors.
TEST(FloorBuilder, BuildsTheTwelveOutletExample) {
    const Network example = loadExample("apartment-12.tvdn");
    Network net;
    net.head = example.head;
    addFloors(net, HeadEndId, floorPlan(1, "CS-C4", ComponentKind::Brancher, 8, 6));
    FloorPlan second = floorPlan(2, "CS-C2", ComponentKind::Brancher, 3, 5);
    second.outlet = part(ComponentKind::SeriesUnit, "２端子形 CS"); // two per tap
    addFloors(net, HeadEndId, second);
    addFloors(net, HeadEndId, floorPlan(3, "CS-D4", ComponentKind::Distributor, 3, 5));
    EXPECT_TRUE(net == example);
}

TEST(FloorBuilder, ADistributorPassesTheRiserOnByItsLastOutput) {
    Network net;
    FloorPlan plan = floorPlan(5, "CS-D4", ComponentKind::Distributor, 3, 5);
    plan.floors = 2;
    plan.rooms = 3;
    const std::vector<NodeId> hubs = addFloors(net, HeadEndId, plan);
    ASSERT_EQ(hubs.size(), 2u);
    EXPECT_EQ(net.childOnPort(hubs[0], 3), hubs[1]);
    EXPECT_EQ(net.node(net.childOnPort(hubs[1], 2)).setup.room, QStringLiteral("603"));
    EXPECT_EQ(net.node(net.childOnPort(hubs[1], 2)).setup.floor, QStringLiteral("6F"));
    EXPECT_EQ(net.childOnPort(hubs[1], 3), HeadEndId);
}

TEST(FloorBuilder, RefusalsChangeNothing) {
    Network net;
    addFloors(net, HeadEndId, floorPlan(1, "CS-C4", ComponentKind::Brancher, 8, 6));
    const Network before = net;
    FloorPlan tooMany = floorPlan(4, "CS-C2", ComponentKind::Brancher, 3, 5);
    tooMany.rooms = 3; // outlets, two taps
    FloorPlan huge = floorPlan(4, "CS-C4", ComponentKind::Brancher, 3, 5);
    huge.floors = 900;
    huge.rooms = 99;
    huge.outlet = part(ComponentKind::SeriesUnit, "２端子形 CS");
    FloorPlan badCable = floorPlan(4, "CS-C4", ComponentKind::Brancher, 3, 5);
    badCable.drop.cable = QStringLiteral("10C");
    const struct {
        FloorPlan plan;
        const char* saying;
    } cases[] = {{tooMany, "直列ユニットを選んで"},
                 {huge, "階層は"},
                 {badCable, "「10C」は登録されていません"}};
    for (const auto& c : cases) {
        try {
            addFloors(net, HeadEndId, c.plan);
            ADD_FAILURE() << c.saying;
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.saying)))
                << e.message().toStdString();
        }
        EXPECT_TRUE(net == before);
    }
    // The 3F distributor's last output holds an outlet: no riser to go on.
    Network full = loadExample("apartment-12.tvdn");
    EXPECT_THROW(addFloors(full, HeadEndId, floorPlan(4, "CS-C4", ComponentKind::Brancher, 3, 5)),
                 UserError);
}

NodeId trunk(const Network& n) {
    return n.children(HeadEndId).front();
}

TEST(KindChange, BrancherToDistributorAndBackKeepsTheChildren) {
    const Network example = loadExample("apartment-12.tvdn");
    Network net = example;
    const NodeId floor1 = trunk(net);
    const NodeId riser = net.childOnPort(floor1, 0);
    NetworkJournal journal;
    net.setJournal(&journal);
    changeKind(net, floor1, part(ComponentKind::Distributor, "CS-D6"));
    EXPECT_EQ(net.childOnPort(floor1, 5), riser); // the riser on the last output
    EXPECT_EQ(net.node(net.childOnPort(floor1, 0)).setup.room, QStringLiteral("101"));
    EXPECT_EQ(net.childOnPort(floor1, 4), HeadEndId);
    changeKind(net, floor1, part(ComponentKind::Brancher, "CS-C4"));
    EXPECT_TRUE(net == example);
    // Both changes undo as recorded, ids included.
    net.setJournal(nullptr);
    journal.undo(net);
    EXPECT_TRUE(net == example);
    EXPECT_EQ(net.childOnPort(floor1, 0), riser);
}

TEST(KindChange, NamesWhatCannotMoveAndChangesNothing) {
    Network net = loadExample("apartment-12.tvdn");
    const Network before = net;
    try {
        changeKind(net, trunk(net), part(ComponentKind::Distributor, "CS-D4"));
        ADD_FAILURE();
    } catch (const UserError& e) {
        // The riser keeps the last output; tap 4's outlet finds none.
        EXPECT_EQ(e.message(), QStringLiteral("分配器 CS-D4には次の配線をつなぐ出力がありません: "
                                              "テレビ端子 DCM7FTCS（104）"));
    }
    EXPECT_TRUE(net == before);
    // The 3F distributor's outlets go to the brancher's taps.
    const NodeId floor3 = net.childOnPort(net.childOnPort(trunk(net), 0), 0);
    const NodeId outlet304 = net.childOnPort(floor3, 3);
    changeKind(net, floor3, part(ComponentKind::Brancher, "CS-C4"));
    EXPECT_EQ(net.childOnPort(floor3, 4), outlet304);
    EXPECT_EQ(net.childOnPort(floor3, 0), HeadEndId);
}

} // namespace
