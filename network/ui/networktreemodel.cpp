#include "network/ui/networktreemodel.h"

#include "network/networktexts.h"
#include "network/ui/networkdocument.h"
#include "network/ui/verdictcolours.h"

#include <QMimeData>
#include <algorithm>
#include <optional>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

NetworkTreeModel::NetworkTreeModel(NetworkDocument* document, QObject* parent)
    : QAbstractItemModel(parent), m_document(document) {
    connect(document, &NetworkDocument::changed, this, &NetworkTreeModel::documentChanged);
    pack();
}

bool NetworkTreeModel::shown(NodeId id) const {
    if (following()) return id < m_shape.size() && m_shape[id].shown;
    return id < m_parent.size() && m_parent[id] != NoRow;
}

NodeId NetworkTreeModel::parentOf(NodeId id) const {
    return following() ? m_shape[id].parent : m_parent[id];
}

int NetworkTreeModel::childCount(NodeId id) const {
    if (following()) return int(m_shape[id].children.size());
    return int(m_first[id + 1] - m_first[id]);
}

NodeId NetworkTreeModel::childAt(NodeId id, int row) const {
    return following() ? m_shape[id].children[row] : m_children[m_first[id] + quint32(row)];
}

int NetworkTreeModel::rowOf(NodeId id) const {
    if (id == HeadEndId) return 0;
    const NodeId parent = parentOf(id);
    const int count = childCount(parent);
    int row = 0;
    while (row < count && childAt(parent, row) != id)
        ++row;
    return row;
}

QModelIndex NetworkTreeModel::indexOf(NodeId id) const {
    if (!shown(id)) return {};
    return createIndex(rowOf(id), 0, quintptr(id));
}

NodeId NetworkTreeModel::idOf(const QModelIndex& index) const {
    return index.isValid() ? NodeId(index.internalId()) : HeadEndId;
}

QModelIndex NetworkTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= columnCount()) return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, column, quintptr(HeadEndId)) : QModelIndex();
    const NodeId id = idOf(parent);
    if (!shown(id) || row >= childCount(id)) return {};
    return createIndex(row, column, quintptr(childAt(id, row)));
}

QModelIndex NetworkTreeModel::parent(const QModelIndex& child) const {
    const NodeId id = idOf(child);
    if (!child.isValid() || id == HeadEndId || !shown(id)) return {};
    return indexOf(parentOf(id));
}

int NetworkTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return 1;
    const NodeId id = idOf(parent);
    if (parent.column() != 0 || !shown(id)) return 0;
    return childCount(id);
}

int NetworkTreeModel::columnCount(const QModelIndex&) const {
    return VerdictColumn + 1;
}

QVariant NetworkTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == PartColumn) return QStringLiteral("部品");
    if (section == CableColumn) return QStringLiteral("ケーブル");
    if (section == VerdictColumn) return QStringLiteral("判定");
    return netBandName(section - FirstBandColumn);
}

QVariant NetworkTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const NodeId id = idOf(index);
    if (role == Qt::DisplayRole) return display(id, index.column());
    if (role == Qt::ForegroundRole) return colour(id, index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= FirstBandColumn &&
        index.column() < VerdictColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() >= FirstBandColumn &&
        index.column() < VerdictColumn) {
        const NodeResult* r = m_document->result().node(id);
        return r && r->firstOutlet >= 0 ? QStringLiteral("端子のレベル (dB)")
                                        : QStringLiteral("この部品に届くレベル (dB)");
    }
    return {};
}

QVariant NetworkTreeModel::display(NodeId id, int column) const {
    const Network& net = m_document->network();
    const NodeResult* r = m_document->result().node(id);
    std::optional<OutletResult> outlet;
    if (r && r->firstOutlet >= 0) outlet = m_document->result().outlets[size_t(r->firstOutlet)];
    switch (column) {
    case PartColumn:
        return outlet && !outletName(net, *outlet).isEmpty()
                   ? nodeTitle(net, id) + QStringLiteral("　") + outletName(net, *outlet)
                   : nodeTitle(net, id);
    case CableColumn:
        return cableText(net, id);
    case VerdictColumn:
        if (outlet) return outletVerdictLine(*outlet);
        if (r && r->boosterFails())
            return (boosterFaultText(*r) + u' ' + failingBelowText(r->failingBelow)).trimmed();
        return r ? failingBelowText(r->failingBelow) : QString();
    default:
        break;
    }
    const int band = column - FirstBandColumn;
    if (outlet) return levelText(outlet->bands[size_t(band)].level);
    return r ? levelText(r->input[size_t(band)]) : QString();
}

QVariant NetworkTreeModel::colour(NodeId id, int column) const {
    const NodeResult* r = m_document->result().node(id);
    if (!r) return {};
    std::optional<OutletResult> outlet;
    if (r->firstOutlet >= 0) outlet = m_document->result().outlets[size_t(r->firstOutlet)];
    if (column >= FirstBandColumn && column < VerdictColumn)
        return outlet ? verdictColour(outlet->bands[size_t(column - FirstBandColumn)].verdict)
                      : QVariant();
    if (column == VerdictColumn || column == PartColumn) {
        if (outlet) return outlet->fails() ? failColour() : passColour();
        if (r->failingBelow > 0 || r->boosterFails()) return failColour();
    }
    return {};
}

namespace {

const QString NodeMimeType = QStringLiteral("application/x-miravel-network-node");

} // namespace

Qt::ItemFlags NetworkTreeModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractItemModel::flags(index) | Qt::ItemIsDropEnabled;
    if (index.isValid() && idOf(index) != HeadEndId) f |= Qt::ItemIsDragEnabled;
    return f;
}

Qt::DropActions NetworkTreeModel::supportedDropActions() const {
    return Qt::MoveAction;
}

QStringList NetworkTreeModel::mimeTypes() const {
    return {NodeMimeType};
}

QMimeData* NetworkTreeModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(NodeMimeType, QByteArray::number(idOf(indexes.first())));
    return data;
}

bool NetworkTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                    const QModelIndex& parent) {
    if (!data || action != Qt::MoveAction || !data->hasFormat(NodeMimeType)) return false;
    bool ok = false;
    const NodeId node = NodeId(data->data(NodeMimeType).toUInt(&ok));
    if (!ok || !parent.isValid() || !m_document->network().contains(node)) return false;
    emit moveRequested(node, idOf(parent), row);
    return true;
}

} // namespace miravel::network
