#pragma once
// A generated high-rise network, for the example file, the tests and the
// benchmark: risers of CS-C2 branchers, one per floor, each floor fed through
// a floor booster into a CS-D6 and lines of series units.

#include "network/networkmodel.h"

struct TowerPlan {
    int floors = 40;
    int linesPerFloor = 5; // outputs of the floor's CS-D6 in use, 1..6
    int unitsPerLine = 10; // series units on a line, the last an end unit
    int floorsPerRiser = 10;
};

// floors / floorsPerRiser risers hang on a CS-D4 (and CS-D6s below it when
// there are more than four), so at most 24 risers.
Network generateTower(const TowerPlan& plan);
