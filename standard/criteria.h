#pragma once
// What the in-building standard asks of a level and a carrier-to-noise ratio,
// as data: named profiles (where the level is judged, and which satellite
// system), each with an inclusive level range and a C/N minimum per band.

#include "common/programvalues.h"

#include <QString>
#include <array>
#include <optional>

namespace miravel::standard {

// Where the level is judged: at the TV outlet or at the receiver input.
enum class MeasuringPoint { Outlet = 0, Receiver = 1 };
// Which BS/CS signals must pass: 8PSK (2K) or 16APSK (4K8K).
enum class SatelliteSystem { Hd2K = 0, Uhd4K8K = 1 };

struct ProfileId {
    MeasuringPoint point = MeasuringPoint::Outlet;
    SatelliteSystem system = SatelliteSystem::Hd2K;
    bool operator==(const ProfileId& o) const { return point == o.point && system == o.system; }
    bool operator!=(const ProfileId& o) const { return !(*this == o); }
};

constexpr int ProfileCount = 4;
// Every profile, outlet before receiver, 2K before 4K8K.
std::array<ProfileId, ProfileCount> allProfileIds();
// 0..3 in the order of allProfileIds().
int profileIndex(ProfileId id);

// Inclusive range of levels in dBμV.
struct LevelRange {
    double min = 0;
    double max = 0;
    bool operator==(const LevelRange& o) const { return min == o.min && max == o.max; }
};

// An empty optional means the band has no criterion ("基準なし").
struct BandCriterion {
    std::optional<LevelRange> level;
    std::optional<double> minCn; // dB
    bool operator==(const BandCriterion& o) const { return level == o.level && minCn == o.minCn; }
};

struct Profile {
    ProfileId id;
    std::array<BandCriterion, common::BandCount> bands;
    bool operator==(const Profile& o) const { return id == o.id && bands == o.bands; }
};

using ProfileSet = std::array<Profile, ProfileCount>;

// The standard's numbers. VHF has none.
Profile standardProfile(ProfileId id);
ProfileSet standardProfiles();

// "テレビ端子・BS/CS 2K" and the like.
QString profileName(ProfileId id);
QString pointName(MeasuringPoint point);
QString systemName(SatelliteSystem system);
// "VHF", "UHF", "BS", "CS".
QString bandName(int band);

} // namespace miravel::standard
