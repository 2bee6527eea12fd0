#pragma once
// Coax loss at any frequency from a cable type's table of points. Between
// and beyond the points the loss follows α(f) = a·√f + b·f (conductor plus
// dielectric loss, f in MHz, α in dB per 100 m), fitted to the points by
// least squares on the relative error (each residual weighted by 1/α); at a
// point's own frequency the point's value is taken exactly.

#include <QString>
#include <optional>
#include <vector>

namespace miravel::network {

struct LossPoint {
    double mhz = 0;
    double dbPer100m = 0;
    bool operator==(const LossPoint& o) const { return mhz == o.mhz && dbPer100m == o.dbPer100m; }
};
using LossPoints = std::vector<LossPoint>;

struct CableCurve {
    double a = 0; // dB per 100 m per √MHz
    double b = 0; // dB per 100 m per MHz
    double at(double mhz) const;
};

// The fitted curve; one point gives the √f law through it, none a zero curve.
CableCurve fitCableCurve(const LossPoints& points);

// A value more than this beyond the highest point is an estimate ("推定").
constexpr double EstimateBeyond = 1.10;

struct CableLoss {
    double dbPer100m = 0;
    bool estimated = false;
};

// The loss per 100 m at `mhz`: the point's value at a point, else the
// curve's. Nothing without points or above `ratedToMHz`.
std::optional<CableLoss> cableLossAt(const LossPoints& points, double mhz,
                                     std::optional<double> ratedToMHz = std::nullopt);

// "推定", the mark of an estimated value.
QString estimateMark();

} // namespace miravel::network
