#pragma once
// The levels of a project file as the screens show them after it is loaded
// into a program just started: the booster input level of each band (the
// field-strength results) and what the terminal-level calculation gives for
// the loaded terminal-level fields. No screen is needed.

#include "common/programvalues.h"
#include "terminal/keisan.h"
#include "terminal/terminalfields.h"

#include <QStringList>
#include <array>

namespace miravel::project {

// The terminal-level fields of the 67 records, as a load leaves them on a
// screen whose antenna-data option was off: with the option on in the file,
// the booster output levels are the loaded booster inputs in the pattern
// "##0.#0", not the stored ones.
terminal::TerminalFields terminalFieldsOfRecords(const QStringList& records);

struct ProjectLevels {
    std::array<QString, common::BandCount> boosterInput; // as the field-strength screen shows it
    common::BandValues boosterInputValue{};              // Bst_Input after the load
    terminal::TerminalFields terminal;
    terminal::KeisanResult calculation;
};

// The levels of the 67 records of a checked project file.
ProjectLevels projectLevels(const QStringList& records);

} // namespace miravel::project
