// Speed of the calculations: the terminal screen's Keisan on a filled path,
// a full recompute of a 10,000-outlet building network, and the automatic
// choice of parts.

#include "catalog/catalog.h"
#include "keisan_floor.h"
#include "keisan_reference.h"
#include "network/autodesign.h"
#include "network/levelupdate.h"
#include "network/propagation.h"
#include "network/towergenerator.h"
#include "terminal/keisan.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <limits>
#include <vector>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

// A path with "--" cells in play: BS-type distributor and brancher counts
// (no CS value), a BS series unit (no CS through loss) and ５C-2V coax (no
// BS/CS value).
TerminalFields filledPath() {
    namespace F = TerminalField;
    TerminalFields f;
    f[F::DistributorCount[0]] = QStringLiteral("1");
    f[F::DistributorCount[4]] = QStringLiteral("2");
    f[F::BrancherPassage[1]] = QStringLiteral("3");
    f[F::BrancherTakeOff[1]] = QStringLiteral("1");
    f[F::BrancherPassage[2]] = QStringLiteral("1");
    f.combo3Index = 0;
    const char* through[4] = {"1.3", "1.8", "2.0", "--"};
    const char* takeOff[4] = {"8.5", "9.0", "10", "--"};
    for (int b = 0; b < BandCount; ++b) {
        f[F::UnitThroughLoss[b]] = QString::fromLatin1(through[b]);
        f[F::UnitTakeOffLoss[b]] = QString::fromLatin1(takeOff[b]);
        f[F::BoosterLevel[b]] = QStringLiteral("105");
    }
    f[F::UnitCount] = QStringLiteral("3");
    f[F::CoaxLength[0]] = QStringLiteral("5");
    f[F::CoaxLength[2]] = QStringLiteral("10");
    f[F::CoaxLength[5]] = QStringLiteral("25.5");
    return f;
}

void BM_Keisan(benchmark::State& state) {
    loadCatalogue();
    const TerminalFields fields = filledPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(Keisan(fields));
}
BENCHMARK(BM_Keisan)->Unit(benchmark::kMicrosecond);

// The floor: the same numbers read, summed and written as the four lines,
// and nothing more. Keisan's goal is 1.5 times this (scripts/floors.sh).
void BM_KeisanFloor(benchmark::State& state) {
    loadCatalogue();
    const TerminalFields fields = filledPath();
    const KeisanResult keisan = Keisan(fields);
    const auto lines = miravel::bench::keisanFloor(fields);
    for (int b = 0; b < BandCount; ++b)
        if (keisan.resultText[size_t(b)] != lines[size_t(b)])
            state.SkipWithError("the floor writes other lines than Keisan");
    for (auto _ : state)
        benchmark::DoNotOptimize(miravel::bench::keisanFloor(fields));
}
BENCHMARK(BM_KeisanFloor)->Unit(benchmark::kMicrosecond);

// The first version, which threw and caught an exception for every "--".
void BM_KeisanFirstVersion(benchmark::State& state) {
    loadCatalogue();
    const TerminalFields fields = filledPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceKeisan(fields));
}
BENCHMARK(BM_KeisanFirstVersion)->Unit(benchmark::kMicrosecond);

// The outlet profile with BS/CS 2K, the screens' default.
OutletCriteria outletRanges() {
    return outletCriteria(standardProfile(ProfileId{}));
}

// 100 floors x 10 lines x 10 series units = 10,000 outlets.
const TowerPlan TenThousand{100, 10, 10, 5};

// One recompute, a function of its own so that scripts/floors.sh counts it
// apart from the generator's computations.
[[gnu::noinline]] NetworkResult recomputeTower(const Network& network,
                                               const OutletCriteria& criteria) {
    return computeNetwork(network, criteria);
}

void BM_NetworkRecompute(benchmark::State& state) {
    loadCatalogue();
    const Network network = generateTower(TenThousand);
    const OutletCriteria criteria = outletRanges();
    network.flat(); // flattened once, as after the last edit
    for (auto _ : state)
        benchmark::DoNotOptimize(recomputeTower(network, criteria));
    state.counters["outlets"] = double(computeNetwork(network, criteria).outlets.size());
}
BENCHMARK(BM_NetworkRecompute)->Unit(benchmark::kMillisecond);

