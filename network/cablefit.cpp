#include "network/cablefit.h"

#include <algorithm>
#include <cmath>

namespace miravel::network {

double CableCurve::at(double mhz) const {
    return a * std::sqrt(mhz) + b * mhz;
}

CableCurve fitCableCurve(const LossPoints& points) {
    // Normal equations of Σ((α - a√f - b·f) / α)².
    double s11 = 0, s12 = 0, s22 = 0, r1 = 0, r2 = 0;
    for (const LossPoint& p : points) {
        if (p.dbPer100m <= 0 || p.mhz <= 0) continue;
        const double w = 1 / (p.dbPer100m * p.dbPer100m);
        const double x1 = std::sqrt(p.mhz), x2 = p.mhz;
        s11 += w * x1 * x1;
        s12 += w * x1 * x2;
        s22 += w * x2 * x2;
        r1 += w * x1 * p.dbPer100m;
        r2 += w * x2 * p.dbPer100m;
    }
    const double det = s11 * s22 - s12 * s12;
    if (s11 > 0 && std::abs(det) > 1e-12 * s11 * s22)
        return {(r1 * s22 - r2 * s12) / det, (s11 * r2 - s12 * r1) / det};
    // One frequency (or none with a loss): the conductor law alone.
    return {s11 > 0 ? r1 / s11 : 0, 0};
}

std::optional<CableLoss> cableLossAt(const LossPoints& points, double mhz,
                                     std::optional<double> ratedToMHz) {
    if (points.empty() || (ratedToMHz && mhz > *ratedToMHz)) return std::nullopt;
    double highest = 0;
    for (const LossPoint& p : points) {
        if (p.mhz == mhz) return CableLoss{p.dbPer100m, false};
        highest = std::max(highest, p.mhz);
    }
    const double loss = std::max(0.0, fitCableCurve(points).at(mhz));
    return CableLoss{loss, mhz > highest * EstimateBeyond};
}

QString estimateMark() {
    return QStringLiteral("推定");
}

} // namespace miravel::network
