#pragma once
// The network's bands: the four of every screen and record, and the
// left-hand circular satellite IF (2224–3224 MHz) that only the building
// network judges. The screens, the project file and the report keep their
// four (common::BandCount).

#include "common/programvalues.h"
#include "standard/criteria.h"

#include <QString>
#include <array>

namespace miravel::network {

constexpr int NetBandCount = 5;
constexpr int LeftBand = 4; // after VHF, UHF, BS and CS
using NetBandValues = std::array<double, NetBandCount>;

// Where a cable's loss is taken per band: the catalogue's columns (220, 770,
// 1300, 1770 MHz; the left band at 3224), or each band's top edge.
constexpr double CatalogueColumnMHz[NetBandCount] = {220, 770, 1300, 1770, 3224};
constexpr double BandEdgeMHz[NetBandCount] = {222, 710, 1489, 2071, 3224};

// "VHF", "UHF", "BS", "CS", "左旋".
QString netBandName(int band);
// The four values of a screen, the left band taking the BS value (the same
// dish and booster feed it).
NetBandValues netBandValues(const common::BandValues& values);

// The level range and C/N minimum of a profile per network band: the left
// band is judged as the 4K8K satellite bands are, and has no criterion
// under a 2K profile.
std::array<standard::BandCriterion, NetBandCount> netCriteria(const standard::Profile& profile);
// The thermal noise level (dBμV) each band's C/N is taken against: the left
// band always in the 4K8K noise bandwidth.
double netThermalNoise(int band, standard::SatelliteSystem system);

} // namespace miravel::network
