#include "standard/noise.h"

#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::standard;

namespace {

TEST(ThermalNoise, BothChannelBandwidths) {
    EXPECT_NEAR(thermalNoiseLevel(5.6e6), 2.26, 0.005);
    EXPECT_NEAR(thermalNoiseLevel(28.86e6), 9.38, 0.005);
    EXPECT_NEAR(thermalNoiseLevel(33.7561e6), 10.06, 0.005);
    // Ten times the bandwidth is ten dB more noise.
    EXPECT_NEAR(thermalNoiseLevel(56e6) - thermalNoiseLevel(5.6e6), 10, 1e-12);
}

TEST(ThermalNoise, BandwidthPerBand) {
    EXPECT_EQ(channelBandwidth(VHF), 5.6e6);
    EXPECT_EQ(channelBandwidth(UHF), 5.6e6);
    EXPECT_EQ(channelBandwidth(BS), 28.86e6);
    EXPECT_EQ(channelBandwidth(CS), 28.86e6);
    EXPECT_EQ(channelBandwidth(CS, SatelliteSystem::Uhd4K8K), 33.7561e6);
    EXPECT_EQ(channelBandwidth(BS, SatelliteSystem::Hd2K), 28.86e6);
    EXPECT_EQ(channelBandwidth(UHF, SatelliteSystem::Uhd4K8K), 5.6e6);
}

TEST(NoiseFigure, DataSheetDefaults) {
    EXPECT_EQ(defaultNoiseFigures(), (BandValues{8, 10, 8, 8}));
}

// Worked by hand: UHF 60 dBμV into a 10 dB NF booster: 60 - 10 - 2.26 =
// 47.74 dB; BS 30 dBμV, NF 8: 30 - 8 - 9.38 = 12.62 dB.
TEST(CarrierToNoise, WorkedCases) {
    EXPECT_NEAR(carrierToNoise(60, 10, UHF), 47.74, 0.005);
    EXPECT_NEAR(carrierToNoise(30, 8, BS), 12.62, 0.005);
    EXPECT_NEAR(carrierToNoise(30, 8, CS), 12.62, 0.005);
    EXPECT_NEAR(carrierToNoise(40.5, 7, VHF), 31.24, 0.005);
}

} // namespace
