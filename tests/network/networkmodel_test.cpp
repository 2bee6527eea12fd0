#include "networktestsupport.h"

#include "catalog/catalog.h"
#include "common/errors.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// head - CS-D4 - (port 0) CS-C2 - (tap 1) outlet, (port 1) outlet
struct Small {
    Network net;
    NodeId split, brancher, tapOutlet, sideOutlet;
    Small() {
        split = net.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D4"));
        brancher =
            net.addChild(split, 0, partSetup(ComponentKind::Brancher, "CS-C2", "S-5C-FB", 3));
        tapOutlet = net.addChild(brancher, 1, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
        sideOutlet = net.addChild(split, 1, partSetup(ComponentKind::Outlet, "BS-7F"));
    }
};

struct Edit {
    const char* what;
    std::function<void(Small&)> run;
    const char* message; // part of the refusal
};

TEST(NetworkModel, RefusedEditsChangeNothing) {
    const std::vector<Edit> edits = {
        {"child on an outlet",
         [](Small& s) {
             s.net.addChild(s.tapOutlet, 0, partSetup(ComponentKind::Outlet, "BS-7F"));
         },
         "テレビ端子の出力"},
        {"port beyond the part",
         [](Small& s) { s.net.addChild(s.brancher, 3, partSetup(ComponentKind::Outlet, "BS-7F")); },
         "端子 4"},
        {"missing parent",
         [](Small& s) { s.net.addChild(999, 0, partSetup(ComponentKind::Outlet, "BS-7F")); },
         "999"},
        {"negative run",
         [](Small& s) {
             s.net.addChild(s.split, 2, partSetup(ComponentKind::Outlet, "BS-7F", "S-5C-FB", -1));
         },
         "0～100000"},
        {"unknown cable",
         [](Small& s) {
             s.net.addChild(s.split, 2, partSetup(ComponentKind::Outlet, "BS-7F", "ECO", 1));
         },
         "ECO"},
        {"unknown user part", [](Small& s) { s.net.addChild(s.split, 2, userSetup("なし")); },
         "なし"},
        {"model out of the catalogue",
         [](Small& s) {
             NodeSetup setup = partSetup(ComponentKind::Brancher, "CS-C2");
             setup.component.model = 5;
             s.net.setSetup(s.brancher, setup);
         },
         "5"},
        {"setup leaves a child without its port",
         [](Small& s) { s.net.setSetup(s.split, partSetup(ComponentKind::Outlet, "BS-7F")); },
         "下流"},
        {"move under itself", [](Small& s) { s.net.move(s.split, s.brancher, 0); }, "自分の下流"},
        {"move onto an outlet port", [](Small& s) { s.net.move(s.sideOutlet, s.tapOutlet, 0); },
         "テレビ端子の出力"},
        {"repeat zero times", [](Small& s) { s.net.repeatSubtree(s.brancher, 0); }, "複製の回数"},
        {"repeat beyond the node cap",
         [](Small& s) {
             s.net.repeatSubtree(s.split, MaxRepeat);
             s.net.repeatSubtree(s.split, MaxRepeat);
         },
         "ノードは"},
        {"cable named as a catalogue type",
         [](Small& s) {
             s.net.setCableType({QStringLiteral("S-7C-FB"), {}, std::nullopt});
         },
         "S-7C-FB"},
        {"user part without ports",
         [](Small& s) {
             s.net.setUserComponent({QStringLiteral("X"), {}});
         },
         "1～16"},
        {"second run on a port",
         [](Small& s) { s.net.addChild(s.split, 0, partSetup(ComponentKind::Outlet, "BS-7F")); },
         "端子 1 にはすでに"},
        {"move onto a used port", [](Small& s) { s.net.move(s.tapOutlet, s.split, 1); },
         "端子 2 にはすでに"},
        {"paste onto a used port",
         [](Small& s) { s.net.pasteCopy(s.net.copySubtree(s.tapOutlet), s.brancher, 1); },
         "端子 2 にはすでに"},
        {"repeat beyond the free ports", [](Small& s) { s.net.repeatSubtree(s.sideOutlet, 3); },
         "空いている端子が足りません（空き 2、複製 3 回）"},
        {"insert over used ids",
         [](Small& s) { s.net.insertSubtree(s.net.copySubtree(s.brancher), s.split, 3); },
         "すでに使われて"},
    };
    for (const Edit& e : edits) {
        Small s;
        // 1,001 nodes under the distributor, six lines of branchers under a
        // CS-D6: a thousand copies pass the node cap.
        if (QString::fromUtf8(e.what).contains(QStringLiteral("node cap"))) {
            const NodeId six =
                s.net.addChild(s.split, 2, partSetup(ComponentKind::Distributor, "CS-D6"));
            for (int port = 0; port < 6; ++port) {
                NodeId line = six;
                for (int i = 0; i < 166; ++i)
                    line = s.net.addChild(line, line == six ? port : 0,
                                          partSetup(ComponentKind::Brancher, "CS-C2"));
            }
        }
        const Network before = s.net;
        const auto revision = s.net.revision();
        try {
            e.run(s);
            ADD_FAILURE() << e.what << ": not refused";
        } catch (const UserError& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(e.message)))
                << e.what << ": " << error.message().toStdString();
        }
        EXPECT_TRUE(s.net == before) << e.what;
        EXPECT_EQ(s.net.revision(), revision) << e.what;
    }
}

