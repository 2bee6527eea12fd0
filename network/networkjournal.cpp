#include "network/networkjournal.h"

using namespace miravel::common;

namespace miravel::network {

namespace {

template <class... Ts> struct Overload : Ts... { using Ts::operator()...; };
template <class... Ts> Overload(Ts...) -> Overload<Ts...>;

void take(Network& net, const InsertStep& s) {
    net.takeSubtree(s.subtree.nodes.front().id);
}

void put(Network& net, const InsertStep& s) {
    net.insertSubtree(s.subtree, s.place.parent, s.place.port, s.place.row);
}

void play(Network& net, const NetworkStep& step, bool forward) {
    std::visit(Overload{
                   [&](const SetupStep& s) { net.setSetup(s.id, forward ? s.after : s.before); },
                   [&](const InsertStep& s) { forward != s.removal ? put(net, s) : take(net, s); },
                   [&](const MoveStep& s) {
                       const NodePlace& p = forward ? s.to : s.from;
                       net.move(s.id, p.parent, p.port, p.row);
                   },
                   [&](const DefinitionsStep& s) {
                       net.setDefinitions(forward ? s.cablesAfter : s.cablesBefore,
                                          forward ? s.usersAfter : s.usersBefore);
                   },
                   [&](const HeadStep& s) { net.head = forward ? s.after : s.before; },
               },
               step);
}

std::size_t textBytes(const QString& text) {
    return std::size_t(text.capacity()) * sizeof(QChar);
}

std::size_t setupBytes(const NodeSetup& s) {
    return textBytes(s.coax.cable) + textBytes(s.component.userName) + textBytes(s.room) +
           textBytes(s.floor);
}

std::size_t stepBytes(const NetworkStep& step) {
    std::size_t bytes = sizeof(NetworkStep);
    std::visit(Overload{
                   [&](const SetupStep& s) { bytes += setupBytes(s.before) + setupBytes(s.after); },
                   [&](const InsertStep& s) {
                       for (const NetNode& n : s.subtree.nodes)
                           bytes += sizeof(NetNode) + setupBytes(n.setup) +
                                    n.children.capacity() * sizeof(NodeId);
                   },
                   [&](const MoveStep&) {},
                   [&](const DefinitionsStep& s) {
                       for (const auto* list : {&s.cablesBefore, &s.cablesAfter})
                           for (const CableType& c : *list)
                               bytes += sizeof(CableType) + textBytes(c.name);
                       for (const auto* list : {&s.usersBefore, &s.usersAfter})
                           for (const UserComponent& u : *list)
                               bytes += sizeof(UserComponent) + textBytes(u.name) +
                                        u.ports.capacity() * sizeof(UserPort);
                   },
                   [&](const HeadStep&) {},
               },
               step);
    return bytes;
}

} // namespace

void NetworkJournal::undo(Network& network) const {
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        play(network, *step, false);
}

void NetworkJournal::redo(Network& network) const {
    for (const NetworkStep& step : m_steps)
        play(network, step, true);
}

std::size_t NetworkJournal::heldBytes() const {
    std::size_t bytes = sizeof(*this) + (m_steps.capacity() - m_steps.size()) * sizeof(NetworkStep);
    for (const NetworkStep& step : m_steps)
        bytes += stepBytes(step);
    return bytes;
}

std::vector<NodeId> NetworkJournal::setupNodes() const {
    std::vector<NodeId> ids;
    for (const NetworkStep& step : m_steps)
        if (const auto* s = std::get_if<SetupStep>(&step)) ids.push_back(s->id);
    return ids;
}

} // namespace miravel::network
