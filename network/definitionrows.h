#pragma once
// The network's own cable types and user components as rows of text, the
// way the definitions dialog edits them, and back.
//
// Cable rows: name, the frequency it is rated to (MHz, empty: no limit), and
// its points as "MHz:dB" pairs (dB per 100 m) apart by blanks, e.g.
// "220:11.1 770:21.9 1770:37.8".
// User-component rows: one per output, in order: name, "端子" for an outlet
// output (else empty), then the loss of VHF, UHF, BS, CS and 左旋. Consecutive
// rows with the same name are the outputs of one component. An empty loss
// or "--" means not rated for the band.

#include "network/networkmodel.h"

#include <QList>
#include <QStringList>

namespace miravel::network {

using TextRows = QList<QStringList>;

constexpr int CableRowColumns = 3;
constexpr int UserRowColumns = 2 + NetBandCount;

TextRows cableTypeRows(const Network& network);
TextRows userComponentRows(const Network& network);

// Replaces the network's definitions with those of the rows: new and changed
// ones are set, missing ones removed. Raises UserError naming the row (and
// changes nothing) when a row cannot be read or the network refuses it, for
// instance a definition that is still in use is removed.
void replaceDefinitions(Network& network, const TextRows& cableRows, const TextRows& userRows);

// The text of a loss cell: "2.5", or "" when not rated.
QString lossText(const std::optional<double>& loss);
// A cable's points as a cell shows them, and back; the reading raises
// UserError saying what is wrong.
QString pointsText(const LossPoints& points);
LossPoints pointsOfText(const QString& text);

} // namespace miravel::network
