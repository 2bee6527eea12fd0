// The exact search behind the automatic choice of parts (see autodesign.h).

#include "network/designsearch.h"

#include "common/errors.h"
#include "network/catalogparts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

using namespace miravel::common;

namespace miravel::network {

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
// Margins closer than this are equal: the cheaper design wins.
constexpr double MarginTolerance = 1e-9;
// Options per node kept by the quick first design.
constexpr size_t QuickBeam = 4;

using Losses = std::array<double, NetBandCount>;

// The choices below a node: per judged band the least and most loss from the
// node's input to an outlet (+inf / -inf with no outlet below; -inf / +inf
// where a part on the way is not rated), the cost, the node's own candidate
// and the choices below it (an entry of Search::traces).
struct Option {
    Losses lo, hi;
    double cost = 0;
    int candidate = 0;
    int trace = -1;
};

// One child's choice, chained back to the node's other children.
struct Trace {
    int prev;
    int node; // flat index
    int option;
};

struct Search {
    const FlatNetwork& flat;
    std::vector<double> widths; // per judged band: max - min of its range
    std::vector<size_t> bands;  // the judged bands
    std::vector<std::vector<int>> children;
    std::vector<std::vector<DesignCandidate>> candidates;
    std::vector<std::vector<Option>> options;
    std::vector<Trace> traces;
    double bound = -Inf; // a margin some design reaches
    size_t beam = 0;     // when set, keeps only the most promising options: a quick first design
};

double componentCost(const DesignOptions& options, const Component& c, const NodeLosses& losses) {
    return options.cost ? options.cost(c) : double(losses.ports.size());
}

bool keepsOutlets(const NodeLosses& a, const NodeLosses& b) {
    const size_t n = std::max(a.ports.size(), b.ports.size());
    for (size_t p = 0; p < n; ++p)
        if ((p < a.outletPort.size() && a.outletPort[p]) !=
            (p < b.outletPort.size() && b.outletPort[p]))
            return false;
    return true;
}

bool fits(const Network& network, const NetNode& node, const NodeLosses& losses) {
    if (!keepsOutlets(losses, network.losses(node.id))) return false;
    for (NodeId c : node.children) {
        const size_t p = size_t(network.node(c).parentPort);
        if (p >= losses.ports.size() || losses.outletPort[p]) return false;
    }
    return true;
}

// The losses of `option` seen from one step up, through `loss`.
void shift(Option& o, const BandLoss& loss, const std::vector<size_t>& bands) {
    for (size_t j = 0; j < bands.size(); ++j) {
        if (o.lo[j] == Inf) continue; // no outlet below
        const auto& l = loss[bands[j]];
        if (!l) {
            o.lo[j] = -Inf;
            o.hi[j] = Inf;
        } else {
            o.lo[j] += *l;
            o.hi[j] += *l;
        }
    }
}

double marginOf(const Option& o, const Search& s) {
    double margin = Inf;
    for (size_t j = 0; j < s.bands.size(); ++j) {
        if (o.lo[j] == Inf) continue;
        const double spread = o.hi[j] - o.lo[j];
        margin = std::min(margin, std::isinf(spread) ? -Inf : (s.widths[j] - spread) / 2);
    }
    return margin;
}

bool dominates(const Option& a, const Option& b, size_t n) {
    if (a.cost > b.cost) return false;
    for (size_t j = 0; j < n; ++j)
        if (a.lo[j] < b.lo[j] || a.hi[j] > b.hi[j]) return false;
    return true;
}

double spreadKey(const Option& o, size_t n) {
    double sum = 0;
    for (size_t j = 0; j < n; ++j)
        sum += o.lo[j] == Inf ? -1e300 : std::clamp(o.hi[j] - o.lo[j], -1e300, 1e300);
    return sum;
}

// Drops the options that another does at least as well for no more, and
// those that cannot reach the margin of a known design.
std::vector<Option> prune(std::vector<Option> all, const Search& s) {
    const size_t n = s.bands.size();
    all.erase(
        std::remove_if(all.begin(), all.end(),
                       [&](const Option& o) { return marginOf(o, s) < s.bound - MarginTolerance; }),
        all.end());
    std::vector<double> keys(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        keys[i] = spreadKey(all[i], n);
    std::vector<size_t> order(all.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return all[a].cost != all[b].cost ? all[a].cost < all[b].cost : keys[a] < keys[b];
    });
    std::vector<Option> kept;
    for (size_t i : order) {
        const bool dominated = std::any_of(
            kept.begin(), kept.end(), [&](const Option& k) { return dominates(k, all[i], n); });
        if (!dominated) kept.push_back(all[i]);
    }
    if (s.beam > 0 && kept.size() > s.beam) {
        std::stable_sort(kept.begin(), kept.end(), [&](const Option& a, const Option& b) {
            return marginOf(a, s) > marginOf(b, s);
        });
        kept.resize(s.beam);
    }
    return kept;
}

// Every option of `so_far` with every option of child `c` hung on `port`.
std::vector<Option> withChild(const std::vector<Option>& soFar, int c, const BandLoss& port,
                              Search& s) {
    std::vector<Option> below = s.options[size_t(c)];
    for (Option& o : below)
        shift(o, port, s.bands);
    std::vector<Option> all;
    std::vector<Trace> pending; // kept as traces only by the survivors
    all.reserve(soFar.size() * below.size());
    pending.reserve(all.capacity());
    for (const Option& a : soFar)
        for (size_t t = 0; t < below.size(); ++t) {
            Option o = a;
            for (size_t j = 0; j < s.bands.size(); ++j) {
                o.lo[j] = std::min(o.lo[j], below[t].lo[j]);
                o.hi[j] = std::max(o.hi[j], below[t].hi[j]);
            }
            o.cost += below[t].cost;
            o.trace = -2 - int(pending.size());
            pending.push_back({a.trace, c, int(t)});
            all.push_back(o);
        }
    std::vector<Option> kept = prune(std::move(all), s);
    for (Option& o : kept) {
        s.traces.push_back(pending[size_t(-2 - o.trace)]);
        o.trace = int(s.traces.size()) - 1;
    }
    return kept;
}

Option emptyOption() {
    Option o;
    o.lo.fill(Inf);
    o.hi.fill(-Inf);
    return o;
}

std::vector<Option> candidateOptions(int node, int k, Search& s) {
    const DesignCandidate& cand = s.candidates[size_t(node)][size_t(k)];
    Option start = emptyOption();
    start.cost = cand.cost;
    start.candidate = k;
    std::vector<Option> set{start};
    for (size_t p = 0; p < cand.losses.ports.size(); ++p) {
        if (cand.losses.outletPort[p]) {
            Option outlet = emptyOption();
            outlet.lo.fill(0);
            outlet.hi.fill(0);
            shift(outlet, cand.losses.ports[p], s.bands);
            for (Option& o : set)
                for (size_t j = 0; j < s.bands.size(); ++j) {
                    o.lo[j] = std::min(o.lo[j], outlet.lo[j]);
                    o.hi[j] = std::max(o.hi[j], outlet.hi[j]);
                }
            continue;
        }
        for (int c : s.children[size_t(node)])
            if (s.flat.nodes[size_t(c)].port == int(p))
                set = withChild(set, c, cand.losses.ports[p], s);
    }
    for (Option& o : set)
        shift(o, cand.losses.coax, s.bands);
    return set;
}

} // namespace

