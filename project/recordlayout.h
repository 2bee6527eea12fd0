#pragma once
// Where the terminal-level fields sit among the 67 project records, shared by
// the screens' load and save and by the batch commands that read a project
// without screens.

#include "common/programvalues.h"

namespace miravel::project {

namespace ProjectRecord {
// Field-strength results: the booster input level of each band.
constexpr int BoosterInput[common::BandCount] = {21, 22, 23, 24};
// Records 25 to 45: brancher passages and take-offs, distributor counts and
// coax lengths, by TextN number of the terminal-level screen.
constexpr int CountsAndLengthsFirst = 25;
constexpr int TerminalCountsAndLengths[] = {11, 12, 35, 36, 39, 40, 41, 42, 4,  5, 6,
                                            30, 31, 32, 20, 21, 22, 23, 24, 25, 26};
constexpr int SeriesUnitType = 46;
// Records 47 to 59: series-unit losses and count, booster output levels.
constexpr int UnitsAndLevelsFirst = 47;
constexpr int TerminalUnitsAndLevels[] = {13, 14, 15, 37, 16, 17, 18, 38, 19, 27, 28, 29, 33};
constexpr int AntennaDataOption = 60;
constexpr int CircuitName = 65;
} // namespace ProjectRecord

} // namespace miravel::project
