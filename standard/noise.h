#pragma once
// The C/N a booster leaves: C/N = Ei - NF - Nth, with Nth the thermal noise
// voltage across 75 Ω in the channel's bandwidth.

#include "common/programvalues.h"
#include "standard/criteria.h"

namespace miravel::standard {

constexpr double BoltzmannConstant = 1.380649e-23;    // J/K
constexpr double NoiseTemperature = 290;              // K
constexpr double LineImpedance = 75;                  // Ω
constexpr double TerrestrialChannelBandwidth = 5.6e6; // Hz
constexpr double SatelliteChannelBandwidth = 28.86e6; // Hz, 2K (QPSK/TC8PSK)
// Advanced BS/CS (16APSK/8PSK, 4K8K) is measured in a wider noise bandwidth.
constexpr double AdvancedSatelliteChannelBandwidth = 33.7561e6; // Hz

// 10·log10(k·T·B·R) + 120 in dBμV (the + 120 turns V² into μV²).
double thermalNoiseLevel(double bandwidthHz);

// VHF and UHF carry terrestrial channels, BS and CS satellite ones.
double channelBandwidth(int band);
// The same under a satellite system: 4K8K satellite bands use the advanced
// bandwidth.
double channelBandwidth(int band, SatelliteSystem system);

// Noise figures of the booster data sheets: VHF 8, UHF 10, BS 8, CS as BS.
double defaultNoiseFigure(int band);
common::BandValues defaultNoiseFigures();

// The booster's C/N for an input level Ei (dBμV) and noise figure NF (dB).
double carrierToNoise(double inputLevel, double noiseFigure, int band);

} // namespace miravel::standard