// The same tower in five bands under 4K8K, with the head end's C/N reckoned
// and a line booster ahead of the risers: every node adds its stage.
void BM_NetworkRecomputeBoostersAndCn(benchmark::State& state) {
    loadCatalogue();
    Network network = generateTower(TenThousand);
    HeadEnd head = network.head;
    head.cnSource = CnSource::Typed;
    network.setHead(head);
    const Subtree risers = network.takeSubtree(network.children(HeadEndId).front());
    NodeSetup booster;
    booster.component.kind = ComponentKind::Booster;
    booster.component.booster.edit().gain.fill(0.0);
    booster.component.booster.edit().maxOutput.fill(200);
    const NodeId line = network.addChild(HeadEndId, 0, booster);
    network.insertSubtree(risers, line, 0);
    const OutletCriteria criteria =
        outletCriteria(standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K}));
    network.flat();
    for (auto _ : state)
        benchmark::DoNotOptimize(computeNetwork(network, criteria));
    state.counters["outlets"] = double(computeNetwork(network, criteria).outlets.size());
}
BENCHMARK(BM_NetworkRecomputeBoostersAndCn)->Unit(benchmark::kMillisecond);

// Recompute after one edit: the edit re-converts one node and the next
// computation flattens the tree again.
void BM_NetworkEditAndRecompute(benchmark::State& state) {
    loadCatalogue();
    Network network = generateTower(TenThousand);
    const OutletCriteria criteria = outletRanges();
    const NodeId first = network.children(HeadEndId).front();
    NodeSetup setup = network.node(first).setup;
    for (auto _ : state) {
        setup.coax.metres = setup.coax.metres == 5 ? 6 : 5;
        network.setSetup(first, setup);
        benchmark::DoNotOptimize(computeNetwork(network, criteria));
    }
}
BENCHMARK(BM_NetworkEditAndRecompute)->Unit(benchmark::kMillisecond);

