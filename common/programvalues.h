#pragma once
// The values that are program-wide and outlive the screens. None of them is
// reset by a new project.

#include <QString>
#include <array>
#include <optional>

namespace miravel::common {

// Bands in the order of every field, record and report column.
enum Band { VHF = 0, UHF = 1, BS = 2, CS = 3 };
constexpr int BandCount = 4;
using BandValues = std::array<double, BandCount>;

extern QString DataName;              // full path of the current project file, "" at start
extern BandValues Kbl_Loss;           // coax loss in dB per metre, set by the coax control
extern BandValues Bst_Input;          // booster input levels, set by the field-strength screen
extern float Prt_FontSize;            // where the report's font search starts
extern std::optional<int> Prt_Indent; // report margin in columns; unset until the first report

// Back to the values the program starts with (used by tests).
void resetProgramValues();

} // namespace miravel::common
