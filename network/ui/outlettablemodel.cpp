#include "network/ui/outlettablemodel.h"

#include "common/naturalorder.h"
#include "network/networktexts.h"
#include "network/ui/networkdocument.h"
#include "network/ui/verdictcolours.h"

#include <QColor>
#include <QFont>
#include <QSet>
#include <algorithm>
#include <limits>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

QColor duplicateBackground() {
    return QColor(255, 214, 153); // light orange, apart from the worst cells' colour
}

} // namespace

OutletTableModel::OutletTableModel(NetworkDocument* document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document) {
    connect(document, &NetworkDocument::changed, this, &OutletTableModel::documentChanged);
    takeRows();
}

// Several outlet ports of one part share its name; only other parts count.
// The ports of a part are next to each other. Only the repeated names are
// kept: every name would cost some 40 bytes per outlet.
void OutletTableModel::countNames() {
    QHash<QString, int> all;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QString& name = nameOf(int(i));
        if (!name.isEmpty() && (i == 0 || m_rows[i - 1].node != m_rows[i].node)) ++all[name];
    }
    m_nameCount.clear();
    for (auto name = all.cbegin(); name != all.cend(); ++name)
        if (name.value() > 1) m_nameCount.insert(name.key(), name.value());
}

void OutletTableModel::setShowCn(bool show) {
    if (show == m_showCn) return;
    m_showCn = show;
    // The band columns show other figures; the rows stay, and the view keeps
    // its place and selection.
    emit headerDataChanged(Qt::Horizontal, FirstBandColumn, VerdictColumn - 1);
    if (!m_rows.empty())
        emit dataChanged(index(0, FirstBandColumn), index(rowCount() - 1, VerdictColumn - 1));
}

QString OutletTableModel::nameOf(int row) const {
    return outletName(m_document->network(), m_document->result().outlets.node(size_t(row)));
}

int OutletTableModel::sameNamed(int row) const {
    return m_nameCount.value(nameOf(row));
}

int OutletTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int OutletTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : VerdictColumn + 1;
}

QVariant OutletTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    const bool band = section >= FirstBandColumn && section < VerdictColumn;
    // Band names alone, so that five bands fit; the unit in the tooltip.
    if (role == Qt::ToolTipRole && band)
        return m_showCn ? QStringLiteral("C/N (dB)") : QStringLiteral("端子レベル (dB)");
    if (role != Qt::DisplayRole) return {};
    if (section == NameColumn) return QStringLiteral("端子");
    if (section == VerdictColumn) return QStringLiteral("判定");
    return netBandName(section - FirstBandColumn);
}

QVariant OutletTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_document->result().outlets.size()) return {};
    const int row = index.row();
    const int column = index.column();
    const OutletResults& outlets = m_document->result().outlets;
    const bool band = column >= FirstBandColumn && column < VerdictColumn;
    const size_t b = size_t(std::max(0, column - FirstBandColumn));
    switch (role) {
    case Qt::DisplayRole:
        return display(row, column);
    case SortRole:
        return sortValue(row, column);
    case NodeRole:
        return quint32(outlets.node(size_t(row)));
    case Qt::ForegroundRole:
        if (band && m_showCn)
            return outlets.band(size_t(row), b).cnLow ? failColour() : QColor(Qt::black);
        if (band) return verdictColour(outlets.band(size_t(row), b).verdict);
        if (column == VerdictColumn)
            return outlets.fails(size_t(row)) ? failColour() : passColour();
        return {};
    case Qt::BackgroundRole:
        if (column == NameColumn && sameNamed(row) > 1) return duplicateBackground();
        return isWorst(row, column) ? QVariant(worstBackground()) : QVariant();
    case Qt::FontRole:
        if (isWorst(row, column)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        if (column == NameColumn && sameNamed(row) > 1)
            return QStringLiteral("同じ名前の端子が %1 か所あります。").arg(sameNamed(row));
        return isWorst(row, column) ? QStringLiteral("この帯域で最もレベルの低い端子") : QVariant();
    case Qt::TextAlignmentRole:
        return band ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    default:
        return {};
    }
}

QVariant OutletTableModel::display(int row, int column) const {
    const OutletResults& outlets = m_document->result().outlets;
    if (column == NameColumn) return nameOf(row);
    if (column == VerdictColumn) return outletVerdictLine(outlets[size_t(row)]);
    const size_t b = size_t(column - FirstBandColumn);
    if (m_showCn) return outletCnText(outlets.band(size_t(row), b));
    return levelText(outlets.level(size_t(row), b));
}

QVariant OutletTableModel::sortValue(int row, int column) const {
    const OutletResults& outlets = m_document->result().outlets;
    if (column == NameColumn) return nameOf(row);
    if (column == VerdictColumn) return outlets.fails(size_t(row)) ? 0 : 1;
    const size_t b = size_t(column - FirstBandColumn);
    const PackedValue value =
        m_showCn ? outlets.band(size_t(row), b).cn : outlets.level(size_t(row), b);
    return value ? *value : -std::numeric_limits<double>::infinity();
}

bool OutletTableModel::isWorst(int row, int column) const {
    if (column < FirstBandColumn || column >= VerdictColumn || m_showCn) return false;
    return isLowestOfBand(m_document->result(), row, column - FirstBandColumn);
}

OutletSortModel::OutletSortModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(OutletTableModel::SortRole);
}

bool OutletSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (left.column() != OutletTableModel::NameColumn)
        return QSortFilterProxyModel::lessThan(left, right);
    return naturalCompare(left.data(sortRole()).toString(), right.data(sortRole()).toString()) < 0;
}

} // namespace miravel::network