TEST(NetworkModel, TakeAndInsertRestoresIdsAndPlace) {
    Small s;
    const Network before = s.net;
    const Subtree taken = s.net.takeSubtree(s.brancher);
    EXPECT_FALSE(s.net.contains(s.brancher));
    EXPECT_FALSE(s.net.contains(s.tapOutlet));
    EXPECT_EQ(s.net.nodeCount(), 2);
    s.net.insertSubtree(taken, s.split, 0, 0);
    EXPECT_TRUE(s.net == before);
    EXPECT_EQ(s.net.node(s.tapOutlet).parent, s.brancher);
    EXPECT_EQ(s.net.children(s.split), (std::vector<NodeId>{s.brancher, s.sideOutlet}));
    // A node added after the undo never reuses a taken id.
    s.net.takeSubtree(s.sideOutlet);
    const NodeId fresh = s.net.addChild(s.split, 2, partSetup(ComponentKind::Outlet, "BS-7F"));
    EXPECT_GT(fresh, s.sideOutlet);
}

TEST(NetworkModel, BrokenSubtreesAreRefused) {
    Small source;
    const Subtree good = source.net.takeSubtree(source.brancher);
    const std::vector<std::function<void(Subtree&)>> breaks = {
        [](Subtree& t) { t.nodes[1].parent = 77; },            // parent outside
        [](Subtree& t) { t.nodes[0].children.clear(); },       // not listed
        [](Subtree& t) { t.nodes[1].parentPort = 5; },         // no such port
        [](Subtree& t) { t.nodes[0].children.push_back(99); }, // child missing
        [](Subtree& t) { std::swap(t.nodes[0], t.nodes[1]); }, // not preorder
        [](Subtree& t) { t.nodes.push_back(t.nodes[1]); },     // id twice
    };
    for (size_t i = 0; i < breaks.size(); ++i) {
        Small s;
        s.net.takeSubtree(s.brancher);
        const Network before = s.net;
        Subtree broken = good;
        breaks[i](broken);
        EXPECT_THROW(s.net.insertSubtree(broken, s.split, 0), UserError) << i;
        EXPECT_TRUE(s.net == before) << i;
    }
}

TEST(NetworkModel, MoveChangesParentPortAndOrder) {
    Small s;
    s.net.move(s.sideOutlet, s.brancher, 0, 0);
    EXPECT_EQ(s.net.node(s.sideOutlet).parent, s.brancher);
    EXPECT_EQ(s.net.node(s.sideOutlet).parentPort, 0);
    EXPECT_EQ(s.net.children(s.brancher), (std::vector<NodeId>{s.sideOutlet, s.tapOutlet}));
    EXPECT_EQ(s.net.children(s.split), std::vector<NodeId>{s.brancher});
    const NetworkResult r = computeNetwork(s.net, outletRanges());
    EXPECT_EQ(r.outlets.node(0), s.sideOutlet); // tree order follows
}

TEST(NetworkModel, PasteAndRepeatMakeFreshCopies) {
    Small s;
    const Subtree copy = s.net.copySubtree(s.brancher);
    const NodeId pasted = s.net.pasteCopy(copy, s.split, 2);
    EXPECT_NE(pasted, s.brancher);
    EXPECT_EQ(s.net.node(pasted).setup, s.net.node(s.brancher).setup);
    ASSERT_EQ(s.net.children(pasted).size(), 1u);
    EXPECT_NE(s.net.children(pasted)[0], s.tapOutlet);
    EXPECT_EQ(s.net.node(s.net.children(pasted)[0]).parent, pasted);

    const std::vector<NodeId> copies = s.net.repeatSubtree(s.brancher, 1);
    ASSERT_EQ(copies.size(), 1u);
    const auto& row = s.net.children(s.split);
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[0], s.brancher);
    EXPECT_EQ(row[1], copies[0]);
    EXPECT_EQ(s.net.node(copies[0]).parentPort, 3); // the one port left
    EXPECT_EQ(s.net.nodeCount(), 4 + 2 + 2);
    EXPECT_EQ(computeNetwork(s.net, outletRanges()).outlets.size(), 4u);
}

