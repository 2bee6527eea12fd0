#pragma once
// A generated high-rise network, for the example file, the tests and the
// benchmark: risers of CS-C2 branchers, one per floor; each floor's tap feeds
// a floor booster, a CS-D2, two CS-D6 and lines of series units.

#include "network/networkmodel.h"

namespace miravel::network {

constexpr int MaxRisers = 4 * 6 * 6 * 6 * 6; // four levels of CS-D6

struct TowerPlan {
    int floors = 40;
    int linesPerFloor = 10; // series-unit lines, split over the two CS-D6, 2..12
    int unitsPerLine = 5;   // series units on a line, the last an end unit
    int floorsPerRiser = 5;
};

// floors / floorsPerRiser risers hang on a CS-D4 (and levels of CS-D6s below
// it when there are more than four), at most MaxRisers. The floor boosters' gains
// (one booster type for each floor position on a riser) are chosen so that
// each floor's outlets lie around the middle of the outlet ranges of the
// in-building standard.
Network generateTower(const TowerPlan& plan);

} // namespace miravel::network
