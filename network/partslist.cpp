#include "network/partslist.h"

#include "common/errors.h"
#include "common/numval.h"
#include "network/catalogparts.h"

#include <cmath>
#include <tuple>

using namespace miravel::common;

namespace miravel::network {

namespace {

// Parts in the order of their kind, then model; counted by value so that a
// label is made once per model, not once per node.
struct PartKey {
    int kind;
    int model;
    bool endUnit;
    QString userName;
    bool operator<(const PartKey& o) const {
        return std::tie(kind, model, endUnit, userName) <
               std::tie(o.kind, o.model, o.endUnit, o.userName);
    }
};

PartKey keyOf(const Component& c) {
    const bool user = c.kind == ComponentKind::User;
    return {int(c.kind), user ? 0 : c.model, c.endUnit, user ? c.userName : QString()};
}

// Catalogue coax types in their order, the network's own after them by name.
std::pair<int, QString> cableOrder(const QString& name) {
    const int index = catalogueCoaxIndex(name);
    return {index >= 0 ? index : 1 << 20, name};
}

void price(PartsRow& row, const PriceTable& prices) {
    const auto& table = row.perMetre ? prices.perMetre : prices.perPiece;
    // The label first ("分岐器 CS-C4"), then the bare model name ("CS-C4"),
    // which is how the parts library keeps its prices.
    auto found = table.find(row.key);
    if (found == table.end()) found = table.find(row.model);
    if (found == table.end()) return;
    row.unitPrice = found->second;
    row.amount = row.quantity * found->second;
}

PartsRow partRow(const Component& c, int count) {
    PartsRow row;
    row.kind = componentKindName(c.kind);
    row.key = componentLabel(c);
    row.model = row.key.mid(row.kind.size()).trimmed();
    row.quantity = count;
    row.unit = QStringLiteral("個");
    return row;
}

} // namespace

QString connectorName() {
    return QStringLiteral("F形接栓");
}

PartsList countParts(const Network& net, double wastePercent, const PriceTable& prices) {
    if (!std::isfinite(wastePercent) || wastePercent < 0 || wastePercent > MaxWastePercent)
        throw UserError(
            QStringLiteral("ケーブルの割増は 0～%1 % で指定してください。").arg(MaxWastePercent));
    std::map<PartKey, std::pair<Component, int>> parts;
    std::map<std::pair<int, QString>, double> cables;
    int connectors = 0;
    for (const FlatNode& f : net.flat().nodes) {
        const NodeSetup& setup = f.node->setup;
        auto& part = parts.try_emplace(keyOf(setup.component), setup.component, 0).first->second;
        ++part.second;
        if (setup.coax.metres > 0) {
            cables[cableOrder(setup.coax.cable)] += setup.coax.metres;
            connectors += 2;
        }
    }
    PartsList list;
    list.wastePercent = wastePercent;
    for (const auto& [key, part] : parts)
        list.rows.push_back(partRow(part.first, part.second));
    for (const auto& [key, metres] : cables) {
        PartsRow row{
            QStringLiteral("ケーブル"), key.second, key.second, metres * (1 + wastePercent / 100),
            QStringLiteral("m"),        true,       {},         {}};
        list.rows.push_back(row);
    }
    if (connectors > 0)
        list.rows.push_back({QStringLiteral("接栓"),
                             connectorName(),
                             connectorName(),
                             double(connectors),
                             QStringLiteral("個"),
                             false,
                             {},
                             {}});
    for (PartsRow& row : list.rows) {
        price(row, prices);
        if (row.amount) list.total = list.total.value_or(0) + *row.amount;
    }
    if (list.total)
        for (const PartsRow& row : list.rows)
            list.unpriced += row.amount ? 0 : 1;
    return list;
}

QString partsNumber(double value) {
    return NumText(std::round(value * 100) / 100);
}

QList<QStringList> partsListCells(const PartsList& list) {
    QList<QStringList> cells{{QStringLiteral("種類"), QStringLiteral("型式・品名"),
                              QStringLiteral("数量"), QStringLiteral("単位"),
                              QStringLiteral("単価"), QStringLiteral("金額")}};
    for (const PartsRow& row : list.rows) {
        const auto money = [](const std::optional<double>& v) {
            return v ? partsNumber(*v) : QString();
        };
        cells.append({row.kind, row.model, partsNumber(row.quantity), row.unit,
                      money(row.unitPrice), money(row.amount)});
    }
    if (list.total) {
        const QString note = list.unpriced > 0
                                 ? QStringLiteral("（単価のない %1 品目を除く）").arg(list.unpriced)
                                 : QString();
        cells.append({QStringLiteral("合計") + note, QString(), QString(), QString(), QString(),
                      partsNumber(*list.total)});
    }
    return cells;
}

} // namespace miravel::network
