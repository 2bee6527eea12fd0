#include "networktestsupport.h"

#include "common/errors.h"
#include "network/terminalpath.h"
#include "terminal/keisan.h"

#include <functional>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

namespace F = TerminalField;

// Sends every outlet to the terminal fields and runs the terminal
// calculation on them: each band the network rates comes out the same.
void expectRoundTrip(const Network& net) {
    const NetworkResult r = computeNetwork(net, outletRanges());
    ASSERT_FALSE(r.outlets.empty());
    for (const OutletResult& o : r.outlets) {
        const TerminalFields f = terminalFieldsForOutlet(net, o.node);
        const KeisanResult k = Keisan(f);
        ASSERT_EQ(k.errorNumber, 0) << outletName(net, o).toStdString();
        const NetBandValues head = headEndLevels(net.head);
        for (int b = 0; b < BandCount; ++b) {
            if (o.bands[b].level) {
                EXPECT_NEAR(*o.bands[b].level, head[size_t(b)] - k.Total_Loss[b], 1e-9)
                    << outletName(net, o).toStdString() << " band " << b;
            }
        }
    }
}

TEST(TerminalPath, ApartmentRoundTrip) {
    expectRoundTrip(loadExample("apartment-12.tvdn"));
}

// Feed-through outlets, BS parts with unrated CS, several coax types and both
// brancher ports, on one tree.
TEST(TerminalPath, MixedTreeRoundTrip) {
    Network net;
    net.head.levels = {96.5, 101, 104.25, 99};
    const NodeId d =
        net.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "BS-D4", "S-7C-FB", 9));
    const NodeId c = net.addChild(d, 2, partSetup(ComponentKind::Brancher, "BS-C2", "S-5C-FB", 3));
    NodeId unit =
        net.addChild(c, 1, partSetup(ComponentKind::SeriesUnit, "１端子分岐形 BS", "S-5C-FB", 4));
    net.setSetup(unit, [&] {
        NodeSetup s = net.node(unit).setup;
        s.room = QStringLiteral("A1");
        return s;
    }());
    unit = net.addChild(unit, 0,
                        partSetup(ComponentKind::SeriesUnit, "１端子分岐形 BS", "S-5C-FB", 4));
    net.addChild(unit, 0,
                 partSetup(ComponentKind::SeriesUnit, "１端子分岐形 BS", "S-5C-FB", 4, true));
    net.addChild(c, 0, partSetup(ComponentKind::Outlet, "BS-7F", "S-7C-FB", 12));
    net.addChild(d, 0, partSetup(ComponentKind::Outlet, "DCM7FT", "S-10C-HFL", 40));
    expectRoundTrip(net);
}

TEST(TerminalPath, FieldsOfAFeedThroughOutlet) {
    const Network net = loadExample("apartment-12.tvdn");
    const NetworkResult r = computeNetwork(net, outletRanges());
    const TerminalFields f =
        terminalFieldsForOutlet(net, outletByRoom(net, r, QStringLiteral("202"))->node);
    EXPECT_EQ(f[F::BrancherPassage[3]], QStringLiteral("1")); // CS-C4 through
    EXPECT_EQ(f[F::BrancherTakeOff[2]], QStringLiteral("1")); // CS-C2 tap
    EXPECT_EQ(f[F::BrancherTakeOff[3]], QString());
    EXPECT_EQ(f[F::CoaxLength[3]], QStringLiteral("11")); // S-7C-FB 8 + 3
    EXPECT_EQ(f[F::CoaxLength[2]], QStringLiteral("9"));  // S-5C-FB 5 + 4
    EXPECT_EQ(f.combo3Index, 4);
    EXPECT_EQ(f[F::UnitCount], QStringLiteral("2"));
    EXPECT_EQ(f[F::UnitThroughLoss[CS]], QStringLiteral("4.8"));
    EXPECT_EQ(f[F::UnitTakeOffLoss[CS]], QStringLiteral("12.5")); // the end unit's port
    EXPECT_EQ(f[F::CircuitName], QStringLiteral("202 2F"));

    const TerminalFields up =
        terminalFieldsForOutlet(net, outletByRoom(net, r, QStringLiteral("201"))->node);
    EXPECT_EQ(up[F::UnitCount], QStringLiteral("1"));
    EXPECT_EQ(up[F::UnitTakeOffLoss[CS]], QStringLiteral("15")); // the feed-through's own port

    const TerminalFields outlet =
        terminalFieldsForOutlet(net, outletByRoom(net, r, QStringLiteral("302"))->node);
    EXPECT_EQ(outlet.combo3Index, 8);
    EXPECT_EQ(outlet.combo3Text, QStringLiteral("テレビ端子 DMC7FTCS (CS対応形)"));
    EXPECT_EQ(outlet[F::UnitThroughLoss[VHF]], QStringLiteral("--"));
    EXPECT_EQ(outlet[F::UnitTakeOffLoss[UHF]], QStringLiteral("0.8"));
    EXPECT_EQ(outlet[F::DistributorCount[4]], QStringLiteral("1"));
    EXPECT_EQ(outlet[F::BoosterLevel[VHF]], QStringLiteral("95"));
}

