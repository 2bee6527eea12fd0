#pragma once
// The values a building network is made of: nodes, their coax runs and
// components, the definitions of cables and parts the catalogue lacks, and
// the losses converted from them. The network, its catalogue conversion and
// its edit steps all build on these.

#include "common/programvalues.h"
#include "network/cablefit.h"
#include "network/netbands.h"
#include "network/networklimits.h"

#include <QString>
#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace miravel::network {

// A figure or nothing, used as std::optional<double> but kept in one double
// (NaN: nothing): the figures of every node and outlet stay small.
class PackedValue {
public:
    PackedValue() = default;
    PackedValue(std::nullopt_t) {}
    PackedValue(double value) : m_value(value) {}
    PackedValue(const std::optional<double>& value) : m_value(value.value_or(Nothing)) {}
    operator std::optional<double>() const {
        return has_value() ? std::optional<double>(m_value) : std::nullopt;
    }
    bool has_value() const { return m_value == m_value; }
    explicit operator bool() const { return has_value(); }
    double operator*() const { return m_value; }
    double value_or(double other) const { return has_value() ? m_value : other; }
    bool operator==(const PackedValue& o) const {
        return has_value() == o.has_value() && (!has_value() || m_value == o.m_value);
    }
    bool operator!=(const PackedValue& o) const { return !(*this == o); }

private:
    static constexpr double Nothing = std::numeric_limits<double>::quiet_NaN();
    double m_value = Nothing;
};

// A loss per band; nothing where the part is not rated for the band.
using BandLoss = std::array<PackedValue, NetBandCount>;
using BandFlags = std::array<bool, NetBandCount>;

// Node identity, stable across edits, undo and redo; 0 is the head end.
using NodeId = std::uint32_t;
constexpr NodeId HeadEndId = 0;

enum class ComponentKind {
    Distributor, // catalogue model: every output carries the distribution loss
    Brancher,    // catalogue model: port 0 through (insertion), 1..n taps (coupling)
    SeriesUnit,  // catalogue type: feed-through (port 0 through, 1 outlet) or end unit (0 outlet)
    Outlet,      // catalogue TV outlet: a leaf, its one port is the outlet (insertion loss)
    User,        // defined in the network by name
    Booster,     // a line booster: one output, its input plus its gain
};

// A line booster's data sheet, per band.
struct BoosterSpec {
    BandLoss gain{};             // dB; nothing: the band does not pass
    NetBandValues noiseFigure{}; // dB
    NetBandValues maxOutput{};   // rated maximum output, dBμV
    NetBandValues minInput{};    // least input for the rated NF, dBμV
    bool operator==(const BoosterSpec& o) const {
        return gain == o.gain && noiseFigure == o.noiseFigure && maxOutput == o.maxOutput &&
               minInput == o.minInput;
    }
};

// A value held behind a shared pointer, for a large member that few nodes
// use: copies share it until one is changed (edit), and an unset one reads
// as the value type's default.
template <typename T> class SharedValue {
public:
    SharedValue() = default;
    SharedValue(const T& value) : m_value(std::make_shared<const T>(value)) {}
    const T& operator*() const { return m_value ? *m_value : unset(); }
    const T* operator->() const { return &**this; }
    operator const T&() const { return **this; }
    // The value to change, no longer shared with any copy.
    T& edit() {
        auto own = std::make_shared<T>(**this);
        T& value = *own;
        m_value = std::move(own);
        return value;
    }
    // The held value, shared; a default one when unset.
    std::shared_ptr<const T> shared() const {
        return m_value ? m_value : std::make_shared<const T>();
    }
    bool operator==(const SharedValue& o) const { return m_value == o.m_value || **this == *o; }

private:
    static const T& unset() {
        static const T value{};
        return value;
    }
    std::shared_ptr<const T> m_value;
};

struct Component {
    ComponentKind kind = ComponentKind::Distributor;
    // Catalogue model, 1-based row of its table: distributors 1..6 (BS-D2 ..
    // CS-D6), branchers 1..4 (BS-C2 .. CS-C4), series-unit types 1..5 (the
    // terminal screen's order), TV outlets 1..4. Unused for user components.
    int model = 1;
    bool endUnit = false;             // series units: the end unit of the chain
    QString userName;                 // user components: the definition's name; boosters: the model
    SharedValue<BoosterSpec> booster; // boosters only

