#pragma once
// The catalogue as the network sees it: model names, port layouts and the
// conversion of a node's catalogue cells into numbers. A cell without a
// number ("--", "") means the part is not rated for that band.

#include "network/networktypes.h"

#include <QStringList>

namespace miravel::network {

// Catalogue coax types, rows 1..7 of Douziyuku_Mt: "５C-2V" .. "S-10C-HFL".
QStringList catalogueCoaxNames();
int catalogueCoaxIndex(const QString& name); // 0..6, -1 when not a catalogue type

// Models of a kind, in table order (model = position + 1): "BS-D2" ..,
// "BS-C2" .., the five series-unit types, "BS-7F" ... Empty for User.
QStringList catalogueModelNames(ComponentKind kind);
int catalogueModelNumber(ComponentKind kind, const QString& name); // 1-based, 0 when unknown

// Japanese name of a kind ("分配器", "分岐器", "直列ユニット", "テレビ端子", "ユーザー部品",
// "ブースター").
QString componentKindName(ComponentKind kind);
// A component as the tree shows it, e.g. "分岐器 CS-C4", "直列ユニット ２端子形 CS（終端）".
QString componentLabel(const Component& component);

// Converts a node's run and component; raises UserError naming what is
// unknown (a cable type or user component not defined, a model outside the
// catalogue).
NodeLosses convertNodeLosses(const NodeSetup& setup, const PartDefinitions& network);

// The loss per band of `metres` of catalogue coax type 0..6 at the
// catalogue columns, the network's own cable types aside. ５C-2V and ７C-2V
// are not rated for BS, CS and the left band.
BandLoss catalogueCoaxLoss(int type, double metres);

// A cable type of losses at the four catalogue columns (220, 770, 1300,
// 1770 MHz; none: not rated), as version 1 files hold them. A type without a
// number above some column is not rated above it.
CableType cableTypeAtColumns(const QString& name,
                             const std::array<std::optional<double>, common::BandCount>& loss);

// A cable type by name: a catalogue row (its six columns as points), a
// standard type (standardcables.h) or the network's own; nullptr when none.
const CableType* knownCableType(const QString& name, const PartDefinitions& network);

} // namespace miravel::network