struct Refused {
    const char* what;
    std::function<NodeId(Network&)> build; // returns the outlet to send
    const char* named;                     // part of the message
};

TEST(TerminalPath, PathsThatCannotBeExpressed) {
    const std::vector<Refused> cases = {
        {"user component",
         [](Network& n) {
             n.setUserComponent({QStringLiteral("分波器X"), {{{1.0, 1.0, 1.0, 1.0}, false}}});
             const NodeId u = n.addChild(HeadEndId, 0, userSetup("分波器X"));
             return n.addChild(u, 0, partSetup(ComponentKind::Outlet, "BS-7F"));
         },
         "分波器X"},
        {"network cable type",
         [](Network& n) {
             n.setCableType(cableTypeAtColumns(QStringLiteral("ECO-7C"), {1.0, 2.0, 3.0, 4.0}));
             return n.addChild(HeadEndId, 0,
                               partSetup(ComponentKind::Outlet, "BS-7F", "ECO-7C", 3));
         },
         "ECO-7C"},
        {"two series-unit types",
         [](Network& n) {
             const NodeId a =
                 n.addChild(HeadEndId, 0, partSetup(ComponentKind::SeriesUnit, "１端子形 BS"));
             return n.addChild(
                 a, 0, partSetup(ComponentKind::SeriesUnit, "２端子形 BS", "S-5C-FB", 2, true));
         },
         "直列ユニット ２端子形 BS（終端）"},
        {"outlet behind a series unit",
         [](Network& n) {
             const NodeId a =
                 n.addChild(HeadEndId, 0, partSetup(ComponentKind::SeriesUnit, "１端子形 CS"));
             return n.addChild(a, 0, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
         },
         "テレビ端子 DCM7FTCS"},
        {"feed-through's own port, rated in no band",
         [](Network& n) {
             return n.addChild(HeadEndId, 0, partSetup(ComponentKind::SeriesUnit, "１端子形 CS"));
         },
         "「直列ユニット １端子形 CS」のこの端子はどの帯域も非対応"},
        {"thin coax: BS and CS unrated",
         [](Network& n) {
             const NodeId d =
                 n.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D2"));
             return n.addChild(d, 1, partSetup(ComponentKind::Outlet, "DCM7FTCS", "７C-2V", 3));
         },
         "のケーブル「７C-2V」は BS・CS が非対応"},
        {"not an outlet",
         [](Network& n) {
             return n.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D2"));
         },
         "端子ではありません"},
    };
    for (const Refused& c : cases) {
        Network net;
        const NodeId outlet = c.build(net);
        try {
            terminalFieldsForOutlet(net, outlet);
            ADD_FAILURE() << c.what << ": not refused";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.named)))
                << c.what << ": " << e.message().toStdString();
        }
    }
}

TEST(TerminalPath, TowerOutletsNameTheFloorBooster) {
    const Network tower = loadExample("tower-40.tvdn");
    const NetworkResult r = computeNetwork(tower, outletRanges());
    try {
        terminalFieldsForOutlet(tower, r.outlets.back().node);
        ADD_FAILURE() << "not refused";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("ユーザー部品 階ブースター")));
    }
}

} // namespace
