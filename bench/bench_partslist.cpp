// The parts list follows every edit on the screen: counting a
// 10,000-outlet network after one edit, within the recompute's budget.

#include "catalog/catalog.h"
#include "network/partslist.h"
#include "network/towergenerator.h"

#include <benchmark/benchmark.h>

using namespace miravel::catalog;
using namespace miravel::network;

namespace {

void BM_PartsListAfterEdit(benchmark::State& state) {
    loadCatalogue();
    Network network = generateTower(TowerPlan{100, 10, 10, 5});
    const NodeId first = network.children(HeadEndId).front();
    NodeSetup setup = network.node(first).setup;
    for (auto _ : state) {
        setup.coax.metres = setup.coax.metres == 5 ? 6 : 5;
        network.setSetup(first, setup);
        benchmark::DoNotOptimize(countParts(network, 5));
    }
}
BENCHMARK(BM_PartsListAfterEdit)->Unit(benchmark::kMillisecond);

} // namespace
