#include "network/nodestore.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace miravel::network {

NodeStore::NodeStore(const NodeStore& other) : m_places(other.m_places) {
    m_blocks.reserve(other.m_blocks.size());
    for (size_t b = 0; b * BlockSize < other.m_size; ++b) {
        m_blocks.push_back(std::make_unique<NodeSlot[]>(BlockSize));
        const size_t end = std::min(BlockSize, other.m_size - b * BlockSize);
        for (size_t i = 0; i < end; ++i)
            m_blocks[b][i] = other.m_blocks[b][i];
    }
    m_size = other.m_size;
}

NodeStore& NodeStore::operator=(const NodeStore& other) {
    if (this != &other) *this = NodeStore(other);
    return *this;
}

const NodeSlot* NodeStore::find(NodeId id) const {
    if (id >= m_places.size() || !m_places[id]) return nullptr;
    return &slotAt(m_places[id] - 1);
}

const NodeSlot& NodeStore::at(NodeId id) const {
    const NodeSlot* slot = find(id);
    if (!slot) throw std::out_of_range("node id not held");
    return *slot;
}

void NodeStore::put(NodeSlot slot) {
    const NodeId id = slot.node.id;
    if (NodeSlot* held = find(id)) {
        *held = std::move(slot);
        return;
    }
    if (id >= m_places.size()) m_places.resize(size_t(id) + 1, 0);
    if (m_size == m_blocks.size() * BlockSize)
        m_blocks.push_back(std::make_unique<NodeSlot[]>(BlockSize));
    slotAt(m_size) = std::move(slot);
    m_places[id] = std::uint32_t(++m_size);
}

void NodeStore::erase(NodeId id) {
    NodeSlot* slot = find(id);
    if (!slot) return;
    NodeSlot& last = slotAt(m_size - 1);
    if (slot != &last) {
        *slot = std::move(last);
        m_places[slot->node.id] = m_places[id];
    }
    last = NodeSlot{};
    m_places[id] = 0;
    --m_size;
    // One spare block is kept, so that adding and removing at a block's
    // edge does not allocate each time.
    while (m_blocks.size() * BlockSize >= m_size + 2 * BlockSize)
        m_blocks.pop_back();
}

} // namespace miravel::network
