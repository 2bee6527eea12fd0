#pragma once
// The 4K8K example tower: 42 floors in six zones of 3224 MHz-rated cable and
// parts, a line booster at the foot of every zone but the first, where the
// farthest rooms of each zone's upper floors reach every band but the
// left-hand one. Its parts are example
// figures (a brancher's through port about 1 dB, its tap about 10 dB, a
// distributor 4–7 dB rising with frequency), not a maker's data.

#include "network/networkmodel.h"

namespace miravel::network {

constexpr int UhdTowerFloors = 42;

Network generateUhdTower();

} // namespace miravel::network