namespace {

Search makeSearch(const Network& network, const OutletCriteria& criteria,
                  const std::vector<size_t>& bands) {
    Search s{network.flat(), {}, bands, {}, {}, {}, {}, -Inf};
    for (size_t b : bands)
        s.widths.push_back(criteria.level[b]->max - criteria.level[b]->min);
    s.children.resize(s.flat.nodes.size());
    for (size_t i = 0; i < s.flat.nodes.size(); ++i)
        if (s.flat.nodes[i].parent >= 0)
            s.children[size_t(s.flat.nodes[i].parent)].push_back(int(i));
    s.options.resize(s.flat.nodes.size());
    return s;
}

// The options of the whole network, children before parents; the head end
// feeds its runs without loss of its own.
std::vector<Option> solve(Search& s, const Network& network) {
    s.traces.clear();
    for (size_t i = s.flat.nodes.size(); i-- > 0;) {
        std::vector<Option> all;
        for (int k = 0; k < int(s.candidates[i].size()); ++k) {
            std::vector<Option> some = candidateOptions(int(i), k, s);
            all.insert(all.end(), some.begin(), some.end());
        }
        s.options[i] = prune(std::move(all), s);
    }
    std::vector<Option> root{emptyOption()};
    const BandLoss& headPort = network.losses(HeadEndId).ports.at(0);
    for (size_t i = 0; i < s.flat.nodes.size(); ++i)
        if (s.flat.nodes[i].parent < 0) root = withChild(root, int(i), headPort, s);
    return root;
}

// The best option: the widest margin, then the lowest cost.
const Option* bestOption(const std::vector<Option>& root, const Search& s) {
    const Option* best = nullptr;
    for (const Option& o : root) {
        if (!best) {
            best = &o;
            continue;
        }
        const double m = marginOf(o, s), bm = marginOf(*best, s);
        if (m > bm + MarginTolerance || (m >= bm - MarginTolerance && o.cost < best->cost))
            best = &o;
    }
    return best;
}

// The candidate each node takes in `root`, by flat index.
std::vector<int> chosen(const Option& root, const Search& s) {
    std::vector<int> pick(s.flat.nodes.size(), 0);
    std::vector<int> pending{root.trace}; // chains of children's choices still to follow
    while (!pending.empty()) {
        int t = pending.back();
        pending.pop_back();
        for (; t >= 0; t = s.traces[size_t(t)].prev) {
            const Trace& tr = s.traces[size_t(t)];
            const Option& o = s.options[size_t(tr.node)][size_t(tr.option)];
            pick[size_t(tr.node)] = o.candidate;
            pending.push_back(o.trace);
        }
    }
    return pick;
}

// The margin of the parts as they are: every design kept must reach it.
double currentMargin(Search& s, const Network& network) {
    std::vector<std::vector<DesignCandidate>> all = std::move(s.candidates);
    s.candidates.assign(all.size(), {});
    for (size_t i = 0; i < all.size(); ++i) {
        const NetNode& n = *s.flat.nodes[i].node;
        s.candidates[i].push_back({n.setup.component, *s.flat.nodes[i].losses, 0});
    }
    const std::vector<Option> root = solve(s, network);
    s.candidates = std::move(all);
    return root.empty() ? -Inf : marginOf(root.front(), s);
}

} // namespace