TEST(NetworkModel, FreePortsComeTapsFirstAndThroughLast) {
    Network n;
    const NodeId split = n.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D4"));
    EXPECT_EQ(n.freePort(HeadEndId), -1); // the booster feeds one run
    const NodeId brancher = n.addChild(split, 0, partSetup(ComponentKind::Brancher, "CS-C4"));
    const NodeId outlet = n.addChild(split, 1, partSetup(ComponentKind::Outlet, "BS-7F"));
    const struct {
        NodeId parent;
        std::vector<int> ports; // taken one after another, then none
    } cases[] = {{split, {2, 3}}, {brancher, {1, 2, 3, 4, 0}}, {outlet, {}}};
    for (const auto& c : cases) {
        std::vector<int> taken;
        for (int p = n.freePort(c.parent); p >= 0; p = n.freePort(c.parent)) {
            taken.push_back(p);
            n.addChild(c.parent, p, partSetup(ComponentKind::Outlet, "BS-7F"));
        }
        EXPECT_EQ(taken, c.ports) << c.parent;
    }
}

TEST(NetworkModel, RepeatedFloorsChainThroughAndCopiesTakeTheNextRooms) {
    Network n;
    const NodeId riser = n.addChild(HeadEndId, 0, partSetup(ComponentKind::Brancher, "CS-C2"));
    const NodeId floor = n.addChild(riser, 0, partSetup(ComponentKind::Brancher, "CS-C4"));
    NodeSetup room = partSetup(ComponentKind::Outlet, "BS-7F");
    room.floor = QStringLiteral("3F");
    for (const char* name : {"301", "303", "A-09"}) {
        room.room = QString::fromUtf8(name);
        n.addChild(floor, n.freePort(floor), room);
    }
    const std::vector<NodeId> copies = n.repeatSubtree(floor, 2);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(n.node(copies[0]).parent, floor);
    EXPECT_EQ(n.node(copies[1]).parent, copies[0]);
    EXPECT_EQ(n.node(copies[1]).parentPort, 0);
    QStringList rooms;
    for (NodeId c : copies)
        for (NodeId o : n.children(c))
            if (n.node(o).setup.component.kind == ComponentKind::Outlet)
                rooms << n.node(o).setup.room;
    EXPECT_EQ(rooms, (QStringList{"302", "304", "A-10", "305", "306", "A-11"}));
    const Network before = n;
    EXPECT_THROW(n.repeatSubtree(floor, 1), UserError); // not the last floor
    EXPECT_TRUE(n == before);
    // A pasted copy numbers on as well.
    const NodeId pasted =
        n.pasteCopy(n.copySubtree(n.children(floor).front()), riser, n.freePort(riser));
    EXPECT_EQ(n.node(pasted).setup.room, QStringLiteral("307"));
}

