#pragma once
// The building network: a tree from the head end (the booster output) to
// every TV outlet. Each node is a coax run into a component; the component's
// output ports feed the children. Plain values throughout: a screen copies,
// compares and restores them freely (undo keeps the node ids).

#include "common/programvalues.h"
#include "network/networklimits.h"

#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// A loss per band; nothing where the part is not rated for the band.
using BandLoss = std::array<std::optional<double>, BandCount>;

// Node identity, stable across edits, undo and redo; 0 is the head end.
using NodeId = std::uint32_t;
constexpr NodeId HeadEndId = 0;

enum class ComponentKind {
    Distributor, // catalogue model: every output carries the distribution loss
    Brancher,    // catalogue model: port 0 through (insertion), 1..n taps (coupling)
    SeriesUnit,  // catalogue type: feed-through (port 0 through, 1 outlet) or end unit (0 outlet)
    Outlet,      // catalogue TV outlet: a leaf, its one port is the outlet (insertion loss)
    User,        // defined in the network by name
};

struct Component {
    ComponentKind kind = ComponentKind::Distributor;
    // Catalogue model, 1-based row of its table: distributors 1..6 (BS-D2 ..
    // CS-D6), branchers 1..4 (BS-C2 .. CS-C4), series-unit types 1..5 (the
    // terminal screen's order), TV outlets 1..4. Unused for user components.
    int model = 1;
    bool endUnit = false; // series units: the end unit of the chain
    QString userName;     // user components: the definition's name

    bool operator==(const Component& o) const {
        return kind == o.kind && model == o.model && endUnit == o.endUnit && userName == o.userName;
    }
    bool operator!=(const Component& o) const { return !(*this == o); }
};

// The run of coax into a node: a catalogue coax type by its name
// ("S-5C-FB") or a cable type defined in the network.
struct CoaxRun {
    QString cable = QStringLiteral("S-5C-FB");
    double metres = 0;

    bool operator==(const CoaxRun& o) const { return cable == o.cable && metres == o.metres; }
    bool operator!=(const CoaxRun& o) const { return !(*this == o); }
};

// What the user edits on a node; the tree position is kept apart.
struct NodeSetup {
    CoaxRun coax;
    Component component;
    QString room;  // outlet name: room ...
    QString floor; // ... and floor

    bool operator==(const NodeSetup& o) const {
        return coax == o.coax && component == o.component && room == o.room && floor == o.floor;
    }
    bool operator!=(const NodeSetup& o) const { return !(*this == o); }
};

struct NetNode {
    NodeId id = 0;
    NodeId parent = HeadEndId;
    int parentPort = 0; // output port of the parent this node hangs on
    NodeSetup setup;
    std::vector<NodeId> children; // in display order
};

// A cable type the catalogue lacks, defined once in the network.
struct CableType {
    QString name;
    BandLoss lossPer100m{};

    bool operator==(const CableType& o) const {
        return name == o.name && lossPer100m == o.lossPer100m;
    }
};

struct UserPort {
    BandLoss loss{};
    bool outlet = false; // an outlet port is judged and takes no children
    bool operator==(const UserPort& o) const { return loss == o.loss && outlet == o.outlet; }
};

// A part the catalogue lacks, with its losses per band and port.
struct UserComponent {
    QString name;
    std::vector<UserPort> ports;
    bool operator==(const UserComponent& o) const { return name == o.name && ports == o.ports; }
};

// Where the head end's output levels come from. The levels are kept in
// `levels` for the first two; the third adds `gain` to Bst_Input at compute
// time.
enum class HeadSource { Typed, TerminalScreen, BoosterInputPlusGain };

struct HeadEnd {
    HeadSource source = HeadSource::Typed;
    BandValues levels{105, 105, 105, 105};
    BandValues gain{};
    bool operator==(const HeadEnd& o) const {
        return source == o.source && levels == o.levels && gain == o.gain;
    }
};

// A detached subtree: nodes in preorder, the first is its root. Taking a
// subtree out and putting it back restores the same ids (undo); pasting a
// copy gives new ids.
struct Subtree {
    std::vector<NetNode> nodes;
};

// The converted losses of one node, kept beside it so that a recompute reads
// numbers only.
struct NodeLosses {
    BandLoss coax{};              // of the incoming run
    std::vector<BandLoss> ports;  // per output port
    std::vector<bool> outletPort; // per output port: judged, takes no children
};

// The tree flattened for computing: nodes in preorder, each with the index
// of its parent (-1: the head end). Rebuilt after a change, never per
// computation.
struct FlatNode {
    NodeId id = 0;
    int parent = -1;
    int port = 0;
    const NodeLosses* losses = nullptr;
    const NetNode* node = nullptr;
    QString outletName; // "room (floor)", for nodes with an outlet port
};
struct FlatNetwork {
    std::vector<FlatNode> nodes;
    std::vector<int> byId; // flat indices in the order of increasing id
    int outletPorts = 0;
};

class Network {
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
    const CableType* cableType(const QString& name) const;
    const UserComponent* userComponent(const QString& name) const;

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
    void setJournal(class NetworkJournal* journal) { m_journal.journal = journal; }

    bool operator==(const Network& other) const; // same tree, ids aside

    // Increases with every change of the tree or the definitions.
    std::uint64_t revision() const { return m_revision; }
    // The flattened tree of the current revision.
    const FlatNetwork& flat() const;

private:
    struct Slot {
        NetNode node;
        NodeLosses losses;
    };
    std::map<NodeId, Slot> m_nodes;
    std::vector<NodeId> m_headChildren;
    NodeLosses m_headLosses;
    std::vector<CableType> m_cables;
    std::vector<UserComponent> m_users;
    NodeId m_nextId = 1;
    std::uint64_t m_revision = 0;
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
        class NetworkJournal* journal = nullptr;
    };
    JournalLink m_journal;

    friend class NetworkEditor;
};
