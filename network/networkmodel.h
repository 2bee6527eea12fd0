#pragma once
// The building network: a tree from the head end (the booster output) to
// every TV outlet. Each node is a coax run into a component; the component's
// output ports feed the children. Plain values throughout: a screen copies,
// compares and restores them freely (undo keeps the node ids).

#include "network/networksteps.h"
#include "network/networktypes.h"
#include "network/nodestore.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace miravel::network {

class Network final : public PartDefinitions {
public:
    Network();

    HeadEnd head;
    // Sets the head end when its levels and gains are within the limits.
    void setHead(const HeadEnd& value);

    // Definitions. Adding or replacing re-converts the nodes that use the
    // name; removing one in use is refused. Names are unique and never those
    // of a catalogue coax type.
    const std::vector<CableType>& cableTypes() const { return m_cables; }
    const std::vector<UserComponent>& userComponents() const { return m_users; }
    void setCableType(const CableType& cable);
    void removeCableType(const QString& name);
    void setUserComponent(const UserComponent& component);
    void removeUserComponent(const QString& name);
    const CableType* cableType(const QString& name) const override;
    const UserComponent* userComponent(const QString& name) const override;

    // Tree queries. Children of HeadEndId are the runs leaving the booster.
    bool contains(NodeId id) const;
    const NetNode& node(NodeId id) const; // id must exist (contains)
    const std::vector<NodeId>& children(NodeId id) const;
    const NodeLosses& losses(NodeId id) const;
    int nodeCount() const { return int(m_nodes.size()); }
    // Output ports of a node (HeadEndId: 1), and whether one takes children.
    int portCount(NodeId id) const;
    bool canTakeChildren(NodeId id, int port) const;
    // A port feeds one run: the child on it, else HeadEndId.
    NodeId childOnPort(NodeId id, int port) const;
    // The first port that takes a run and has none; a brancher's taps come
    // before its through port. -1 when every port is taken.
    int freePort(NodeId id) const;
    std::vector<NodeId> preorder() const; // every node, parents before children

    // Edits. Each either succeeds whole or raises UserError with a Japanese
    // message and changes nothing. `row` is the position among the parent's
    // children; -1 appends.
    NodeId addChild(NodeId parent, int port, const NodeSetup& setup, int row = -1);
    // As addChild on the last row, for a reader building the tree in
    // preorder that knows the new node's depth (1: under the head end); the
    // setup is taken over.
    NodeId appendChild(NodeId parent, int port, NodeSetup&& setup, int depth);
    void setSetup(NodeId id, const NodeSetup& setup);
    void move(NodeId id, NodeId newParent, int port, int row = -1);
    Subtree takeSubtree(NodeId id); // removes it, ids kept in the value
    void insertSubtree(const Subtree& subtree, NodeId parent, int port, int row = -1);
    Subtree copySubtree(NodeId id) const; // a detached copy for the clipboard
    NodeId pasteCopy(const Subtree& copy, NodeId parent, int port, int row = -1); // new ids
    // Puts `times` copies of the subtree on the next free ports of its
    // parent; a brancher under a brancher (a floor on a riser) is chained
    // instead, each copy on the through port of the one before. Returns the
    // new roots. Copies, pasted or repeated, take the next free room number
    // on their floor (301 -> 302).
    std::vector<NodeId> repeatSubtree(NodeId id, int times);
    void clear(); // empty tree, no definitions, head end as new
    // Both lists at once, as one edit (the definitions dialog, undo).
    void setDefinitions(const std::vector<CableType>& cables,
                        const std::vector<UserComponent>& users);

    // While set, every edit of the tree or the definitions is recorded there
    // (the head end, a plain value, is not). Copies of the network never
    // take it along.
    void setJournal(StepRecorder* journal) { m_journal.journal = journal; }

    bool operator==(const Network& other) const; // same tree, ids aside

    // Increases with every change of the tree or the definitions.
    std::uint64_t revision() const { return m_revision; }
    // The nodes whose setup alone changed since `revision`, their ports
    // staying as they were, in the order of the changes; nothing when any
    // other change came between (or it is too long ago to tell).
    std::optional<std::vector<NodeId>> setupsSince(std::uint64_t revision) const;
    // The flattened tree of the current revision.
    const FlatNetwork& flat() const;
    int flatIndex(NodeId id) const; // its place in flat(), -1 when none

private:
    using Slot = NodeSlot;
    NodeStore m_nodes;
    std::vector<NodeId> m_headChildren;
    NodeLosses m_headLosses;
    std::vector<CableType> m_cables;
    std::vector<UserComponent> m_users;
    NodeId m_nextId = 1;
    std::uint64_t m_revision = 0;
    // The latest setup-only changes: the revision each made, and its node.
    std::vector<std::pair<std::uint64_t, NodeId>> m_setupLog;
    // Points into m_nodes, so a copy or move of the network starts without it.
    struct FlatCache {
        FlatCache() = default;
        FlatCache(const FlatCache&) {}
        FlatCache& operator=(const FlatCache&) {
            valid = false;
            return *this;
        }
        bool valid = false;
        std::uint64_t revision = 0;
        FlatNetwork data;
    };
    mutable FlatCache m_flat;
    struct JournalLink {
        JournalLink() = default;
        JournalLink(const JournalLink&) {}
        JournalLink& operator=(const JournalLink&) { return *this; }
        StepRecorder* journal = nullptr;
    };
    JournalLink m_journal;

    friend class NetworkEditor;
};

} // namespace miravel::network
