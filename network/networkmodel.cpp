#include "network/networkmodel.h"

#include "common/errors.h"
#include "network/catalogparts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace {

UserError refusal(const QString& message) {
    return UserError(message);
}

// The head end has one output, the booster's, with no loss of its own.
NodeLosses headEndLosses() {
    NodeLosses losses;
    losses.coax = {0.0, 0.0, 0.0, 0.0};
    losses.ports.push_back({0.0, 0.0, 0.0, 0.0});
    losses.outletPort.push_back(false);
    return losses;
}

// A text the network keeps, named by `what` in the refusal.
void checkText(const QString& text, const QString& what) {
    const QString problem = networkTextProblem(text);
    if (!problem.isEmpty()) throw refusal(what + QStringLiteral("は ") + problem);
}

void checkSetupValues(const NodeSetup& setup) {
    const double metres = setup.coax.metres;
    if (!std::isfinite(metres) || metres < 0 || metres > MaxRunMetres)
        throw refusal(
            QStringLiteral("ケーブルの長さは 0～%1 m で指定してください。").arg(MaxRunMetres));
    checkText(setup.room, QStringLiteral("部屋名"));
    checkText(setup.floor, QStringLiteral("階"));
}

bool withinLoss(const BandLoss& loss, double low, double high) {
    return std::all_of(loss.begin(), loss.end(), [&](const std::optional<double>& l) {
        return !l || (std::isfinite(*l) && *l >= low && *l <= high);
    });
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

} // namespace

// Everything that changes the tree goes through here, so that each check
// happens before the first change.
class NetworkEditor {
public:
    explicit NetworkEditor(Network& n) : net(n) {}
    Network& net;

