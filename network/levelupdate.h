#pragma once
// A network's levels kept up to date across edits. When only nodes' setups
// changed since the last update (their ports as they were), only their
// subtrees are walked again and the counts above them adjusted; a change of
// the head end or the criteria walks every node again in place; any other
// change computes anew.

#include "network/propagation.h"

#include <array>
#include <cstdint>
#include <vector>

namespace miravel::network {

class LevelUpdate {
public:
    // Brings the result up to `network` as it is now. Between two calls it
    // must be the same network, changed only by its own edits; after
    // anything else, reset() first.
    const NetworkResult& update(const Network& network, const OutletCriteria& criteria);
    void reset() { m_valid = false; }
    std::uint64_t revision() const { return m_revision; } // of the network last brought up to
    const NetworkResult& result() const { return m_result; }

    // What the last update walked: everything (anew or in place), or the
    // nodes listed here, with the nodes above them.
    bool walkedAll() const { return m_all; }
    bool computedAnew() const { return m_anew; }
    const std::vector<NodeId>& walked() const { return m_walked; }
    // After an update that computed anew, the result before it (to compare
    // with), until forgotten.
    const NetworkResult& previous() const { return m_previous; }
    void forgetPrevious() { m_previous = {}; }

private:
    void computeAll(const Network& network);
    void walkAll(const FlatNetwork& flat);
    void walkNodes(const FlatNetwork& flat, int first, int end, OutletTally* tally = nullptr);
    void walkSubtree(const FlatNetwork& flat, int root);
    void listFailingBoosters(const FlatNetwork& flat);
    void adjustAbove(const FlatNetwork& flat, int root, int change);
    // A node's result by its flat index (-1: the head end's).
    NodeResult& result(int i) { return m_result.nodes[size_t(i + 1)]; }

    NetworkResult m_result, m_previous;
    bool m_valid = false;
    const Network* m_network = nullptr;
    std::uint64_t m_revision = 0;
    OutletCriteria m_criteria{};
    HeadEnd m_head{};
    // By flat index: the first outlet (one more entry: the count), the end
    // of the subtree.
    std::vector<int> m_firstOutlet, m_end;
    std::vector<int> m_boosters; // flat indices of the boosters, in tree order
    OutletTally m_tally;
    bool m_all = true;
    bool m_anew = true;
    std::vector<NodeId> m_walked;
};

} // namespace miravel::network
