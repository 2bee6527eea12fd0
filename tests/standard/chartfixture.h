#pragma once
// The level chart tests' path: one BS-D2 distributor, three BS series units
// and 10 m of S-5C-FB from 105 dBμV (outlet, 2K); the BS outlet gets
// 83.39 dBμV, too high.

#include "standard/levelchart.h"

inline std::array<miravel::standard::ChartBandInput, miravel::common::BandCount> fixturePath() {
    const miravel::standard::Profile outlet = miravel::standard::standardProfile({});
    const std::array<std::array<double, miravel::standard::LossGroupCount>,
                     miravel::common::BandCount>
        losses = {
            {{3.8, 0, 11.1, 1.11}, {4.0, 0, 12.6, 2.19}, {4.5, 0, 14, 3.11}, {0, 0, 0, 3.78}}};
    std::array<miravel::standard::ChartBandInput, miravel::common::BandCount> in{};
    for (size_t b = 0; b < miravel::common::BandCount; ++b) {
        in[b].output = 105;
        in[b].losses = losses[b];
        in[b].range = outlet.bands[b].level;
    }
    return in;
}
