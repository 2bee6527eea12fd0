#include "network/netbands.h"

#include "standard/noise.h"

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

QString netBandName(int band) {
    return band == LeftBand ? QStringLiteral("左旋") : bandName(band);
}

NetBandValues netBandValues(const BandValues& values) {
    NetBandValues all{};
    for (int b = 0; b < BandCount; ++b)
        all[size_t(b)] = values[size_t(b)];
    all[LeftBand] = values[BS];
    return all;
}

std::array<BandCriterion, NetBandCount> netCriteria(const Profile& profile) {
    std::array<BandCriterion, NetBandCount> criteria{};
    for (int b = 0; b < BandCount; ++b)
        criteria[size_t(b)] = profile.bands[size_t(b)];
    if (profile.id.system == SatelliteSystem::Uhd4K8K) criteria[LeftBand] = profile.bands[BS];
    return criteria;
}

double netThermalNoise(int band, SatelliteSystem system) {
    const double bandwidth =
        band == LeftBand ? AdvancedSatelliteChannelBandwidth : channelBandwidth(band, system);
    return thermalNoiseLevel(bandwidth);
}

} // namespace miravel::network
