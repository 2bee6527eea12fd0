#pragma once
// The texts the network screen, its table and its diagram show for a node
// or an outlet, so that every view words them alike.

#include "network/propagation.h"
#include "standard/criteria.h" // bandName

#include <QString>

namespace miravel::network {

// "ヘッドエンド" for the head end; else the component, e.g. "分岐器 CS-C4".
QString nodeTitle(const Network& network, NodeId id);
// The incoming run, "S-5C-FB 12 m"; "" for the head end.
QString cableText(const Network& network, NodeId id);
// The output port a child hangs on, as its parent names it: "出力2",
// "通過", "分岐1", "端子" ...
QString portName(const Network& network, NodeId parent, int port);

// One band's level as the views show it: "62.35" or "非対応".
QString levelText(const std::optional<double>& level);

// The verdict of an outlet in one line: "適合", or its failing bands,
// e.g. "BS 不足 −2.10 dB、CS 非対応", then the bands whose level is an
// estimate: "適合（推定: 左旋）".
QString outletVerdictLine(const OutletResult& outlet);
// A booster's faults: "" when none, else e.g. "BS 出力過大、左旋 入力不足".
QString boosterFaultText(const NodeResult& node);
// A failing booster as the summary and the command line name it:
// "ブースター LB-35（ノード 12）: BS 出力過大".
QString boosterFaultLine(const Network& network, const NetworkResult& result, NodeId id);
// The C/N of an outlet's band as the views show it: "38.21" or "".
QString outletCnText(const BandJudgement& judgement);

// For a node with outlets below it: "" when all pass, else "不適合 3 端子".
QString failingBelowText(int failing);

// True when the outlet has the lowest level of the band, ties included, so
// that the views mark every outlet at the bottom.
bool isLowestOfBand(const NetworkResult& result, int outlet, int band);

} // namespace miravel::network
