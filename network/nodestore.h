#pragma once
// The nodes of a network by id. Slots sit in fixed blocks, so that adding a
// node moves no other; removing one moves the last slot into its place.
// An id's place is looked up in a table of every id issued (4 bytes each).

#include "network/networktypes.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace miravel::network {

struct NodeSlot {
    NetNode node;
    NodeLosses losses;
};

class NodeStore {
public:
    NodeStore() = default;
    NodeStore(const NodeStore& other);
    NodeStore& operator=(const NodeStore& other);
    NodeStore(NodeStore&&) noexcept = default;
    NodeStore& operator=(NodeStore&&) noexcept = default;

    size_t size() const { return m_size; }
    const NodeSlot* find(NodeId id) const;
    NodeSlot* find(NodeId id) { return const_cast<NodeSlot*>(std::as_const(*this).find(id)); }
    // As find; an id not held raises std::out_of_range.
    const NodeSlot& at(NodeId id) const;
    NodeSlot& at(NodeId id) { return const_cast<NodeSlot&>(std::as_const(*this).at(id)); }
    // Adds the slot under its node's id, or replaces the one held there.
    void put(NodeSlot slot);
    void erase(NodeId id);
    // Every slot, in the order of increasing id.
    template <typename F> void eachById(F&& f) const {
        for (size_t id = 0; id < m_places.size(); ++id)
            if (m_places[id]) f(slotAt(m_places[id] - 1));
    }

private:
    static constexpr size_t BlockSize = 256;
    NodeSlot& slotAt(size_t i) const { return m_blocks[i / BlockSize][i % BlockSize]; }

    std::vector<std::unique_ptr<NodeSlot[]>> m_blocks;
    size_t m_size = 0;
    std::vector<std::uint32_t> m_places; // per id: its slot's index + 1, 0 when none
};

} // namespace miravel::network