namespace {

// The network's definitions, then the library's parts it lacks.
class WithLibraryParts final : public PartDefinitions {
public:
    WithLibraryParts(const Network& network, const std::vector<UserComponent>& library)
        : m_network(network), m_library(library) {}
    const CableType* cableType(const QString& name) const override {
        return m_network.cableType(name);
    }
    const UserComponent* userComponent(const QString& name) const override {
        if (const UserComponent* own = m_network.userComponent(name)) return own;
        for (const UserComponent& part : m_library)
            if (part.name == name) return &part;
        return nullptr;
    }

private:
    const Network& m_network;
    const std::vector<UserComponent>& m_library;
};

} // namespace

std::vector<DesignCandidate> designCandidates(const Network& network, const NetNode& node,
                                              const DesignOptions& options) {
    std::vector<DesignCandidate> out;
    const WithLibraryParts definitions(network, options.libraryParts);
    const auto listed = options.candidates.find(node.setup.component.kind);
    if (listed != options.candidates.end()) {
        for (Component c : listed->second) {
            if (c.kind == ComponentKind::SeriesUnit) c.endUnit = node.setup.component.endUnit;
            NodeSetup setup = node.setup;
            setup.component = c;
            try {
                NodeLosses losses = convertNodeLosses(setup, definitions);
                if (!fits(network, node, losses)) continue;
                const double cost = componentCost(options, c, losses);
                out.push_back({c, std::move(losses), cost});
            } catch (const UserError&) {
                // not a part this network can take
            }
        }
    }
    if (out.empty()) {
        const NodeLosses& own = network.losses(node.id);
        out.push_back(
            {node.setup.component, own, componentCost(options, node.setup.component, own)});
    }
    return out;
}

DesignChoice searchDesign(const Network& network, const OutletCriteria& criteria,
                          const std::vector<size_t>& bands, const DesignOptions& options) {
    Search s = makeSearch(network, criteria, bands);
    s.candidates.resize(s.flat.nodes.size());
    s.bound = currentMargin(s, network);
    for (size_t i = 0; i < s.flat.nodes.size(); ++i)
        s.candidates[i] = designCandidates(network, *s.flat.nodes[i].node, options);
    // A quick design first: the better its margin, the more the exact
    // search may leave out.
    s.beam = QuickBeam;
    const std::vector<Option> quickRoot = solve(s, network);
    if (const Option* quick = bestOption(quickRoot, s))
        s.bound = std::max(s.bound, marginOf(*quick, s));
    s.beam = 0;
    const std::vector<Option> root = solve(s, network);
    const Option* best = bestOption(root, s);
    if (!best) return {};
    return {chosen(*best, s), marginOf(*best, s), best->cost};
}

} // namespace miravel::network
