#pragma once
// The floor of Keisan: the least code doing its work.

#include "common/programvalues.h"
#include "terminal/terminalfields.h"

#include <QString>
#include <array>

namespace miravel::bench {

// Reads the same field and catalogue numbers as Keisan (plain numbers read
// as plainly as can be), sums each band's losses and writes the four result
// lines; no partial sums kept, no errors caught.
std::array<QString, common::BandCount> keisanFloor(const terminal::TerminalFields& fields);

} // namespace miravel::bench
