#include "standard/criteria.h"

using namespace miravel::common;

namespace miravel::standard {

namespace {

// Terrestrial digital, BS/CS 8PSK, BS/CS 16APSK (dBμV and dB).
constexpr double MaxLevel = 81;
constexpr double UhfOutletMin = 50, UhfReceiverMin = 47, UhfMinCn = 24;
constexpr double Hd2KOutletMin = 52, Hd2KMinCn = 11;
constexpr double Uhd4K8KOutletMin = 54, Uhd4K8KMinCn = 13;
constexpr double SatelliteReceiverMin = 48;

} // namespace

std::array<ProfileId, ProfileCount> allProfileIds() {
    using P = MeasuringPoint;
    using S = SatelliteSystem;
    return {{{P::Outlet, S::Hd2K},
             {P::Outlet, S::Uhd4K8K},
             {P::Receiver, S::Hd2K},
             {P::Receiver, S::Uhd4K8K}}};
}

int profileIndex(ProfileId id) {
    return int(id.point) * 2 + int(id.system);
}

Profile standardProfile(ProfileId id) {
    const bool outlet = id.point == MeasuringPoint::Outlet;
    const bool uhd = id.system == SatelliteSystem::Uhd4K8K;
    Profile p;
    p.id = id;
    p.bands[UHF] = {LevelRange{outlet ? UhfOutletMin : UhfReceiverMin, MaxLevel}, UhfMinCn};
    const double satelliteMin =
        outlet ? (uhd ? Uhd4K8KOutletMin : Hd2KOutletMin) : SatelliteReceiverMin;
    const BandCriterion satellite{LevelRange{satelliteMin, MaxLevel},
                                  uhd ? Uhd4K8KMinCn : Hd2KMinCn};
    p.bands[BS] = satellite;
    p.bands[CS] = satellite;
    return p;
}

ProfileSet standardProfiles() {
    ProfileSet set;
    for (const ProfileId id : allProfileIds())
        set[size_t(profileIndex(id))] = standardProfile(id);
    return set;
}

QString pointName(MeasuringPoint point) {
    return point == MeasuringPoint::Outlet ? QStringLiteral("テレビ端子")
                                           : QStringLiteral("受信機入力");
}

QString systemName(SatelliteSystem system) {
    return system == SatelliteSystem::Hd2K ? QStringLiteral("BS/CS 2K")
                                           : QStringLiteral("BS/CS 4K8K");
}

QString profileName(ProfileId id) {
    return pointName(id.point) + QStringLiteral("・") + systemName(id.system);
}

QString bandName(int band) {
    static const char* const names[BandCount] = {"VHF", "UHF", "BS", "CS"};
    return QString::fromLatin1(names[band]);
}

} // namespace miravel::standard
