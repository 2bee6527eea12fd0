#pragma once
// One outlet's path as the terminal screen's fields: counts of each
// distributor and brancher model, the series-unit type and count or the TV
// outlet, and the coax lengths per type, so that the terminal calculation and
// its report can be run for it.

#include "network/networkmodel.h"
#include "terminal/terminalfields.h"

namespace miravel::network {

// Fills the count, series-unit and coax fields (Text4..Text26, Text30..Text42
// and the loss fields as choosing the type on the screen fills them) and the
// type's list position and name (combo3Index, combo3Text). Booster
// levels are the head end's. Raises UserError naming the part when the path
// cannot be expressed there (a user component, a network cable type, two
// series-unit types, a series unit that is not at the end of the path, ...).
terminal::TerminalFields terminalFieldsForOutlet(const Network& network, NodeId outlet);

} // namespace miravel::network
