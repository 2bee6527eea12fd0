#pragma once
// --parts: the parts list (部材集計表) of a network file on standard output.

#include "cli/batchresult.h"
#include "cli/leveltable.h"
#include "network/partslist.h"

namespace miravel::cli {

// One row per item as the screen lists it: kind, model, quantity, unit,
// unit price and amount (empty where no price is known).
LevelTable partsTable(const QString& file, const network::PartsList& list);

// Reads and checks the file as the network screen does. A file that is not a
// network (.tvdn) is a usage error (ExitUsage); a refused file gives
// ExitRefused and its message.
BatchResult partsCommand(const QString& file, OutputFormat format,
                         const network::PriceTable& prices = {});

} // namespace miravel::cli
