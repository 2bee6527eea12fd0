#include "network/networkmodel.h"

#include "network/networkmodel_editor.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

using namespace miravel::common;

namespace miravel::network {

namespace {

// Enough for the setups an edit changes between two computations.
constexpr size_t SetupLogLength = 64;

} // namespace

Network::Network() : m_headLosses(headEndLosses()) {}

int Network::freePort(NodeId id) const {
    const std::vector<int> ports = NetworkEditor(const_cast<Network&>(*this)).freePorts(id);
    return ports.empty() ? -1 : ports.front();
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

NodeId Network::appendChild(NodeId parent, int port, NodeSetup&& setup, int depth) {
    if (m_journal.journal) return addChild(parent, port, setup);
    NetworkEditor e(*this);
    e.checkPort(parent, port);
    if (nodeCount() >= MaxNetworkNodes)
        throw refusal(QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
    if (depth > MaxNetworkDepth)
        throw refusal(QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
    checkSetupValues(setup);
    NodeLosses losses = convertNodeLosses(setup, *this);
    const NodeId id = m_nextId++;
    m_nodes.put(Slot{NetNode{id, parent, port, std::move(setup), {}}, std::move(losses)});
    e.childList(parent).push_back(id);
    ++m_revision;
    return id;
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
    const bool samePorts = losses.outletPort == s.losses.outletPort;
    s.node.setup = setup;
    s.losses = std::move(losses);
    ++m_revision;
    if (!samePorts) return;
    if (m_setupLog.size() >= SetupLogLength) m_setupLog.erase(m_setupLog.begin());
    m_setupLog.emplace_back(m_revision, id);
}

std::optional<std::vector<NodeId>> Network::setupsSince(std::uint64_t revision) const {
    if (revision > m_revision || m_revision - revision > m_setupLog.size()) return std::nullopt;
    std::vector<NodeId> ids;
    const size_t first = m_setupLog.size() - size_t(m_revision - revision);
    for (size_t i = first; i < m_setupLog.size(); ++i) {
        // Every revision since is one of the log's, one after the other.
        if (m_setupLog[i].first != revision + 1 + (i - first)) return std::nullopt;
        ids.push_back(m_setupLog[i].second);
    }
    return ids;
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
        if (n.id == HeadEndId || m_nodes.find(n.id))
            throw refusal(QStringLiteral("ノード番号 %1 はすでに使われています。").arg(n.id));
    e.checkRoom(parent, int(subtree.nodes.size()), e.height(subtree));
    std::vector<NodeLosses> losses = e.convertAll(subtree);
    e.checkShape(subtree, losses);
    e.insert(subtree, std::move(losses), parent, port, row);
}

Subtree Network::copySubtree(NodeId id) const {
    if (!m_nodes.find(id))
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
    for (const NetBandValues& values : {value.levels, value.gain})
        if (!withinRange(values, MinHeadLevel, MaxHeadLevel))
            throw refusal(QStringLiteral("出力レベルと利得は %1～%2 dB で指定してください。")
                              .arg(MinHeadLevel)
                              .arg(MaxHeadLevel));
    if (!withinRange(value.incomingCn, MinCn, MaxCn))
        throw refusal(
            QStringLiteral("入力の C/N は %1～%2 dB で指定してください。").arg(MinCn).arg(MaxCn));
    if (!withinRange(value.noiseFigure, 0, MaxNoiseFigure))
        throw refusal(
            QStringLiteral("雑音指数 (NF) は 0～%1 dB で指定してください。").arg(MaxNoiseFigure));
    head = value;
}

void Network::setCableType(const CableType& cable) {
    checkText(cable.name, QStringLiteral("ケーブル種別の名前"));
    if (cable.name.trimmed().isEmpty() || isBuiltInCable(cable.name))
        throw refusal(QStringLiteral("ケーブル種別の名前「%1」は使えません。")
                          .arg(fileTextExcerpt(cable.name)));
    checkCablePoints(cable);
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
    m_nodes.eachById([&](const Slot& s) {
        if (s.node.setup.coax.cable == name)
            throw refusal(
                QStringLiteral("ケーブル種別「%1」は使われているため削除できません。").arg(name));
    });
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
    trial.m_nodes.eachById([&](const Slot& s) {
        if (uses(s.node.setup) && !NetworkEditor(trial).childrenFit(s.node, s.losses))
            throw refusal(QStringLiteral("ユーザー部品「%1」の端子に下流の機器がつながっています。")
                              .arg(component.name));
    });
    std::swap(*this, trial);
    NetworkEditor(*this).recordDefinitions(trial);
}

void Network::removeUserComponent(const QString& name) {
    m_nodes.eachById([&](const Slot& s) {
        if (s.node.setup.component.kind == ComponentKind::User &&
            s.node.setup.component.userName == name)
            throw refusal(
                QStringLiteral("ユーザー部品「%1」は使われているため削除できません。").arg(name));
    });
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
        m_nodes.eachById([&](const Slot& slot) {
            const NodeSetup& setup = slot.node.setup;
            if (setup.component.kind != ComponentKind::User && isBuiltInCable(setup.coax.cable))
                return;
            NodeLosses losses = convertNodeLosses(setup, *this);
            if (!e.childrenFit(slot.node, losses))
                throw refusal(QStringLiteral("部品「%1」の端子に下流の機器がつながっています。")
                                  .arg(setup.component.userName));
            converted[slot.node.id] = std::move(losses);
        });
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

} // namespace miravel::network
