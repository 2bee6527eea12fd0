#pragma once
// Inside the network model (networkmodel.cpp only): the checks of a change
// and the editor through which every change of the tree goes.

#include "common/errors.h"
#include "network/catalogparts.h"
#include "network/networkmodel.h"
#include "network/standardcables.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace miravel::network {

namespace NetworkChecks {

inline common::UserError refusal(const QString& message) {
    return common::UserError(message);
}

// The head end has one output, the booster's, with no loss of its own.
inline NodeLosses headEndLosses() {
    NodeLosses losses;
    losses.coax = {0.0, 0.0, 0.0, 0.0, 0.0};
    losses.edgeCoax = losses.coax;
    losses.ports = PortLosses(PortLosses::Table(1, losses.coax));
    losses.outletPort.push_back(false);
    return losses;
}

// A text the network keeps, named by `what` in the refusal.
inline void checkText(const QString& text, const QString& what) {
    const QString problem = networkTextProblem(text);
    if (!problem.isEmpty()) throw refusal(what + QStringLiteral("は ") + problem);
}

inline void checkBooster(const BoosterSpec& booster); // below

inline void checkSetupValues(const NodeSetup& setup) {
    const double metres = setup.coax.metres;
    if (!std::isfinite(metres) || metres < 0 || metres > MaxRunMetres)
        throw refusal(
            QStringLiteral("ケーブルの長さは 0～%1 m で指定してください。").arg(MaxRunMetres));
    checkText(setup.room, QStringLiteral("部屋名"));
    checkText(setup.floor, QStringLiteral("階"));
    if (setup.component.kind == ComponentKind::Booster) {
        checkText(setup.component.userName, QStringLiteral("ブースターの型式"));
        checkBooster(setup.component.booster);
    }
}

inline bool withinLoss(const BandLoss& loss, double low, double high) {
    return std::all_of(loss.begin(), loss.end(), [&](const std::optional<double>& l) {
        return !l || (std::isfinite(*l) && *l >= low && *l <= high);
    });
}

inline bool withinRange(const NetBandValues& values, double low, double high) {
    return std::all_of(values.begin(), values.end(),
                       [&](double v) { return std::isfinite(v) && v >= low && v <= high; });
}

// A catalogue or standard cable type: no network may define its name.
inline bool isBuiltInCable(const QString& name) {
    return catalogueCoaxIndex(name) >= 0 || standardCableType(name);
}

// A cable type's points: at most MaxCablePoints (none: rated for no band),
// each frequency once and within the limits, the losses too.
inline void checkCablePoints(const CableType& cable) {
    if (cable.points.size() > size_t(MaxCablePoints))
        throw refusal(QStringLiteral("ケーブル種別「%1」の周波数と損失は %2 組までです。")
                          .arg(fileTextExcerpt(cable.name))
                          .arg(MaxCablePoints));
    std::set<double> seen;
    for (const LossPoint& p : cable.points) {
        if (!std::isfinite(p.mhz) || p.mhz < MinCableMHz || p.mhz > MaxCableMHz)
            throw refusal(QStringLiteral("周波数は %1～%2 MHz で指定してください。")
                              .arg(MinCableMHz)
                              .arg(MaxCableMHz));
        if (!std::isfinite(p.dbPer100m) || p.dbPer100m < 0 || p.dbPer100m > MaxCableLossPer100m)
            throw refusal(QStringLiteral("100 m あたりの損失は 0～%1 dB で指定してください。")
                              .arg(MaxCableLossPer100m));
        if (!seen.insert(p.mhz).second)
            throw refusal(QStringLiteral("周波数 %1 MHz が二度あります。").arg(p.mhz));
    }
    if (cable.ratedToMHz && (!std::isfinite(*cable.ratedToMHz) || *cable.ratedToMHz < MinCableMHz ||
                             *cable.ratedToMHz > MaxCableMHz))
        throw refusal(QStringLiteral("使用上限の周波数は %1～%2 MHz で指定してください。")
                          .arg(MinCableMHz)
                          .arg(MaxCableMHz));
}

inline void checkBooster(const BoosterSpec& b) {
    if (!withinLoss(b.gain, MinBoosterGain, MaxBoosterGain))
        throw refusal(QStringLiteral("ブースターの利得は %1～%2 dB で指定してください。")
                          .arg(MinBoosterGain)
                          .arg(MaxBoosterGain));
    if (!withinRange(b.noiseFigure, 0, MaxNoiseFigure))
        throw refusal(
            QStringLiteral("雑音指数 (NF) は 0～%1 dB で指定してください。").arg(MaxNoiseFigure));
    if (!withinRange(b.maxOutput, MinHeadLevel, MaxHeadLevel) ||
        !withinRange(b.minInput, MinHeadLevel, MaxHeadLevel))
        throw refusal(QStringLiteral("ブースターの定格レベルは %1～%2 dBμV で指定してください。")
                          .arg(MinHeadLevel)
                          .arg(MaxHeadLevel));
}

// The rooms in use on each floor, so that a copy takes the next free
// number of its floor: "301" -> "302", "A-09" -> "A-10". A room without a
// trailing number stays as it is.
class RoomNumbers {
public:
    explicit RoomNumbers(const Network& net) {
        for (NodeId id : net.preorder())
            m_used[net.node(id).setup.floor].insert(net.node(id).setup.room);
    }
    void renumber(NodeSetup& setup) {
        const QString& room = setup.room;
        int start = int(room.size());
        while (start > 0 && room[start - 1] >= u'0' && room[start - 1] <= u'9')
            --start;
        const int width = int(room.size()) - start;
        if (width == 0 || width > 9) return;
        std::set<QString>& used = m_used[setup.floor];
        qlonglong number = room.mid(start).toLongLong();
        QString next;
        do
            next = room.left(start) + QStringLiteral("%1").arg(++number, width, 10, QChar(u'0'));
        while (used.count(next));
        used.insert(next);
        setup.room = next;
    }

private:
    std::map<QString, std::set<QString>> m_used;
};

} // namespace NetworkChecks

