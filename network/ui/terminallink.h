#pragma once
// What the network screen needs of the terminal-level screen, and no more:
// its booster output levels, and taking one outlet's path into its fields.
// The terminal screen implements it; the network never includes that screen.

#include "common/programvalues.h"
#include "terminal/terminalfields.h"

#include <functional>

namespace miravel::network {

class TerminalLink {
public:
    virtual ~TerminalLink() = default;
    // The four booster output levels the terminal screen holds now; raises
    // RunTimeError when one is beyond the range of numbers.
    virtual common::BandValues boosterLevels() = 0;
    // Puts a path into the screen's count, series-unit, coax and booster
    // fields (the rest emptied) and shows the screen.
    virtual void receivePath(const terminal::TerminalFields& fields) = 0;
};

namespace NetworkEntry {

// Where the network screen finds the terminal screen (created on demand);
// set once by the program's start-up.
void setTerminalLink(std::function<TerminalLink*()> link);
TerminalLink* terminalLink();

} // namespace NetworkEntry

} // namespace miravel::network