// The automatic choice of parts on the 2,000-outlet tower of the examples
// (goal: under 1 s) and on the 10,000-outlet one (goal: under 5 s).
void BM_AutoDesign(benchmark::State& state, const TowerPlan& plan) {
    loadCatalogue();
    const Network network = generateTower(plan);
    const OutletCriteria criteria = outletRanges();
    for (auto _ : state)
        benchmark::DoNotOptimize(autoDesign(network, criteria));
    state.counters["outlets"] = double(computeNetwork(network, criteria).outlets.size());
}
BENCHMARK_CAPTURE(BM_AutoDesign, Tower2000, TowerPlan{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AutoDesign, Tower10000, TenThousand)->Unit(benchmark::kMillisecond);

// From a start that reaches no margin at all (every series unit a BS type,
// not rated for CS), so that only the boxes themselves prune the search.
void BM_AutoDesignFromUnratedStart(benchmark::State& state) {
    loadCatalogue();
    Network network = generateTower(TenThousand);
    for (NodeId id : network.preorder()) {
        NodeSetup setup = network.node(id).setup;
        if (setup.component.kind != ComponentKind::SeriesUnit) continue;
        setup.component.model = 1;
        network.setSetup(id, setup);
    }
    const OutletCriteria criteria = outletRanges();
    for (auto _ : state)
        benchmark::DoNotOptimize(autoDesign(network, criteria));
}
BENCHMARK(BM_AutoDesignFromUnratedStart)->Unit(benchmark::kMillisecond);

// The recompute kept in place, as after a change of the head end: every
// node walked again, nothing allocated.
void BM_NetworkRecomputeInPlace(benchmark::State& state) {
    loadCatalogue();
    Network network = generateTower(TenThousand);
    const OutletCriteria criteria = outletRanges();
    LevelUpdate levels;
    levels.update(network, criteria);
    for (auto _ : state) {
        network.head.levels[0] = network.head.levels[0] == 100 ? 101 : 100;
        benchmark::DoNotOptimize(&levels.update(network, criteria));
    }
}
BENCHMARK(BM_NetworkRecomputeInPlace)->Unit(benchmark::kMillisecond);

// One edit of a leaf of a 100,000-outlet network and the levels brought up
// to date: only the leaf is walked again.
void BM_NetworkLeafEdit100k(benchmark::State& state) {
    loadCatalogue();
    Network network = generateTower(TowerPlan{1000, 10, 10, 5});
    const OutletCriteria criteria = outletRanges();
    LevelUpdate levels;
    levels.update(network, criteria);
    const NodeId leaf = network.flat().nodes[network.flat().nodes.size() / 2 + 1].id;
    NodeSetup setup = network.node(leaf).setup;
    for (auto _ : state) {
        setup.coax.metres = setup.coax.metres == 6 ? 7 : 6;
        network.setSetup(leaf, setup);
        benchmark::DoNotOptimize(&levels.update(network, criteria));
    }
    state.counters["outlets"] = double(levels.result().outlets.size());
    state.counters["walked"] = double(levels.walked().size());
}
BENCHMARK(BM_NetworkLeafEdit100k)->Unit(benchmark::kMicrosecond);

// The floor beside the recompute: the same tree as plain arrays (the parent's
// index, the loss down to the node and, for an outlet, to its port) walked
// once, every outlet judged against the ranges. No names, no results kept
// beyond a verdict per outlet and band.
struct FloorNode {
    int parent = -1;
    std::array<double, NetBandCount> down{};   // parent's port loss + coax, NaN: not rated
    std::array<double, NetBandCount> outlet{}; // the outlet port's loss
    bool isOutlet = false;
};

std::vector<FloorNode> floorNodes(const Network& network) {
    const double none = std::numeric_limits<double>::quiet_NaN();
    const FlatNetwork& flat = network.flat();
    std::vector<FloorNode> nodes(flat.nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        const FlatNode& n = flat.nodes[i];
        FloorNode& f = nodes[i];
        f.parent = n.parent;
        for (size_t b = 0; b < NetBandCount; ++b) {
            const PackedValue port =
                n.parent < 0 ? PackedValue(0.0)
                             : flat.nodes[size_t(n.parent)].losses->ports[size_t(n.port)][b];
            const auto& coax = n.losses->coax[b];
            f.down[b] = port && coax ? *port + *coax : none;
        }
        for (size_t p = 0; p < n.losses->ports.size(); ++p)
            if (n.losses->outletPort[p] && !f.isOutlet) {
                f.isOutlet = true;
                for (size_t b = 0; b < NetBandCount; ++b)
                    f.outlet[b] = n.losses->ports[p][b].value_or(none);
            }
    }
    return nodes;
}

using FloorLevels = std::vector<std::array<double, NetBandCount>>;
using FloorVerdicts = std::vector<std::array<std::uint8_t, NetBandCount>>;

// One walk, a function of its own so that scripts/floors.sh can count it.
[[gnu::noinline]] void walkAndJudgeFloor(const std::vector<FloorNode>& nodes,
                                         const OutletCriteria& criteria, const NetBandValues& head,
                                         FloorLevels& level, FloorVerdicts& verdicts) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        const FloorNode& n = nodes[i];
        for (size_t b = 0; b < NetBandCount; ++b) {
            const double above = n.parent < 0 ? head[b] : level[size_t(n.parent)][b];
            level[i][b] = above - n.down[b];
            if (!n.isOutlet) continue;
            const double at = level[i][b] - n.outlet[b];
            const auto& range = criteria.level[b];
            verdicts[i][b] = at != at          ? 3
                             : !range          ? 4
                             : at < range->min ? 1
                             : at > range->max ? 2
                                               : 0;
        }
    }
}

void BM_NetworkWalkAndJudgeFloor(benchmark::State& state) {
    loadCatalogue();
    const Network network = generateTower(TenThousand);
    const std::vector<FloorNode> nodes = floorNodes(network);
    const OutletCriteria criteria = outletRanges();
    const NetBandValues head = headEndLevels(network.head);
    FloorLevels level(nodes.size());
    FloorVerdicts verdicts(nodes.size());
    for (auto _ : state) {
        walkAndJudgeFloor(nodes, criteria, head, level, verdicts);
        benchmark::DoNotOptimize(verdicts.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NetworkWalkAndJudgeFloor)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
