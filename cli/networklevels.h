#pragma once
// --levels for a network file (.tvdn): every outlet with its level and
// verdict per band, judged with the chosen criteria profile.

#include "cli/batchresult.h"
#include "cli/leveltable.h"
#include "network/propagation.h"
#include "standard/criteria.h"

namespace miravel::cli {

// True for a name the network reader takes: "*.tvdn", in any case.
bool isNetworkFile(const QString& file);

// One row per outlet: name, room, floor, level, verdict, C/N and C/N verdict
// of each network band (the left band's keys "lhcp_..."; "非対応" where a part
// on the way is not rated), and the overall verdict.
LevelTable networkLevelTable(const QString& file, const network::Network& network,
                             const network::NetworkResult& result);

// The table, followed in the text form by the head-end window per band and
// in JSON by its member "head_end_window" (CSV: the table alone).
// Reads and checks the file as the network screen does; a refused file gives
// ExitRefused and its message, a network with any failing outlet or booster
// ExitFailing (the table is printed all the same). The error stream first
// says where the cable losses were taken, then names what fails.
BatchResult networkLevelsCommand(const QString& file, OutputFormat format,
                                 const standard::Profile& profile);

} // namespace miravel::cli
