#include "network/towergenerator.h"
#include "network/ui/networkdocument.h"

#include <QUndoStack>
#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// Twenty edits of every kind on the 2,000-outlet tower.
void editTheTower(NetworkDocument& doc) {
    const std::vector<NodeId> order = doc.network().preorder();
    for (int i = 0; i < 20; ++i) {
        const NodeId id = order[order.size() - 1 - size_t(i) * 97];
        const NetNode node = doc.network().node(id);
        QString refusal;
        if (i % 5 == 1) {
            refusal = doc.edit(QStringLiteral("削除"), [=](Network& n) { n.takeSubtree(id); });
        } else if (i % 5 == 2) {
            refusal = doc.edit(QStringLiteral("追加"), [=](Network& n) {
                NodeId p = node.parent; // up to a distributor with a free output
                while (n.freePort(p) < 0)
                    p = n.node(p).parent;
                n.addChild(p, n.freePort(p), node.setup);
            });
        } else if (i % 5 == 3) {
            refusal = doc.edit(QStringLiteral("移動"),
                               [=](Network& n) { n.move(id, node.parent, node.parentPort, 0); });
        } else if (i % 5 == 4) {
            refusal = doc.edit(QStringLiteral("出力"), [=](Network& n) { n.head.levels[0] += i; });
        } else {
            NodeSetup setup = node.setup;
            setup.coax.metres += i;
            refusal = doc.edit(QStringLiteral("長さ"), [=](Network& n) { n.setSetup(id, setup); });
        }
        ASSERT_TRUE(refusal.isEmpty()) << i << ": " << refusal.toStdString();
    }
}

TEST(NetworkDocument, TwentyTowerEditsHoldTheirChangesOnlyAndUndoExactly) {
    const Network tower = generateTower(TowerPlan{});
    NetworkDocument doc;
    doc.reset(tower, QString());
    editTheTower(doc);
    const Network edited = doc.network();
    EXPECT_EQ(doc.undoStack()->count(), 20);
    EXPECT_LT(doc.undoBytes(), 1000000u);
    EXPECT_GT(doc.undoBytes(), 20 * sizeof(NodeSetup));
    while (doc.undoStack()->canUndo())
        doc.undoStack()->undo();
    EXPECT_TRUE(doc.network() == tower);
    while (doc.undoStack()->canRedo())
        doc.undoStack()->redo();
    EXPECT_TRUE(doc.network() == edited);
}

TEST(NetworkDocument, ARefusedEditPartWayChangesNothing) {
    const Network tower = generateTower({5, 2, 1, 5});
    NetworkDocument doc;
    doc.reset(tower, QString());
    const NodeId first = doc.network().preorder().back();
    const QString refusal = doc.edit(QStringLiteral("二つ"), [&](Network& n) {
        n.head.levels[0] = 1;
        n.takeSubtree(first);
        n.takeSubtree(first); // gone: refused
    });
    EXPECT_FALSE(refusal.isEmpty());
    EXPECT_TRUE(doc.network() == tower);
    EXPECT_EQ(doc.undoStack()->count(), 0);
}

} // namespace

// The nodes a change touched are held only while the views take it: after
// a change of the head end's output, which touches every node, none stay.
TEST(NetworkDocument, ForgetsTheTouchedNodesOnceTheViewsHaveThem) {
    NetworkDocument doc;
    doc.reset(generateTower(TowerPlan{10, 4, 3, 5}), QString());
    size_t seen = 0;
    QObject::connect(&doc, &NetworkDocument::changed, [&] { seen = doc.changedNodes().size(); });
    ASSERT_TRUE(
        doc.edit(QStringLiteral("出力"), [](Network& n) { n.head.levels[0] += 3; }).isEmpty());
    EXPECT_GT(seen, size_t(doc.network().nodeCount()) / 2);
    EXPECT_EQ(doc.changedNodes().capacity(), 0u);
}