// Only networkmodel.cpp includes this header.
using namespace NetworkChecks;

// Everything that changes the tree goes through here, so that each check
// happens before the first change.
class NetworkEditor {
public:
    explicit NetworkEditor(Network& n) : net(n) {}
    Network& net;

    Network::Slot& slot(NodeId id) {
        Network::Slot* found = net.m_nodes.find(id);
        if (!found) throw refusal(QStringLiteral("指定のノード（%1）はありません。").arg(id));
        return *found;
    }
    std::vector<NodeId>& childList(NodeId id) {
        return id == HeadEndId ? net.m_headChildren : slot(id).node.children;
    }
    int depth(NodeId id) const {
        int d = 0;
        while (id != HeadEndId) {
            id = net.m_nodes.at(id).node.parent;
            ++d;
        }
        return d;
    }
    int height(const Subtree& s) const {
        // Depth of each node relative to the subtree's root, in preorder.
        std::map<NodeId, int> level;
        int most = 0;
        for (const NetNode& n : s.nodes) {
            const auto parent = level.find(n.parent);
            const int l =
                (parent == level.end() || &n == &s.nodes.front()) ? 1 : parent->second + 1;
            level[n.id] = l;
            most = std::max(most, l);
        }
        return most;
    }
    bool recording() const { return net.m_journal.journal != nullptr; }
    void record(NetworkStep step) {
        if (recording()) net.m_journal.journal->add(std::move(step));
    }
    int rowOf(NodeId id) {
        const std::vector<NodeId>& list = childList(slot(id).node.parent);
        return int(std::find(list.begin(), list.end(), id) - list.begin());
    }
    // A port feeds one run; `except` may already hang there (a move along
    // its own parent).
    void checkPort(NodeId parent, int port, NodeId except = HeadEndId) {
        if (!net.contains(parent))
            throw refusal(QStringLiteral("指定のノード（%1）はありません。").arg(parent));
        if (port < 0 || port >= net.portCount(parent))
            throw refusal(QStringLiteral("この部品に端子 %1 はありません。").arg(port + 1));
        if (!net.canTakeChildren(parent, port))
            throw refusal(QStringLiteral("テレビ端子の出力には何もつなげません。"));
        const NodeId there = net.childOnPort(parent, port);
        if (there != HeadEndId && there != except)
            throw refusal(QStringLiteral("端子 %1 にはすでに配線がつながっています。"
                                         "1 つの端子につなげる配線は 1 本です。")
                              .arg(port + 1));
    }
    std::vector<int> freePorts(NodeId id) const {
        std::vector<int> ports;
        const bool brancher =
            id != HeadEndId && net.node(id).setup.component.kind == ComponentKind::Brancher;
        const int count = net.portCount(id);
        for (int i = 0; i < count; ++i) {
            const int p = brancher ? (i + 1) % count : i; // taps first, through last
            if (net.canTakeChildren(id, p) && net.childOnPort(id, p) == HeadEndId)
                ports.push_back(p);
        }
        return ports;
    }
    // A copy with new ids and the next free room numbers.
    NodeId paste(Subtree copy, NodeId parent, int port, int row, RoomNumbers& rooms) {
        if (copy.nodes.empty()) throw refusal(QStringLiteral("貼り付けるノードがありません。"));
        std::map<NodeId, NodeId> newIds;
        NodeId next = net.m_nextId;
        for (NetNode& n : copy.nodes)
            newIds[n.id] = next++;
        for (NetNode& n : copy.nodes) {
            n.id = newIds.at(n.id);
            if (newIds.count(n.parent)) n.parent = newIds.at(n.parent);
            for (NodeId& c : n.children)
                c = newIds.at(c);
            rooms.renumber(n.setup);
        }
        net.insertSubtree(copy, parent, port, row);
        return copy.nodes.front().id;
    }
    void checkRoom(NodeId parent, int added, int height) {
        if (net.nodeCount() + added > MaxNetworkNodes)
            throw refusal(QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
        if (depth(parent) + height > MaxNetworkDepth)
            throw refusal(QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
    }
    int place(NodeId id, NodeId parent, int row) {
        std::vector<NodeId>& list = childList(parent);
        if (row < 0 || row > int(list.size())) row = int(list.size());
        list.insert(list.begin() + row, id);
        return row;
    }
    void unlink(NodeId id) {
        std::vector<NodeId>& list = childList(slot(id).node.parent);
        list.erase(std::find(list.begin(), list.end(), id));
    }
    Subtree collect(NodeId id) const {
        Subtree s;
        std::function<void(NodeId)> walk = [&](NodeId n) {
            s.nodes.push_back(net.m_nodes.at(n).node);
            for (NodeId c : net.m_nodes.at(n).node.children)
                walk(c);
        };
        walk(id);
        return s;
    }
    // Converts every node of a subtree first; nothing is inserted when one fails.
    std::vector<NodeLosses> convertAll(const Subtree& s) const {
        std::vector<NodeLosses> all;
        all.reserve(s.nodes.size());
        for (const NetNode& n : s.nodes) {
            checkSetupValues(n.setup);
            all.push_back(convertNodeLosses(n.setup, net));
        }
        return all;
    }
    void insert(const Subtree& s, std::vector<NodeLosses> losses, NodeId parent, int port,
                int row) {
        for (size_t i = 0; i < s.nodes.size(); ++i) {
            NetNode n = s.nodes[i];
            if (i == 0) {
                n.parent = parent;
                n.parentPort = port;
            }
            net.m_nodes.put(Network::Slot{std::move(n), std::move(losses[i])});
            net.m_nextId = std::max(net.m_nextId, s.nodes[i].id + 1);
        }
        row = place(s.nodes.front().id, parent, row);
        ++net.m_revision;
        if (recording()) record(InsertStep{s, {parent, port, row}, false});
    }
    void reconvertUsers(const std::function<bool(const NodeSetup&)>& uses) {
        std::map<NodeId, NodeLosses> converted;
        net.m_nodes.eachById([&](const Network::Slot& s) {
            if (uses(s.node.setup)) converted[s.node.id] = convertNodeLosses(s.node.setup, net);
        });
        for (auto& [id, losses] : converted)
            net.m_nodes.at(id).losses = std::move(losses);
        ++net.m_revision;
    }
    // A subtree handed back (undo, paste) must be one: preorder, each node
    // listed by its parent, on a port of the parent that takes children.
    void checkShape(const Subtree& s, const std::vector<NodeLosses>& losses) const {
        std::map<NodeId, size_t> seen;
        std::set<std::pair<NodeId, int>> taken; // a port feeds one run
        size_t listed = 0;
        for (size_t i = 0; i < s.nodes.size(); ++i) {
            const NetNode& n = s.nodes[i];
            bool ok = seen.emplace(n.id, i).second;
            if (i > 0) {
                const auto parent = seen.find(n.parent);
                ok = ok && parent != seen.end() && parent->second < i;
                if (ok) {
                    const auto& siblings = s.nodes[parent->second].children;
                    const NodeLosses& l = losses[parent->second];
                    ok = std::count(siblings.begin(), siblings.end(), n.id) == 1 &&
                         n.parentPort >= 0 && n.parentPort < int(l.ports.size()) &&
                         !l.outletPort[size_t(n.parentPort)] &&
                         taken.insert({n.parent, n.parentPort}).second;
                }
            }
            listed += n.children.size();
            if (!ok) throw refusal(QStringLiteral("挿入するノードのつながりが正しくありません。"));
        }
        if (listed + 1 != s.nodes.size())
            throw refusal(QStringLiteral("挿入するノードのつながりが正しくありません。"));
    }
    void recordDefinitions(const Network& before) {
        if (recording())
            record(DefinitionsStep{before.m_cables, net.m_cables, before.m_users, net.m_users});
    }
    bool childrenFit(const NetNode& n, const NodeLosses& losses) const {
        for (NodeId c : n.children) {
            const int p = net.m_nodes.at(c).node.parentPort;
            if (p >= int(losses.ports.size()) || losses.outletPort[size_t(p)]) return false;
        }
        return true;
    }
};

} // namespace miravel::network
