#pragma once
// The field-strength calculation: from the standard antenna outputs, the
// antenna gains, the mixer losses and the coax run to the level at the
// booster input in each band.

#include "common/programvalues.h"

#include <QString>
#include <optional>

namespace miravel::fieldstrength {

// The screen's inputs, as their fields hold them.
struct FieldStrengthInput {
    QString vhfGain;  // Text1
    QString uhfGain;  // Text2
    QString mixerVhf; // Text4
    QString mixerUhf; // Text5
    QString mixerBs;  // Text6
    QString length;   // Text7, metres
    QString ev;       // Text8
    QString eu;       // Text9
    QString ebs;      // Text10
    QString ecs;      // Text14
};

// Every value the calculation forms, in the order it forms them; the first
// one that leaves the range of its type stops the calculation.
enum class FieldStrengthItem {
    VhfGain,
    UhfGain,
    MixerVhf,
    MixerUhf,
    MixerBs,
    Ev,
    Eu,
    Length,
    Ebs,
    Ecs,
    VhfSum, // Ev + VHF gain, a 16-bit sum
    UhfSum, // Eu + UHF gain
    VhfLevel,
    UhfLevel,
    BsLevel,
    CsLevel,
};

struct FieldStrengthResult {
    common::BandValues levels{};                 // booster input levels in dB
    std::optional<FieldStrengthItem> outOfRange; // set when no levels could be formed

    bool ok() const { return !outOfRange; }
};

// Gains and Ev/Eu count in whole decibels (nearest, halves to even, 16-bit
// like their sums); the losses, the length, Ebs and Ecs keep their decimals.
//   VHF = (Ev + gV) - (loss/m x L + mV)     UHF likewise
//   BS  = Ebs - (loss/m x L + mB)           CS  = Ecs - loss/m x L
FieldStrengthResult calculateFieldStrength(const FieldStrengthInput& input,
                                           const common::BandValues& coaxLossPerMetre);

// The user's message for a value out of range, naming the field by its caption.
QString outOfRangeMessage(FieldStrengthItem item);

} // namespace miravel::fieldstrength
