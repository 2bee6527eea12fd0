#pragma once
// What one edit of a network changed, step by step: enough to undo and redo
// it without keeping copies of the network. A node's setup before and after,
// a removed or inserted subtree and where it hangs, a move's old and new
// place, the definitions and the head end before and after.

#include "network/networkmodel.h"

#include <cstddef>
#include <variant>
#include <vector>

// Where a node hangs: its parent, the parent's port and its row there.
struct NodePlace {
    NodeId parent = HeadEndId;
    int port = 0;
    int row = 0;
};

struct SetupStep {
    NodeId id;
    NodeSetup before, after;
};
struct InsertStep { // also a removal, played backwards
    Subtree subtree;
    NodePlace place;
    bool removal = false;
};
struct MoveStep {
    NodeId id;
    NodePlace from, to;
};
struct DefinitionsStep {
    std::vector<CableType> cablesBefore, cablesAfter;
    std::vector<UserComponent> usersBefore, usersAfter;
};
struct HeadStep {
    HeadEnd before, after;
};
using NetworkStep = std::variant<SetupStep, InsertStep, MoveStep, DefinitionsStep, HeadStep>;

class NetworkJournal {
public:
    void add(NetworkStep step) { m_steps.push_back(std::move(step)); }
    bool empty() const { return m_steps.empty(); }
    // Plays the steps back (last first) or again (first first). The network
    // must be as the edit left it, or as it found it.
    void undo(Network& network) const;
    void redo(Network& network) const;
    // An estimate of the memory the steps hold, in bytes.
    std::size_t heldBytes() const;

private:
    std::vector<NetworkStep> m_steps;
};
