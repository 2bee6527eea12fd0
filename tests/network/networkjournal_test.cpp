#include "networktestsupport.h"

#include "network/definitionrows.h"
#include "network/networkjournal.h"
#include "network/towergenerator.h"

#include <functional>
#include <tuple>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// Every node with its id and place, so that a restore keeps the ids too.
std::vector<std::tuple<NodeId, NodeId, int>> places(const Network& net) {
    std::vector<std::tuple<NodeId, NodeId, int>> all;
    for (NodeId id : net.preorder())
        all.emplace_back(id, net.node(id).parent, net.node(id).parentPort);
    return all;
}

// The 12-outlet example less 104 and 304, so that the trunk's tap 4 and
// the 3F distributor's output 4 are free.
Network withFreePorts() {
    Network net = loadExample("apartment-12.tvdn");
    const NodeId trunk = net.children(HeadEndId).front();
    net.takeSubtree(net.children(trunk)[3]);
    const NodeId floor3 = net.children(net.children(trunk)[3])[2];
    net.takeSubtree(net.children(floor3).back());
    return net;
}

NodeId trunk(const Network& n) {
    return n.children(HeadEndId).front();
}
NodeId outlet(const Network& n, int i) { // 101, 102, 103
    return n.children(trunk(n))[size_t(i)];
}
NodeId floor3(const Network& n) {
    return n.children(n.children(trunk(n)).back())[2];
}

TEST(NetworkJournal, EachKindOfEditUndoesAndRedoesExactly) {
    const NodeSetup brancher = partSetup(ComponentKind::Brancher, "CS-C2");
    const struct {
        const char* what;
        std::function<void(Network&)> edit;
    } cases[] = {
        {"setup",
         [](Network& n) {
             NodeSetup s = n.node(trunk(n)).setup;
             s.coax.metres = 42;
             n.setSetup(trunk(n), s);
         }},
        {"add", [&](Network& n) { n.addChild(trunk(n), 4, brancher); }},
        {"remove", [](Network& n) { n.takeSubtree(outlet(n, 1)); }},
        {"move elsewhere", [](Network& n) { n.move(outlet(n, 0), floor3(n), 3, 0); }},
        {"reorder", [](Network& n) { n.move(outlet(n, 2), trunk(n), 3, 0); }},
        {"paste", [](Network& n) { n.pasteCopy(n.copySubtree(outlet(n, 0)), trunk(n), 4); }},
        {"repeat", [](Network& n) { n.repeatSubtree(n.children(floor3(n)).front(), 1); }},
        {"definitions and their use",
         [](Network& n) {
             n.setCableType(cableTypeAtColumns(QStringLiteral("ECO"), {1.0, 2.0, 3.0, 4.0}));
             n.setSetup(trunk(n), partSetup(ComponentKind::Brancher, "CS-C4", "ECO", 3));
             replaceDefinitions(n, {{"ECO", "", "220:9 770:9 1300:9 1770:9"}}, {});
         }},
    };
    for (const auto& c : cases) {
        Network net = withFreePorts();
        const Network before = net;
        NetworkJournal journal;
        net.setJournal(&journal);
        c.edit(net);
        net.setJournal(nullptr);
        const Network after = net;
        ASSERT_FALSE(net == before) << c.what;
        journal.undo(net);
        EXPECT_TRUE(net == before) << c.what;
        EXPECT_EQ(places(net), places(before)) << c.what;
        journal.redo(net);
        EXPECT_TRUE(net == after) << c.what;
        EXPECT_EQ(places(net), places(after)) << c.what;
        EXPECT_EQ(computeNetwork(net, outletRanges()).outlets.size(),
                  computeNetwork(after, outletRanges()).outlets.size());
    }
}

TEST(NetworkJournal, ALengthEditOnTenThousandOutletsHoldsItsChangeOnly) {
    Network net = generateTower({100, 10, 10, 5});
    ASSERT_EQ(computeNetwork(net, outletRanges()).outlets.size(), 10000u);
    const NodeId id = net.preorder().back();
    NodeSetup s = net.node(id).setup;
    s.coax.metres += 1;
    NetworkJournal journal;
    net.setJournal(&journal);
    net.setSetup(id, s);
    EXPECT_LT(journal.heldBytes(), 10000u);
    EXPECT_GT(journal.heldBytes(), sizeof(NodeSetup)); // it does count the setups
}

} // namespace
