#pragma once
// What one edit of a network changed, step by step: enough to undo and redo
// it without keeping copies of the network. A node's setup before and after,
// a removed or inserted subtree and where it hangs, a move's old and new
// place, the definitions and the head end before and after.

#include "network/networkmodel.h"
#include "network/networksteps.h"

#include <cstddef>
#include <vector>

namespace miravel::network {

class NetworkJournal final : public StepRecorder {
public:
    void add(NetworkStep step) override { m_steps.push_back(std::move(step)); }
    bool empty() const { return m_steps.empty(); }
    // Plays the steps back (last first) or again (first first). The network
    // must be as the edit left it, or as it found it.
    void undo(Network& network) const;
    void redo(Network& network) const;
    // An estimate of the memory the steps hold, in bytes.
    std::size_t heldBytes() const;
    // The nodes whose setup a step sets, for views that redraw only those.
    std::vector<NodeId> setupNodes() const;

private:
    std::vector<NetworkStep> m_steps;
};

} // namespace miravel::network
