#include "networktestsupport.h"

#include "common/errors.h"
#include "network/levelupdate.h"
#include "network/towergenerator.h"

#include <QRandomGenerator>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

bool sameBand(const BandJudgement& a, const BandJudgement& b) {
    return a.level == b.level && a.verdict == b.verdict && a.deviation == b.deviation &&
           a.estimated == b.estimated && a.cn == b.cn && a.cnJudged == b.cnJudged &&
           a.cnLow == b.cnLow && a.cnDeviation == b.cnDeviation;
}

// Every figure of two results, the first difference named.
void expectSame(const NetworkResult& kept, const NetworkResult& anew, int step) {
    ASSERT_EQ(kept.outlets.size(), anew.outlets.size()) << step;
    for (size_t i = 0; i < kept.outlets.size(); ++i) {
        const OutletResult &a = kept.outlets[i], &b = anew.outlets[i];
        ASSERT_TRUE(a.node == b.node && a.port == b.port) << step << " outlet " << i;
        for (size_t band = 0; band < NetBandCount; ++band)
            ASSERT_TRUE(sameBand(a.bands[band], b.bands[band])) << step << " outlet " << i;
    }
    for (size_t b = 0; b < NetBandCount; ++b) {
        const BandSummary &x = kept.summary[b], &y = anew.summary[b];
        ASSERT_TRUE(x.worst == y.worst && x.best == y.best && x.failing == y.failing &&
                    x.unrated == y.unrated)
            << step << " band " << b;
    }
    ASSERT_EQ(kept.failingOutlets, anew.failingOutlets) << step;
    ASSERT_EQ(kept.failingBoosters, anew.failingBoosters) << step;
    ASSERT_EQ(kept.judgedAtBandEdges, anew.judgedAtBandEdges) << step;
    ASSERT_EQ(kept.nodeCount(), anew.nodeCount()) << step;
    for (size_t i = 0; i < kept.nodeCount(); ++i) {
        const NodeId idA = kept.idInOrder(i), idB = anew.idInOrder(i);
        const NodeResult &a = kept.resultInOrder(i), &b = anew.resultInOrder(i);
        ASSERT_TRUE(idA == idB && a.input == b.input && a.estimated == b.estimated &&
                    kept.outlets.noiseSums(a.noise) == anew.outlets.noiseSums(b.noise) &&
                    a.booster == b.booster && a.firstOutlet == b.firstOutlet &&
                    a.failingBelow == b.failingBelow)
            << step << " node " << idA;
    }
}

// One random edit: mostly a node's run, room or model (ports kept), now
// and then the head end, the criteria or the tree itself.
void randomEdit(Network& net, OutletCriteria& criteria, QRandomGenerator& random) {
    const std::vector<NodeId> ids = net.preorder();
    const NodeId id = ids[random.bounded(quint32(ids.size()))];
    NodeSetup setup = net.node(id).setup;
    const quint32 kind = random.bounded(20u);
    if (kind < 12) {
        setup.coax.metres = random.bounded(400) / 4.0;
    } else if (kind < 14) {
        setup.room = QString::number(random.bounded(50));
    } else if (kind < 16 && setup.component.kind == ComponentKind::Brancher) {
        setup.component.model =
            setup.component.model == 2 ? 4 : 2; // CS-C2 and CS-C4 differ in taps
    } else if (kind == 16) {
        net.head.levels[random.bounded(quint32(NetBandCount))] += random.bounded(21) - 10;
        return;
    } else if (kind == 17) {
        criteria.level[size_t(random.bounded(quint32(NetBandCount)))].reset();
        return;
    } else if (kind == 18 && net.children(id).empty()) {
        net.takeSubtree(id);
        return;
    }
    try {
        net.setSetup(id, setup);
    } catch (const UserError&) {
        // A model whose ports do not fit the children below: nothing changed.
    }
}

// The kept result, brought up to date after each of many random edits,
// always equals the network computed anew.
TEST(LevelUpdate, KeptResultEqualsAFullComputationAfterRandomEdits) {
    // The tower behind a line booster, its C/N reckoned, judged under 4K8K.
    Network net = generateTower(TowerPlan{20, 4, 3, 5});
    HeadEnd head = net.head;
    head.cnSource = CnSource::Typed;
    net.setHead(head);
    const Subtree risers = net.takeSubtree(net.children(HeadEndId).front());
    NodeSetup booster;
    booster.component.kind = ComponentKind::Booster;
    booster.component.booster.edit().gain.fill(10.0);
    booster.component.booster.edit().maxOutput.fill(115);
    net.insertSubtree(risers, net.addChild(HeadEndId, 0, booster), 0);
    const OutletCriteria uhd =
        outletCriteria(standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K}));
    OutletCriteria criteria = uhd;
    LevelUpdate kept;
    kept.update(net, criteria);
    QRandomGenerator random(21);
    int walkedInPart = 0;
    for (int step = 0; step < 600; ++step) {
        const int edits = 1 + int(random.bounded(3u));
        for (int e = 0; e < edits; ++e)
            randomEdit(net, criteria, random);
        if (step % 50 == 0) criteria = step % 100 ? uhd : outletRanges();
        kept.update(net, criteria);
        walkedInPart += kept.walkedAll() ? 0 : 1;
        expectSame(kept.result(), computeNetwork(net, criteria), step);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(walkedInPart, 300); // most edits walked only their subtrees
}

// Every edit of a booster's noise figure adds noise sums to the kept
// result; past a bound everything is walked again and only the sums in use
// are kept, the figures unchanged.
TEST(LevelUpdate, NoiseSumsStayBoundedOverManyBoosterEdits) {
    Network net;
    HeadEnd head = net.head;
    head.cnSource = CnSource::Typed;
    net.setHead(head);
    NodeSetup booster;
    booster.component.kind = ComponentKind::Booster;
    booster.component.booster.edit().gain.fill(10.0);
    booster.component.booster.edit().maxOutput.fill(130);
    const NodeId id = net.addChild(HeadEndId, 0, booster);
    net.addChild(id, 0, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
    const OutletCriteria uhd =
        outletCriteria(standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K}));
    LevelUpdate kept;
    kept.update(net, uhd);
    size_t most = 0;
    for (int step = 0; step < 5000; ++step) {
        booster.component.booster.edit().noiseFigure.fill(3 + step * 0.001);
        net.setSetup(id, booster);
        most = std::max(most, kept.update(net, uhd).outlets.noiseCount());
    }
    EXPECT_LE(most, 4100u);
    expectSame(kept.result(), computeNetwork(net, uhd), 5000);
}

} // namespace
