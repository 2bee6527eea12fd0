#pragma once
// The level chart tests' path: one BS-D2 distributor, three BS series units
// and 10 m of S-5C-FB from 105 dBμV (outlet, 2K); the BS outlet gets
// 83.39 dBμV, too high.

#include "standard/levelchart.h"

inline std::array<ChartBandInput, BandCount> fixturePath() {
    const Profile outlet = standardProfile({});
    std::array<ChartBandInput, BandCount> in{};
    in[VHF] = {105, {3.8, 0, 11.1, 1.11}, outlet.bands[VHF].level};
    in[UHF] = {105, {4.0, 0, 12.6, 2.19}, outlet.bands[UHF].level};
    in[BS] = {105, {4.5, 0, 14, 3.11}, outlet.bands[BS].level};
    in[CS] = {105, {0, 0, 0, 3.78}, outlet.bands[CS].level};
    return in;
}