    Network::Slot& slot(NodeId id) {
        const auto found = net.m_nodes.find(id);
        if (found == net.m_nodes.end())
            throw refusal(QStringLiteral("指定のノード（%1）はありません。").arg(id));
        return found->second;
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
            net.m_nodes[n.id] = Network::Slot{std::move(n), std::move(losses[i])};
            net.m_nextId = std::max(net.m_nextId, s.nodes[i].id + 1);
        }
        row = place(s.nodes.front().id, parent, row);
        ++net.m_revision;
        if (recording()) record(InsertStep{s, {parent, port, row}, false});
    }
    void reconvertUsers(const std::function<bool(const NodeSetup&)>& uses) {
        std::map<NodeId, NodeLosses> converted;
        for (const auto& [id, s] : net.m_nodes)
            if (uses(s.node.setup)) converted[id] = convertNodeLosses(s.node.setup, net);
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

Network::Network() : m_headLosses(headEndLosses()) {}

bool Network::contains(NodeId id) const {
    return id == HeadEndId || m_nodes.count(id) > 0;
}

const NetNode& Network::node(NodeId id) const {
    return m_nodes.at(id).node;
}

const std::vector<NodeId>& Network::children(NodeId id) const {
    return id == HeadEndId ? m_headChildren : m_nodes.at(id).node.children;
}

const NodeLosses& Network::losses(NodeId id) const {
    return id == HeadEndId ? m_headLosses : m_nodes.at(id).losses;
}

int Network::portCount(NodeId id) const {
    return int(losses(id).ports.size());
}

bool Network::canTakeChildren(NodeId id, int port) const {
    const NodeLosses& l = losses(id);
    return port >= 0 && port < int(l.ports.size()) && !l.outletPort[size_t(port)];
}

NodeId Network::childOnPort(NodeId id, int port) const {
    for (NodeId c : children(id))
        if (node(c).parentPort == port) return c;
    return HeadEndId;
}

int Network::freePort(NodeId id) const {
    const std::vector<int> ports = NetworkEditor(const_cast<Network&>(*this)).freePorts(id);
    return ports.empty() ? -1 : ports.front();
}

std::vector<NodeId> Network::preorder() const {
    std::vector<NodeId> order;
    order.reserve(m_nodes.size());
    std::vector<NodeId> stack(m_headChildren.rbegin(), m_headChildren.rend());
    while (!stack.empty()) {
        const NodeId id = stack.back();
        stack.pop_back();
        order.push_back(id);
        const auto& c = m_nodes.at(id).node.children;
        stack.insert(stack.end(), c.rbegin(), c.rend());
    }
    return order;
}

NodeId Network::addChild(NodeId parent, int port, const NodeSetup& setup, int row) {
    NetworkEditor e(*this);
    e.checkPort(parent, port);
    e.checkRoom(parent, 1, 1);
    checkSetupValues(setup);
    NodeLosses losses = convertNodeLosses(setup, *this);
    Subtree s;
    s.nodes.push_back(NetNode{m_nextId, parent, port, setup, {}});
    e.insert(s, {std::move(losses)}, parent, port, row);
    return s.nodes.front().id;
}

void Network::setSetup(NodeId id, const NodeSetup& setup) {
    NetworkEditor e(*this);
    Slot& s = e.slot(id);
    checkSetupValues(setup);
    NodeLosses losses = convertNodeLosses(setup, *this);
    if (!e.childrenFit(s.node, losses))
        throw refusal(
            QStringLiteral("この部品には、つながっている下流の機器を受ける端子がありません。"
                           "先に下流を移すか削除してください。"));
    if (e.recording()) e.record(SetupStep{id, s.node.setup, setup});
    s.node.setup = setup;
    s.losses = std::move(losses);
    ++m_revision;
}

void Network::move(NodeId id, NodeId newParent, int port, int row) {
    NetworkEditor e(*this);
    const NetNode& old = e.slot(id).node;
    e.checkPort(newParent, port, id);
    for (NodeId up = newParent; up != HeadEndId; up = node(up).parent)
        if (up == id) throw refusal(QStringLiteral("ノードを自分の下流へは移せません。"));
    const Subtree s = e.collect(id);
    e.checkRoom(newParent, 0, e.height(s));
    const NodePlace from{old.parent, old.parentPort, e.rowOf(id)};
    e.unlink(id);
    Slot& moved = m_nodes.at(id);
    moved.node.parent = newParent;
    moved.node.parentPort = port;
    row = e.place(id, newParent, row);
    ++m_revision;
    e.record(MoveStep{id, from, {newParent, port, row}});
}

Subtree Network::takeSubtree(NodeId id) {
    NetworkEditor e(*this);
    const NetNode& root = e.slot(id).node;
    const NodePlace place{root.parent, root.parentPort, e.rowOf(id)};
    Subtree s = e.collect(id);
    e.unlink(id);
    for (const NetNode& n : s.nodes)
        m_nodes.erase(n.id);
    ++m_revision;
    if (e.recording()) e.record(InsertStep{s, place, true});
    return s;
}

void Network::insertSubtree(const Subtree& subtree, NodeId parent, int port, int row) {
    NetworkEditor e(*this);
    if (subtree.nodes.empty()) throw refusal(QStringLiteral("挿入するノードがありません。"));
    e.checkPort(parent, port);
    for (const NetNode& n : subtree.nodes)
        if (n.id == HeadEndId || m_nodes.count(n.id))
            throw refusal(QStringLiteral("ノード番号 %1 はすでに使われています。").arg(n.id));
    e.checkRoom(parent, int(subtree.nodes.size()), e.height(subtree));
    std::vector<NodeLosses> losses = e.convertAll(subtree);
    e.checkShape(subtree, losses);
    e.insert(subtree, std::move(losses), parent, port, row);
}

Subtree Network::copySubtree(NodeId id) const {
    if (!m_nodes.count(id))
        throw refusal(QStringLiteral("指定のノード（%1）はありません。").arg(id));
    return NetworkEditor(const_cast<Network&>(*this)).collect(id);
}

NodeId Network::pasteCopy(const Subtree& copy, NodeId parent, int port, int row) {
    RoomNumbers rooms(*this);
    return NetworkEditor(*this).paste(copy, parent, port, row, rooms);
}

std::vector<NodeId> Network::repeatSubtree(NodeId id, int times) {
    NetworkEditor e(*this);
    e.slot(id);
    if (times < 1 || times > MaxRepeat)
        throw refusal(QStringLiteral("複製の回数は 1～%1 で指定してください。").arg(MaxRepeat));
    const Subtree s = e.collect(id);
    if (nodeCount() + qint64(s.nodes.size()) * times > MaxNetworkNodes)
        throw refusal(QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
    const NodeId parent = node(id).parent;
    const auto isBrancher = [&](NodeId n) {
        return n != HeadEndId && node(n).setup.component.kind == ComponentKind::Brancher;
    };
    // Every check comes first, so that a refusal changes nothing.
    const bool chain = isBrancher(parent) && isBrancher(id);
    const std::vector<int> ports = e.freePorts(parent);
    if (chain && childOnPort(id, 0) != HeadEndId)
        throw refusal(QStringLiteral("通過の先に機器がつながっているため、続けて複製できません。"
                                     "いちばん下の階を選んでください。"));
    if (chain && e.depth(id) + times + e.height(s) - 1 > MaxNetworkDepth)
        throw refusal(QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
    if (!chain && int(ports.size()) < times)
        throw refusal(QStringLiteral("空いている端子が足りません（空き %1、複製 %2 回）。")
                          .arg(ports.size())
                          .arg(times));
    RoomNumbers rooms(*this);
    int row = e.rowOf(id);
    std::vector<NodeId> roots;
    for (int i = 0; i < times; ++i) {
        if (chain)
            roots.push_back(e.paste(s, roots.empty() ? id : roots.back(), 0, -1, rooms));
        else
            roots.push_back(e.paste(s, parent, ports[size_t(i)], ++row, rooms));
    }
    return roots;
}

void Network::clear() {
    *this = Network();
}

void Network::setHead(const HeadEnd& value) {
    for (const BandValues& values : {value.levels, value.gain})
        for (double v : values)
            if (!std::isfinite(v) || v < MinHeadLevel || v > MaxHeadLevel)
                throw refusal(QStringLiteral("出力レベルと利得は %1～%2 dB で指定してください。")
                                  .arg(MinHeadLevel)
                                  .arg(MaxHeadLevel));
    head = value;
}

void Network::setCableType(const CableType& cable) {
    checkText(cable.name, QStringLiteral("ケーブル種別の名前"));
    if (cable.name.trimmed().isEmpty() || catalogueCoaxIndex(cable.name) >= 0)
        throw refusal(QStringLiteral("ケーブル種別の名前「%1」は使えません。")
                          .arg(fileTextExcerpt(cable.name)));
    if (!withinLoss(cable.lossPer100m, 0, MaxCableLossPer100m))
        throw refusal(QStringLiteral("100 m あたりの損失は 0～%1 dB で指定してください。")
                          .arg(MaxCableLossPer100m));
    Network trial = *this;
    auto found = std::find_if(trial.m_cables.begin(), trial.m_cables.end(),
                              [&](const CableType& c) { return c.name == cable.name; });
    if (found == trial.m_cables.end() && int(m_cables.size()) >= MaxCableTypes)
        throw refusal(QStringLiteral("ケーブル種別は %1 種までです。").arg(MaxCableTypes));
    if (found == trial.m_cables.end())
        trial.m_cables.push_back(cable);
    else
        *found = cable;
    NetworkEditor(trial).reconvertUsers(
        [&](const NodeSetup& s) { return s.coax.cable == cable.name; });
    std::swap(*this, trial);
    NetworkEditor(*this).recordDefinitions(trial);
}

void Network::removeCableType(const QString& name) {
    for (const auto& [id, s] : m_nodes)
        if (s.node.setup.coax.cable == name)
            throw refusal(
                QStringLiteral("ケーブル種別「%1」は使われているため削除できません。").arg(name));
    const std::vector<CableType> before = m_cables;
    m_cables.erase(std::remove_if(m_cables.begin(), m_cables.end(),
                                  [&](const CableType& c) { return c.name == name; }),
                   m_cables.end());
    ++m_revision;
    NetworkEditor e(*this);
    if (e.recording()) e.record(DefinitionsStep{before, m_cables, m_users, m_users});
}

void Network::setUserComponent(const UserComponent& component) {
    checkText(component.name, QStringLiteral("ユーザー部品の名前"));
    if (component.name.trimmed().isEmpty())
        throw refusal(QStringLiteral("ユーザー部品の名前を入力してください。"));
    if (component.ports.empty() || component.ports.size() > size_t(MaxUserPorts))
        throw refusal(
            QStringLiteral("ユーザー部品の端子は 1～%1 個で指定してください。").arg(MaxUserPorts));
    for (const UserPort& port : component.ports)
        if (!withinLoss(port.loss, MinUserLoss, MaxUserLoss))
            throw refusal(QStringLiteral("ユーザー部品の損失は %1～%2 dB で指定してください。")
                              .arg(MinUserLoss)
                              .arg(MaxUserLoss));
    Network trial = *this;
    auto found = std::find_if(trial.m_users.begin(), trial.m_users.end(),
                              [&](const UserComponent& u) { return u.name == component.name; });
    if (found == trial.m_users.end() && int(m_users.size()) >= MaxUserComponents)
        throw refusal(QStringLiteral("ユーザー部品は %1 種までです。").arg(MaxUserComponents));
    if (found == trial.m_users.end())
        trial.m_users.push_back(component);
    else
        *found = component;
    auto uses = [&](const NodeSetup& s) {
        return s.component.kind == ComponentKind::User && s.component.userName == component.name;
    };
    NetworkEditor(trial).reconvertUsers(uses);
    for (const auto& [id, s] : trial.m_nodes)
        if (uses(s.node.setup) && !NetworkEditor(trial).childrenFit(s.node, s.losses))
            throw refusal(QStringLiteral("ユーザー部品「%1」の端子に下流の機器がつながっています。")
                              .arg(component.name));
    std::swap(*this, trial);
    NetworkEditor(*this).recordDefinitions(trial);
}

void Network::removeUserComponent(const QString& name) {
    for (const auto& [id, s] : m_nodes)
        if (s.node.setup.component.kind == ComponentKind::User &&
            s.node.setup.component.userName == name)
            throw refusal(
                QStringLiteral("ユーザー部品「%1」は使われているため削除できません。").arg(name));
    const std::vector<UserComponent> before = m_users;
    m_users.erase(std::remove_if(m_users.begin(), m_users.end(),
                                 [&](const UserComponent& u) { return u.name == name; }),
                  m_users.end());
    ++m_revision;
    NetworkEditor e(*this);
    if (e.recording()) e.record(DefinitionsStep{m_cables, m_cables, before, m_users});
}

void Network::setDefinitions(const std::vector<CableType>& cables,
                             const std::vector<UserComponent>& users) {
    Network probe; // checks each definition as setCableType etc. do
    for (const CableType& c : cables)
        probe.setCableType(c);
    for (const UserComponent& u : users)
        probe.setUserComponent(u);
    if (probe.m_cables.size() != cables.size() || probe.m_users.size() != users.size())
        throw refusal(QStringLiteral("定義の名前が重複しています。"));
    NetworkEditor e(*this);
    std::swap(m_cables, probe.m_cables);
    std::swap(m_users, probe.m_users);
    std::map<NodeId, NodeLosses> converted;
    try {
        for (const auto& [id, slot] : m_nodes) {
            const NodeSetup& setup = slot.node.setup;
            if (setup.component.kind != ComponentKind::User &&
                catalogueCoaxIndex(setup.coax.cable) >= 0)
                continue;
            NodeLosses losses = convertNodeLosses(setup, *this);
            if (!e.childrenFit(slot.node, losses))
                throw refusal(QStringLiteral("部品「%1」の端子に下流の機器がつながっています。")
                                  .arg(setup.component.userName));
            converted[id] = std::move(losses);
        }
    } catch (...) {
        std::swap(m_cables, probe.m_cables);
        std::swap(m_users, probe.m_users);
        throw;
    }
    for (auto& [id, losses] : converted)
        m_nodes.at(id).losses = std::move(losses);
    ++m_revision;
    e.recordDefinitions(probe);
}

const CableType* Network::cableType(const QString& name) const {
    for (const CableType& c : m_cables)
        if (c.name == name) return &c;
    return nullptr;
}

const UserComponent* Network::userComponent(const QString& name) const {
    for (const UserComponent& u : m_users)
        if (u.name == name) return &u;
    return nullptr;
}

namespace {

bool sameTree(const Network& a, NodeId x, const Network& b, NodeId y) {
    const auto& cx = a.children(x);
    const auto& cy = b.children(y);
    if (cx.size() != cy.size()) return false;
    for (size_t i = 0; i < cx.size(); ++i) {
        const NetNode& nx = a.node(cx[i]);
        const NetNode& ny = b.node(cy[i]);
        if (nx.setup != ny.setup || nx.parentPort != ny.parentPort) return false;
        if (!sameTree(a, cx[i], b, cy[i])) return false;
    }
    return true;
}

} // namespace

bool Network::operator==(const Network& other) const {
    return head == other.head && m_cables == other.m_cables && m_users == other.m_users &&
           nodeCount() == other.nodeCount() && sameTree(*this, HeadEndId, other, HeadEndId);
}

namespace {

QString outletName(const NodeSetup& setup) {
    if (setup.floor.isEmpty()) return setup.room;
    if (setup.room.isEmpty()) return setup.floor;
    return setup.room + QStringLiteral(" (") + setup.floor + u')';
}

} // namespace

const FlatNetwork& Network::flat() const {
    if (m_flat.valid && m_flat.revision == m_revision) return m_flat.data;
    FlatNetwork f;
    f.nodes.reserve(m_nodes.size());
    // Preorder with the parent's flat index carried along.
    std::vector<std::pair<NodeId, int>> stack;
    for (auto c = m_headChildren.rbegin(); c != m_headChildren.rend(); ++c)
        stack.emplace_back(*c, -1);
    while (!stack.empty()) {
        const auto [id, parent] = stack.back();
        stack.pop_back();
        const Slot& s = m_nodes.at(id);
        FlatNode n{id, parent, s.node.parentPort, &s.losses, &s.node, {}};
        for (bool outlet : s.losses.outletPort)
            if (outlet) ++f.outletPorts;
        if (std::count(s.losses.outletPort.begin(), s.losses.outletPort.end(), true))
            n.outletName = outletName(s.node.setup);
        const int self = int(f.nodes.size());
        f.nodes.push_back(std::move(n));
        for (auto c = s.node.children.rbegin(); c != s.node.children.rend(); ++c)
            stack.emplace_back(*c, self);
    }
    f.byId.resize(f.nodes.size());
    for (size_t i = 0; i < f.byId.size(); ++i)
        f.byId[i] = int(i);
    std::sort(f.byId.begin(), f.byId.end(),
              [&](int a, int b) { return f.nodes[size_t(a)].id < f.nodes[size_t(b)].id; });
    m_flat.data = std::move(f);
    m_flat.valid = true;
    m_flat.revision = m_revision;
    return m_flat.data;
}
