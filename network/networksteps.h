#pragma once
// One edit of a network as steps, enough to undo and redo it without keeping
// copies of the network, and the recorder a network hands each step to while
// one is set.

#include "network/networktypes.h"

#include <variant>
#include <vector>

namespace miravel::network {

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

class StepRecorder {
public:
    virtual void add(NetworkStep step) = 0;

protected:
    ~StepRecorder() = default;
};

} // namespace miravel::network
