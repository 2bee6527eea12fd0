// How the network's tree model follows a change: rows that went away are
// removed, the remaining ones put in their new order, new ones inserted,
// and the rows whose values changed are announced, never the whole tree.

#include "network/ui/networkdocument.h"
#include "network/ui/networktreemodel.h"

#include <algorithm>

namespace miravel::network {

namespace {

// Beyond this many changed rows one relayout is cheaper than a signal each.
constexpr size_t ManyChangedRows = 2000;

} // namespace

// The network's tree, packed; sized to the largest id at once: growing by
// doubling would leave up to half of it unused.
void NetworkTreeModel::pack() {
    const Network& net = m_document->network();
    const FlatNetwork& flat = net.flat();
    const auto& byId = flat.byId->entries;
    const NodeId last = byId.empty() ? HeadEndId : byId.back().first;
    std::vector<NodeId> parents(size_t(last) + 1, NoRow);
    std::vector<quint32> first(size_t(last) + 2, 0);
    std::vector<NodeId> children;
    children.reserve(flat.nodes.size());
    parents[HeadEndId] = HeadEndId;
    size_t next = 0; // in byId, the first node not yet packed
    for (NodeId id = HeadEndId; id <= last; ++id) {
        first[id] = quint32(children.size());
        if (id != HeadEndId) {
            if (next == byId.size() || byId[next].first != id) continue;
            ++next;
        }
        for (NodeId c : net.children(id)) {
            children.push_back(c);
            parents[c] = id;
        }
    }
    first[size_t(last) + 1] = quint32(children.size());
    m_parent.swap(parents);
    m_first.swap(first);
    m_children.swap(children);
    std::vector<Shape>().swap(m_shape);
}

std::size_t NetworkTreeModel::heldBytes() const {
    std::size_t bytes = (m_parent.capacity() + m_first.capacity() + m_children.capacity()) * 4 +
                        m_shape.capacity() * sizeof(Shape);
    for (const Shape& s : m_shape)
        if (s.children.capacity() > 2) bytes += size_t(s.children.capacity()) * sizeof(NodeId);
    return bytes;
}

// The packed tree as a list per node, to follow a change on.
void NetworkTreeModel::unpack() {
    std::vector<Shape> shape(m_parent.size());
    for (NodeId id = 0; id < m_parent.size(); ++id) {
        if (m_parent[id] == NoRow) continue;
        Shape& s = shape[id];
        s.shown = true;
        s.parent = m_parent[id];
        s.children.append(m_children.data() + m_first[id],
                          qsizetype(m_first[id + 1] - m_first[id]));
    }
    m_shape.swap(shape);
}

// The node and its subtree as the network has them now.
void NetworkTreeModel::addShape(NodeId id, NodeId parent) {
    const Network& net = m_document->network();
    std::vector<NodeId> stack{id};
    while (!stack.empty()) {
        const NodeId n = stack.back();
        stack.pop_back();
        if (n >= m_shape.size()) m_shape.resize(std::max<size_t>(n + 1, m_shape.size() * 2));
        Shape& s = m_shape[n];
        s.shown = true;
        s.parent = n == id ? parent : net.node(n).parent;
        const std::vector<NodeId>& children = net.children(n);
        s.children.clear();
        s.children.append(children.data(), qsizetype(children.size()));
        stack.insert(stack.end(), s.children.begin(), s.children.end());
    }
}

void NetworkTreeModel::dropShape(NodeId id) {
    std::vector<NodeId> stack{id};
    while (!stack.empty()) {
        Shape& s = m_shape[stack.back()];
        stack.pop_back();
        s.shown = false;
        stack.insert(stack.end(), s.children.begin(), s.children.end());
        s.children.clear();
        s.children.squeeze();
    }
}

// Removes the rows of `parent` whose node is gone or hangs elsewhere now.
void NetworkTreeModel::removeGone(NodeId parent) {
    const Network& net = m_document->network();
    Children& rows = m_shape[parent].children;
    const auto stays = [&](NodeId c) { return net.contains(c) && net.node(c).parent == parent; };
    for (int last = int(rows.size()) - 1; last >= 0; --last) {
        if (stays(rows[size_t(last)])) continue;
        int first = last;
        while (first > 0 && !stays(rows[size_t(first - 1)]))
            --first;
        beginRemoveRows(indexOf(parent), first, last);
        for (int r = first; r <= last; ++r)
            dropShape(rows[size_t(r)]);
        rows.erase(rows.begin() + first, rows.begin() + last + 1);
        endRemoveRows();
        last = first;
    }
}

void NetworkTreeModel::insertNew(NodeId parent, int row, int count) {
    const std::vector<NodeId>& want = m_document->network().children(parent);
    beginInsertRows(indexOf(parent), row, row + count - 1);
    Children& rows = m_shape[parent].children;
    rows.insert(rows.begin() + row, count, NodeId{});
    std::copy(want.begin() + row, want.begin() + row + count, rows.begin() + row);
    for (int r = row; r < row + count; ++r)
        addShape(want[size_t(r)], parent);
    endInsertRows();
}

// Puts the remaining rows of `parent` in the network's order, then inserts
// the new ones.
void NetworkTreeModel::followChildren(NodeId parent) {
    const std::vector<NodeId>& want = m_document->network().children(parent);
    Children& rows = m_shape[parent].children;
    if (std::equal(rows.begin(), rows.end(), want.begin(), want.end())) return;
    const auto kept = [&](NodeId c) { return shown(c) && m_shape[c].parent == parent; };
    size_t i = 0;
    for (NodeId c : want) {
        if (!kept(c)) continue;
        const size_t j =
            size_t(std::find(rows.begin() + qsizetype(i), rows.end(), c) - rows.begin());
        if (j != i) {
            const QModelIndex p = indexOf(parent);
            beginMoveRows(p, int(j), int(j), p, int(i));
            std::rotate(rows.begin() + qsizetype(i), rows.begin() + qsizetype(j),
                        rows.begin() + qsizetype(j) + 1);
            endMoveRows();
        }
        ++i;
    }
    for (size_t r = 0; r < want.size(); ++r) {
        if (kept(want[r])) continue;
        size_t end = r;
        while (end < want.size() && !kept(want[end]))
            ++end;
        insertNew(parent, int(r), int(end - r));
        r = end - 1;
    }
}

void NetworkTreeModel::showChangedValues() {
    const std::vector<NodeId>& changed = m_document->changedNodes();
    if (changed.size() > ManyChangedRows) {
        emit layoutAboutToBeChanged();
        emit layoutChanged();
        return;
    }
    for (NodeId id : changed)
        if (shown(id)) {
            const QModelIndex first = indexOf(id);
            emit dataChanged(first, first.siblingAtColumn(VerdictColumn));
        }
}

void NetworkTreeModel::documentChanged() {
    if (m_document->replacedWhole()) {
        beginResetModel();
        pack();
        endResetModel();
        return;
    }
    if (m_document->shapeChanged()) {
        unpack();
        for (NodeId id = 0; id < m_shape.size(); ++id)
            if (shown(id) && m_document->network().contains(id)) removeGone(id);
        followChildren(HeadEndId);
        for (const FlatNode& n : m_document->network().flat().nodes)
            followChildren(n.id);
        pack();
    }
    showChangedValues();
}

} // namespace miravel::network
