// How the outlet table follows a change: the rows between the first and
// last unchanged ones are replaced, and the rows, highlights and name marks
// whose values changed are announced; the table is never reset by an edit.

#include "network/ui/networkdocument.h"
#include "network/ui/outlettablemodel.h"

#include <algorithm>

using namespace miravel::common;

namespace miravel::network {

namespace {

quint32 nameBits(const QString& name) {
    return quint32(qHash(name)) & 0xFFFFFFu;
}

} // namespace

OutletTableModel::Row OutletTableModel::rowFor(size_t outlet) const {
    const OutletResults& outlets = m_document->result().outlets;
    return Row{outlets.node(outlet), quint32(outlets.port(outlet)),
               nameBits(outletName(m_document->network(), outlets.node(outlet)))};
}

OutletTableModel::Worst OutletTableModel::worstLevels() const {
    const NetworkResult& r = m_document->result();
    Worst worst{};
    for (size_t b = 0; b < NetBandCount; ++b)
        if (r.summary[b].worst >= 0) worst[b] = r.outlets.level(size_t(r.summary[b].worst), b);
    return worst;
}

void OutletTableModel::takeRows() {
    const size_t outlets = m_document->result().outlets.size();
    m_rows.clear();
    m_rows.reserve(outlets);
    for (size_t i = 0; i < outlets; ++i)
        m_rows.push_back(rowFor(i));
    m_worst = worstLevels();
    countNames();
}

bool OutletTableModel::replaceMiddle() {
    const OutletResults& now = m_document->result().outlets;
    const auto same = [&now](const Row& row, size_t i) {
        return row.node == now.node(i) && int(row.port) == now.port(i);
    };
    size_t head = 0;
    while (head < m_rows.size() && head < now.size() && same(m_rows[head], head))
        ++head;
    size_t tail = 0;
    while (tail < m_rows.size() - head && tail < now.size() - head &&
           same(m_rows[m_rows.size() - 1 - tail], now.size() - 1 - tail))
        ++tail;
    const size_t gone = m_rows.size() - head - tail;
    const size_t added = now.size() - head - tail;
    if (gone > 0) {
        beginRemoveRows({}, int(head), int(head + gone - 1));
        m_rows.erase(m_rows.begin() + qsizetype(head), m_rows.begin() + qsizetype(head + gone));
        endRemoveRows();
    }
    if (added > 0) {
        beginInsertRows({}, int(head), int(head + added - 1));
        std::vector<Row> rows;
        for (size_t i = head; i < head + added; ++i)
            rows.push_back(rowFor(i));
        m_rows.reserve(m_rows.size() + added); // exactly: growing by half would stay
        m_rows.insert(m_rows.begin() + qsizetype(head), rows.begin(), rows.end());
        endInsertRows();
    }
    return gone > 0 || added > 0;
}

// Rows first..last in columns firstColumn..lastColumn, contiguous runs at once.
void OutletTableModel::announceRows(int first, int last, int firstColumn, int lastColumn) {
    emit dataChanged(index(first, firstColumn), index(last, lastColumn));
}

// Rows whose node changed: found through the nodes when the rows stayed
// where they were, else by looking at every row.
std::vector<int> OutletTableModel::changedRows(bool shapeChanged) const {
    const std::vector<NodeId>& changed = m_document->changedNodes();
    const NetworkResult& result = m_document->result();
    std::vector<int> rows;
    if (!shapeChanged) {
        for (NodeId id : changed) {
            const NodeResult* node = result.node(id);
            for (int row = node ? node->firstOutlet : -1;
                 row >= 0 && row < int(m_rows.size()) && m_rows[size_t(row)].node == id; ++row)
                rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    for (int row = 0; row < int(m_rows.size()); ++row)
        if (std::binary_search(changed.begin(), changed.end(), m_rows[size_t(row)].node))
            rows.push_back(row);
    return rows;
}

void OutletTableModel::showChangedRows(bool renamed) {
    const std::vector<int> rows = changedRows(renamed || m_document->shapeChanged());
    for (size_t i = 0; i < rows.size();) {
        size_t end = i + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1)
            ++end;
        for (size_t k = i; k < end; ++k) {
            Row& row = m_rows[size_t(rows[k])];
            const quint32 name = rowFor(size_t(rows[k])).nameHash;
            if (row.nameHash == name) continue;
            row.nameHash = name;
            renamed = true;
        }
        announceRows(rows[i], rows[end - 1], NameColumn, VerdictColumn);
        i = end;
    }
    const Worst worst = worstLevels();
    for (int b = 0; b < NetBandCount; ++b)
        if (worst[size_t(b)] != m_worst[size_t(b)] && !m_rows.empty())
            announceRows(0, int(m_rows.size()) - 1, FirstBandColumn + b, FirstBandColumn + b);
    m_worst = worst;
    if (!renamed) return;
    // Names that became or ceased to be repeated have their mark changed.
    const QHash<QString, int> before = m_nameCount;
    countNames();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const QString& name = nameOf(row);
        if ((before.value(name) > 1) != (m_nameCount.value(name) > 1))
            announceRows(row, row, NameColumn, NameColumn);
    }
}

void OutletTableModel::documentChanged() {
    if (m_document->replacedWhole()) {
        beginResetModel();
        takeRows();
        endResetModel();
        return;
    }
    showChangedRows(replaceMiddle());
}

} // namespace miravel::network
