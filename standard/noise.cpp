#include "standard/noise.h"

#include <cmath>

using namespace miravel::common;

namespace miravel::standard {

double thermalNoiseLevel(double bandwidthHz) {
    return 10 * std::log10(BoltzmannConstant * NoiseTemperature * bandwidthHz * LineImpedance) +
           120;
}

double channelBandwidth(int band) {
    return band == BS || band == CS ? SatelliteChannelBandwidth : TerrestrialChannelBandwidth;
}

double channelBandwidth(int band, SatelliteSystem system) {
    if (system == SatelliteSystem::Uhd4K8K && (band == BS || band == CS))
        return AdvancedSatelliteChannelBandwidth;
    return channelBandwidth(band);
}

double defaultNoiseFigure(int band) {
    return band == UHF ? 10 : 8;
}

BandValues defaultNoiseFigures() {
    BandValues nf{};
    for (int b = 0; b < BandCount; ++b)
        nf[size_t(b)] = defaultNoiseFigure(b);
    return nf;
}

double carrierToNoise(double inputLevel, double noiseFigure, int band) {
    return inputLevel - noiseFigure - thermalNoiseLevel(channelBandwidth(band));
}

} // namespace miravel::standard