TEST(NetworkModel, EqualityIgnoresIdsButNotPorts) {
    Small a;
    Network b;
    // Same tree built in another order, so with other ids.
    const NodeId split = b.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D4"));
    b.addChild(split, 1, partSetup(ComponentKind::Outlet, "BS-7F"));
    const NodeId brancher =
        b.addChild(split, 0, partSetup(ComponentKind::Brancher, "CS-C2", "S-5C-FB", 3), 0);
    const NodeId tap = b.addChild(brancher, 1, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
    EXPECT_NE(brancher, a.brancher);
    EXPECT_TRUE(a.net == b);
    b.move(tap, brancher, 2);
    EXPECT_FALSE(a.net == b);
}

TEST(NetworkModel, DefinitionsInUseStay) {
    Small s;
    s.net.setCableType(cableTypeAtColumns(QStringLiteral("ECO"), {1.0, 2.0, 3.0, 4.0}));
    s.net.setSetup(s.sideOutlet, partSetup(ComponentKind::Outlet, "BS-7F", "ECO", 10));
    EXPECT_THROW(s.net.removeCableType(QStringLiteral("ECO")), UserError);
    s.net.setSetup(s.sideOutlet, partSetup(ComponentKind::Outlet, "BS-7F"));
    s.net.removeCableType(QStringLiteral("ECO"));
    EXPECT_TRUE(s.net.cableTypes().empty());

    s.net.setUserComponent(
        {QStringLiteral("U2"), {{{1.0, 1.0, 1.0, 1.0}, false}, {{2.0, 2.0, 2.0, 2.0}, false}}});
    const NodeId u = s.net.addChild(s.split, 2, userSetup("U2"));
    s.net.addChild(u, 1, partSetup(ComponentKind::Outlet, "BS-7F"));
    // Shrinking the part under its child is refused; the old definition stays.
    EXPECT_THROW(s.net.setUserComponent({QStringLiteral("U2"), {{{1.0, 1.0, 1.0, 1.0}, false}}}),
                 UserError);
    EXPECT_EQ(s.net.userComponent(QStringLiteral("U2"))->ports.size(), 2u);
    EXPECT_THROW(s.net.removeUserComponent(QStringLiteral("U2")), UserError);
}

TEST(NetworkModel, DepthCap) {
    Network net;
    NodeId at = HeadEndId;
    for (int i = 0; i < MaxNetworkDepth; ++i)
        at = net.addChild(at, 0, partSetup(ComponentKind::Brancher, "CS-C2"));
    EXPECT_THROW(net.addChild(at, 0, partSetup(ComponentKind::Brancher, "CS-C2")), UserError);
    EXPECT_EQ(net.nodeCount(), MaxNetworkDepth);
}

// Several blocks of slots, half of them emptied and filled again: a removal
// moves the last slot into its hole, so every id must still find its own
// node, after an undo and in a copy.
TEST(NetworkModel, IdsFindTheirNodesAfterRemovalsAndUndo) {
    Network net;
    std::map<NodeId, QString> rooms;
    std::vector<NodeId> level{HeadEndId};
    for (int depth = 0; depth < 5; ++depth) {
        std::vector<NodeId> next;
        for (NodeId parent : level)
            for (int p = 0; p < (parent == HeadEndId ? 1 : 6); ++p) {
                NodeSetup setup = partSetup(ComponentKind::Distributor, "CS-D6");
                setup.room = QString::number(rooms.size());
                next.push_back(net.addChild(parent, p, setup));
                rooms[next.back()] = setup.room;
            }
        level = next;
    }
    const Network before = net;
    const NodeId top = net.children(HeadEndId).front();
    const std::vector<NodeId> second = net.children(top);
    std::vector<std::pair<Subtree, int>> taken; // each with its row
    for (size_t i : {1, 3, 4}) {
        const auto& now = net.children(top);
        const int row = int(std::find(now.begin(), now.end(), second[i]) - now.begin());
        taken.emplace_back(net.takeSubtree(second[i]), row);
    }
    const auto putBack = [&](size_t i) {
        const auto& [subtree, row] = taken[i];
        net.insertSubtree(subtree, top, subtree.nodes.front().parentPort, row);
    };
    putBack(2); // as an undo does: the last taken first
    putBack(1);
    std::set<NodeId> out;
    for (const NetNode& n : taken[0].first.nodes)
        out.insert(n.id);
    for (const Network& n : {net, Network(net)})
        for (const auto& [id, room] : rooms) {
            ASSERT_EQ(n.contains(id), out.count(id) == 0) << id;
            const int flat = n.flatIndex(id);
            if (!out.count(id)) {
                EXPECT_EQ(n.node(id).setup.room, room) << id;
                EXPECT_EQ(n.flat().nodes[size_t(flat)].id, id);
            } else {
                EXPECT_EQ(flat, -1) << id;
            }
        }
    putBack(0);
    EXPECT_TRUE(net == before);
}

// Nodes of one catalogue model or user component share one table of port
// losses; a refilled catalogue cell or a changed definition reaches the nodes
// converted after it.
TEST(NetworkModel, NodesOfOnePartShareTheirPortLosses) {
    Small s;
    const NodeId third = s.net.addChild(s.split, 2, partSetup(ComponentKind::Outlet, "BS-7F"));
    EXPECT_EQ(&s.net.losses(third).ports[0], &s.net.losses(s.sideOutlet).ports[0]);
    EXPECT_NE(&s.net.losses(s.tapOutlet).ports[0], &s.net.losses(s.sideOutlet).ports[0]);
    const int model = catalogueModelNumber(ComponentKind::Outlet, QStringLiteral("BS-7F"));
    miravel::catalog::Tanshi_Mt.set(model, 1, 2, QStringLiteral("9.5")); // VHF
    const NodeId fourth = s.net.addChild(s.split, 3, partSetup(ComponentKind::Outlet, "BS-7F"));
    miravel::catalog::Set_Tanshi();
    EXPECT_EQ(*s.net.losses(fourth).ports[0][0], 9.5);
    EXPECT_NE(*s.net.losses(third).ports[0][0], 9.5);
    s.net.setUserComponent(UserComponent{QStringLiteral("U"), {UserPort{BandLoss{1.0}, true}}});
    const NodeId user = s.net.addChild(s.brancher, 0, userSetup("U"));
    const NodeId other = s.net.addChild(s.brancher, 2, userSetup("U"));
    EXPECT_EQ(&s.net.losses(user).ports[0], &s.net.losses(other).ports[0]);
    s.net.setUserComponent(UserComponent{QStringLiteral("U"), {UserPort{BandLoss{2.0}, true}}});
    EXPECT_EQ(*s.net.losses(user).ports[0][0], 2.0);
}

} // namespace
