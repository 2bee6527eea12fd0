#pragma once
// 部材集計表: what a network is built from. Parts are counted per model
// (catalogue and user parts alike, keyed by the label the tree shows, so a
// new kind of part is counted once it has a name), cable in metres per type
// with an optional waste allowance, and F connectors: two per run with a
// length (one at each end; a run of 0 m is no cable and has none). Where a
// unit price is known the row has its amount, and the list a total.

#include "network/networkmodel.h"

#include <QList>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace miravel::network {

constexpr double MaxWastePercent = 100;

// Unit prices by the name the list gives an item: parts and connectors per
// piece by their label ("分岐器 CS-C4", "F形接栓"), cables per metre by
// their type ("S-5C-FB").
struct PriceTable {
    std::map<QString, double> perPiece;
    std::map<QString, double> perMetre;
    bool empty() const { return perPiece.empty() && perMetre.empty(); }
};

struct PartsRow {
    QString kind;        // "分岐器", "ケーブル", "接栓" ...
    QString model;       // "CS-C4", "S-5C-FB", "F形接栓"
    QString key;         // the price table's name for it
    double quantity = 0; // pieces, or metres with the allowance
    QString unit;        // "個" or "m"
    bool perMetre = false;
    std::optional<double> unitPrice;
    std::optional<double> amount;
};

struct PartsList {
    double wastePercent = 0;
    std::vector<PartsRow> rows;  // parts, then cables, then connectors
    std::optional<double> total; // the sum of the amounts, when any row is priced
    int unpriced = 0;            // rows without a price while others have one
};

// The connector's name in the list and the price table.
QString connectorName();

// Counts the network; a waste allowance outside 0..MaxWastePercent is
// refused (UserError).
PartsList countParts(const Network& network, double wastePercent = 0,
                     const PriceTable& prices = {});

// The list as a table for the screen, the print and CSV: a heading row,
// one row per item and, with prices, the total row.
QList<QStringList> partsListCells(const PartsList& list);

// Quantities and money as the list shows them: up to two decimals.
QString partsNumber(double value);

} // namespace miravel::network
