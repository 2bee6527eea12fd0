#pragma once
// The terminal-level calculation: the loss of one distribution path per band
// and the level that reaches the outlet, computed from the screen's texts and
// the catalogue.

#include "common/programvalues.h"
#include "terminal/terminalfields.h"

#include <QString>
#include <array>
#include <optional>

namespace miravel::terminal {

// Field numbers (TextN) of the terminal-level screen, in catalogue model or
// band order.
namespace TerminalField {
constexpr int DistributorCount[6] = {4, 5, 6, 30, 31, 32}; // BS-D2 .. CS-D6
constexpr int BrancherPassage[4] = {11, 12, 35, 36};       // BS-C2, BS-C4, CS-C2, CS-C4
constexpr int BrancherTakeOff[4] = {39, 40, 41, 42};       // BS-C2, BS-C4, CS-C2, CS-C4
constexpr int UnitThroughLoss[4] = {13, 14, 15, 37};       // VHF, UHF, BS, CS
constexpr int UnitTakeOffLoss[4] = {16, 17, 18, 38};       // VHF, UHF, BS, CS
constexpr int UnitCount = 19;
constexpr int CoaxLength[7] = {20, 21, 22, 23, 24, 25, 26}; // ５C-2V .. S-10C-HFL
constexpr int BoosterLevel[4] = {27, 28, 29, 33};           // VHF, UHF, BS, CS
constexpr int CircuitName = 43;
} // namespace TerminalField

// Combo3 positions 0..4 are series-unit types, 5..8 TV outlets.
constexpr int SeriesUnitTypeCount = 5;
constexpr int SeriesUnitListCount = 9;

// The list of Combo3: the five series-unit types, then the four TV outlets.
QString seriesUnitTypeName(int position);
// The list position of a type named exactly so, -1 for any other text (a
// loaded project names its type without a pick).
int seriesUnitTypePosition(const QString& text);

// The warning after a calculation with ５C-2V or ７C-2V lengths, and its title.
QString coaxWarningText();
QString coaxWarningTitle();

struct KeisanResult {
    common::BandValues Bunpai_Loss{}; // all distributors
    common::BandValues Bunki_Loss{};  // brancher passages and take-offs
    common::BandValues Yunit_Pass{};  // series units: through part; outlet: all of it
    common::BandValues Yunit_End{};   // series units: take-off at the end unit
    common::BandValues Yunit_Loss{};  // Yunit_Pass + Yunit_End
    std::array<common::BandValues, 7> Douziyuku_Loss{};               // per coax type
    common::BandValues Douziyuku_Total{};                             // all coax runs
    common::BandValues Total_Loss{};                                  // the whole path
    std::array<std::optional<QString>, common::BandCount> resultText; // written lines
    bool coaxWarning = false; // ５C-2V or ７C-2V has a length: no BS/CS loss for them
    int errorNumber = 0;      // run-time error that stopped the calculation, 0 when none
};

// Runs the calculation. A catalogue cell without a number ("--", "") only
// drops the one term it belongs to; any other run-time error stops the run,
// leaving later sums at 0 and later result lines unwritten.
KeisanResult Keisan(const TerminalFields& fields);

// The result line of one band: "105db - 16.01db = 88.99db ".
QString levelLine(double level, double loss, double terminalLevel);

// The text of a count field after one click: one unit more. Raises
// RunTimeError(Overflow) when the text holds a number beyond a double.
QString countAfterClick(const QString& text);

} // namespace miravel::terminal
