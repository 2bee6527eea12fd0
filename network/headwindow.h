#pragma once
// The head-end window: per band, the head-end output levels for which every
// outlet passes, the intersection of the outlets' booster output windows
// (minimum rounded up, maximum down, to 0.01 dB, as the terminal screen
// rounds them). When no level serves every outlet, the two outlets that
// conflict are named: the weakest path and the strongest.

#include "network/propagation.h"

#include <array>
#include <optional>

namespace miravel::network {

struct BandWindow {
    bool judged = false; // the profile has a range for the band
    std::optional<standard::LevelRange> window;
    int weakest = -1;   // outlet index of the lowest level (most loss), -1 when none
    int strongest = -1; // of the highest level
    int unrated = -1;   // the first outlet not rated for the band, -1 when none
};
using HeadWindow = std::array<BandWindow, NetBandCount>;

// `result` computed with `criteria` from a head end giving `head` levels.
HeadWindow headEndWindow(const NetworkResult& result, const OutletCriteria& criteria,
                         const NetBandValues& head);

// The head end with each band that has a window at its middle (to 0.01 dB):
// typed levels, or the gain where the levels follow the booster input.
// Bands without a window keep their level.
HeadEnd headAtWindowMiddle(const HeadEnd& head, const HeadWindow& window);
bool hasAnyWindow(const HeadWindow& window);

// One line per judged band: "UHF 出力範囲 73.00–90.00 dB", or why there is
// none ("… 両立しない端子 101 (1F)（最弱）と 402 (4F)（最強）").
QString windowLine(const Network& network, const NetworkResult& result, const BandWindow& band,
                   int bandIndex);

} // namespace miravel::network
