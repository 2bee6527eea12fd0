#include "network/outletresults.h"

#include "standard/judgement.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

using namespace miravel::standard;

namespace miravel::network {

double cnOfNoiseSum(double noise) {
    return noise > 0 ? -10 * std::log10(noise) : std::numeric_limits<double>::quiet_NaN();
}

namespace {

// The C/N figures of a band from its noise sum.
BandJudgement cnFigures(double noise, const OutletCriteria& criteria, size_t b) {
    BandJudgement j;
    j.cn = cnOfNoiseSum(noise);
    if (j.cn && criteria.minCn[b]) {
        const Judgement cn = judgeCn(*j.cn, criteria.minCn[b]);
        j.cnJudged = true;
        j.cnLow = cn.verdict == Verdict::Low;
        j.cnDeviation = cn.margin;
    }
    return j;
}

bool sameSums(const PackedBands& a, const PackedBands& b) {
    return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

} // namespace

void OutletResults::reset(size_t count, const OutletCriteria& criteria) {
    m_records.resize(count); // each written by the computation
    m_noise.clear();
    m_cn.clear();
    m_cnLow.clear();
    m_criteria = criteria;
}

std::uint32_t OutletResults::addNoise(const PackedBands& sums) {
    // Few sums differ (one per booster), and a walk meets them in runs.
    for (size_t k = m_noise.size(); k-- > 0 && k + 8 >= m_noise.size();)
        if (sameSums(m_noise[k], sums)) return std::uint32_t(k);
    m_noise.push_back(sums);
    auto& figures = m_cn.emplace_back();
    std::uint8_t& low = m_cnLow.emplace_back(0);
    for (size_t b = 0; b < NetBandCount; ++b) {
        figures[b] = cnFigures(*sums[b], m_criteria, b);
        low |= std::uint8_t(figures[b].cnLow << b);
    }
    return std::uint32_t(m_noise.size() - 1);
}

BandJudgement OutletResults::band(size_t i, size_t b) const {
    const OutletRecord& r = m_records[i];
    BandJudgement j;
    j.level = r.level[b];
    j.verdict = r.verdict[b];
    if (!j.level) return j; // not rated: no C/N either
    j.estimated = (r.estimated >> b) & 1u;
    if (j.verdict == OutletVerdict::Low || j.verdict == OutletVerdict::High)
        j.deviation = judgeLevel(*j.level, m_criteria.level[b]).margin;
    const BandJudgement& cn = m_cn[r.noise][b];
    j.cn = cn.cn;
    j.cnJudged = cn.cnJudged;
    j.cnLow = cn.cnLow;
    j.cnDeviation = cn.cnDeviation;
    return j;
}

OutletResult OutletResults::operator[](size_t i) const {
    OutletResult o;
    o.node = m_records[i].node;
    o.port = m_records[i].port;
    for (size_t b = 0; b < NetBandCount; ++b)
        o.bands[b] = band(i, b);
    return o;
}

OutletResult OutletResults::at(size_t i) const {
    if (i >= size()) throw std::out_of_range("OutletResults::at");
    return (*this)[i];
}

bool OutletResults::bandFails(size_t i, size_t b) const {
    const OutletRecord& r = m_records[i];
    return failsBand(r.verdict[b], r.level[b] == r.level[b] && cnLow(r.noise, b));
}

bool OutletResults::fails(size_t i) const {
    for (size_t b = 0; b < NetBandCount; ++b)
        if (bandFails(i, b)) return true;
    return false;
}

} // namespace miravel::network