    bool operator==(const Component& o) const {
        return kind == o.kind && model == o.model && endUnit == o.endUnit &&
               userName == o.userName && booster == o.booster;
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

// A cable type the catalogue lacks, defined once in the network: its loss
// per 100 m at any number of frequencies.
struct CableType {
    QString name;
    LossPoints points;
    std::optional<double> ratedToMHz; // not rated above it

    bool operator==(const CableType& o) const {
        return name == o.name && points == o.points && ratedToMHz == o.ratedToMHz;
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

// Where the head end's C/N comes from: not reckoned (no outlet C/N), typed
// (the incoming signal's C/N, with the head booster as a stage fed at its
// output minus its gain), or the booster input of the field-strength screen
// (Bst_Input) through the head booster's NF.
enum class CnSource { None, Typed, FieldStrength };

// The head end, and the settings of the whole network (one undo step and
// one place in the file cover them).
struct HeadEnd {
    HeadSource source = HeadSource::Typed;
    NetBandValues levels{105, 105, 105, 105, 105};
    NetBandValues gain{};
    CnSource cnSource = CnSource::None;
    NetBandValues incomingCn{40, 40, 40, 40, 40};
    NetBandValues noiseFigure{8, 10, 8, 8, 8};
    bool judgeAtBandEdges = false; // cables at each band's top edge, not the catalogue columns
    bool operator==(const HeadEnd& o) const {
        return source == o.source && levels == o.levels && gain == o.gain &&
               cnSource == o.cnSource && incomingCn == o.incomingCn &&
               noiseFigure == o.noiseFigure && judgeAtBandEdges == o.judgeAtBandEdges;
    }
};

// A detached subtree: nodes in preorder, the first is its root. Taking a
// subtree out and putting it back restores the same ids (undo); pasting a
// copy gives new ids.
struct Subtree {
    std::vector<NetNode> nodes;
};

// A flag per output port, kept in five bytes (a part has at most 32 ports)
// with no alignment, so that it fills the gap after a node's band flags.
class PortFlags {
public:
    bool operator[](size_t port) const { return (bits() >> port) & 1u; }
    void push_back(bool flag) {
        Q_ASSERT(m_size < 32);
        if (flag) setBits(bits() | std::uint32_t(1) << m_size);
        ++m_size;
    }
    size_t size() const { return m_size; }
    int count() const { return int(std::bitset<32>(bits()).count()); }
    // The first port flagged, -1 when none.
    int first() const {
        for (size_t p = 0; p < m_size; ++p)
            if ((*this)[p]) return int(p);
        return -1;
    }
    bool operator==(const PortFlags& o) const { return bits() == o.bits() && m_size == o.m_size; }
    bool operator!=(const PortFlags& o) const { return !(*this == o); }

private:
    std::uint32_t bits() const {
        std::uint32_t b = 0;
        std::memcpy(&b, m_bits, sizeof b);
        return b;
    }
    void setBits(std::uint32_t b) { std::memcpy(m_bits, &b, sizeof b); }
    std::uint8_t m_bits[4] = {};
    std::uint8_t m_size = 0;
};

// A node's booster, shared with its setup. Few nodes have one, so it takes
// one pointer in the node and an allocation only where there is a booster.
class BoosterLink {
public:
    BoosterLink() = default;
    BoosterLink(std::shared_ptr<const BoosterSpec> sheet)
        : m_sheet(sheet ? std::make_unique<const Shared>(std::move(sheet)) : nullptr) {}
    BoosterLink(const BoosterLink& o) : BoosterLink(o.m_sheet ? *o.m_sheet : Shared()) {}
    BoosterLink(BoosterLink&&) noexcept = default;
    BoosterLink& operator=(BoosterLink o) noexcept {
        std::swap(m_sheet, o.m_sheet);
        return *this;
    }
    const BoosterSpec* get() const { return m_sheet ? m_sheet->get() : nullptr; }
    explicit operator bool() const { return get() != nullptr; }

private:
    using Shared = std::shared_ptr<const BoosterSpec>;
    std::unique_ptr<const Shared> m_sheet;
};

// The losses of a part's output ports, read-only once made, so that every
// node of one catalogue model or user component shares one table. One
// pointer wide: a network holds one per node.
class PortLosses {
public:
    using Table = std::vector<BandLoss>;
    PortLosses() = default;
    explicit PortLosses(Table ports) : m_held(new Held{{1}, std::move(ports)}) {}
    PortLosses(const PortLosses& o) noexcept : m_held(o.m_held) {
        if (m_held) m_held->refs.fetch_add(1, std::memory_order_relaxed);
    }
    PortLosses(PortLosses&& o) noexcept : m_held(std::exchange(o.m_held, nullptr)) {}
    PortLosses& operator=(PortLosses o) noexcept {
        std::swap(m_held, o.m_held);
        return *this;
    }
    ~PortLosses() {
        if (m_held && m_held->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete m_held;
    }
    const Table& table() const {
        static const Table none;
        return m_held ? m_held->ports : none;
    }
    size_t size() const { return table().size(); }
    const BandLoss& operator[](size_t port) const { return m_held->ports[port]; }
    const BandLoss& at(size_t port) const { return table().at(port); }
    Table::const_iterator begin() const { return table().begin(); }
    Table::const_iterator end() const { return table().end(); }

private:
    struct Held {
        std::atomic<long> refs;
        const Table ports;
    };
    Held* m_held = nullptr;
};

// The converted losses of one node, kept beside it so that a recompute reads
// numbers only.
struct NodeLosses {
    BandLoss coax{};           // of the incoming run, at the catalogue columns
    BandLoss edgeCoax{};       // the same at the bands' top edges
    BandFlags coaxEstimated{}; // beyond the cable's points
    BandFlags edgeCoaxEstimated{};
    PortFlags outletPort; // per output port: judged, takes no children
    PortLosses ports;     // per output port (a booster's: minus its gain)
    BoosterLink booster;  // the node's booster, shared by copies
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
};
// The numbers a computation walks per flat node, contiguous and without
// std::optional (NaN: not rated), so that the walk chases no pointers.
// Port losses are read where the parts keep them (tables shared by every
// node of a part, kept while the tree they were flattened from is).
struct FlatSteps {
    const BandLoss* up =
        nullptr;          // the parent's port loss on the node's port (0 below the head end)
    NetBandValues coax{}; // of the incoming run, where FlatNetwork::atBandEdges says
    std::uint8_t coaxEstimated = 0; // a bit per band
    int firstOutlet = 0; // the node's outlet ports: FlatNetwork::outlets[firstOutlet, endOutlet)
    int endOutlet = 0;
    const BoosterSpec* booster = nullptr; // the node's booster, as in its NodeLosses
};
struct FlatOutlet {
    const BandLoss* loss = nullptr; // the outlet port's loss
    int port = 0;
};
// Each node's id with its flat index, in the order of increasing id; shared
// with the results computed from the flattened tree.
struct IdIndex {
    std::vector<std::pair<NodeId, int>> entries;
    int find(NodeId id) const { // the flat index, -1 for none
        const auto found = std::lower_bound(
            entries.begin(), entries.end(), id,
            [](const std::pair<NodeId, int>& e, NodeId key) { return e.first < key; });
        return found != entries.end() && found->first == id ? found->second : -1;
    }
};
struct FlatNetwork {
    std::vector<FlatNode> nodes;
    std::vector<FlatSteps> steps;    // per node, as `nodes`
    std::vector<FlatOutlet> outlets; // every outlet port, in tree order
    std::shared_ptr<const IdIndex> byId = std::make_shared<IdIndex>();
    int outletPorts = 0;
    bool atBandEdges = false; // the steps' coax losses are the band edges' (as the head end says)
};

// Where the cable types and parts that a network defines are looked up by
// name; nullptr when the name is not defined.
class PartDefinitions {
public:
    virtual const CableType* cableType(const QString& name) const = 0;
    virtual const UserComponent* userComponent(const QString& name) const = 0;

protected:
    ~PartDefinitions() = default;
};

} // namespace miravel::network
