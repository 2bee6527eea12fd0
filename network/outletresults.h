#pragma once
// Every outlet port's judgement. A computation keeps, per outlet and band,
// the level and its verdict; the deviations and the C/N figures follow from
// these, the criteria and the noise below the outlet's stages (few distinct
// sums, kept once each), and are worked out when read.

#include "network/networktypes.h"
#include "standard/criteria.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace miravel::network {

enum class OutletVerdict : std::uint8_t {
    Pass,               // within the range
    Low,                // below the minimum
    High,               // above the maximum
    NoStandard,         // no range for the band: shown, never failing
    NotRated,           // a part on the way is not rated for the band: fails
    NotRatedNoStandard, // not rated, and no range for the band: shown, never failing
};

// What a profile asks per network band: the outlet level range and C/N
// minimum (none for "基準なし"), and the thermal noise the C/N is taken
// against.
struct OutletCriteria {
    std::array<std::optional<standard::LevelRange>, NetBandCount> level{};
    std::array<std::optional<double>, NetBandCount> minCn{};
    NetBandValues thermalNoise{}; // dBμV
};
OutletCriteria outletCriteria(const standard::Profile& profile);

struct BandJudgement {
    PackedValue level;      // nothing when not rated
    PackedValue cn;         // dB; nothing when not reckoned or not rated
    double cnDeviation = 0; // shown C/N - minimum when low
    // Low: shown level - min (< 0); High: shown level - max (> 0); else 0,
    // the level taken as the table shows it (two decimals), as every verdict
    double deviation = 0;
    OutletVerdict verdict = OutletVerdict::NotRated;
    bool estimated = false; // a cable on the way is beyond its points ("推定")
    bool cnJudged = false;  // the profile has a C/N minimum for the band
    bool cnLow = false;     // below it: fails
};

// Low, High, not rated where the band has a range, or its C/N low.
inline bool failsBand(OutletVerdict verdict, bool cnLow) {
    constexpr unsigned Failing = 1u << unsigned(OutletVerdict::Low) |
                                 1u << unsigned(OutletVerdict::High) |
                                 1u << unsigned(OutletVerdict::NotRated);
    return ((Failing >> unsigned(verdict)) & 1u) | cnLow;
}
inline bool failsBand(const BandJudgement& j) {
    return failsBand(j.verdict, j.cnLow);
}

// An outlet port's judgement as shown; its names are the network's (outletName).
struct OutletResult {
    NodeId node = 0;
    int port = 0;
    std::array<BandJudgement, NetBandCount> bands;
    // Any band Low, High, NotRated (with a range) or its C/N low.
    bool fails() const {
        bool any = false;
        for (const BandJudgement& j : bands)
            any |= failsBand(j);
        return any;
    }
};

using PackedBands = std::array<PackedValue, NetBandCount>;

// C/N in dB of a noise sum Σ 1/CNᵢ, NaN for none.
double cnOfNoiseSum(double noise);

// What a computation keeps of an outlet port. Plain: a result's records are
// left as allocated, and the computation writes every field.
struct OutletRecord {
    NodeId node;
    std::uint32_t noise; // its noise sums, by their place in OutletResults
    NetBandValues level; // NaN: not rated
    std::array<OutletVerdict, NetBandCount> verdict;
    std::uint8_t estimated; // a bit per rated band: its level is estimated
    int port;
};

// Constructs an element without a value, so that a vector of plain values
// grows without clearing what is written next anyway.
template <class T> struct UnclearedAllocator : std::allocator<T> {
    template <class U> struct rebind { using other = UnclearedAllocator<U>; };
    template <class U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible<U>::value) {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args> void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// The outlets of a computation in tree order, read as OutletResult values.
class OutletResults {
public:
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    OutletResult operator[](size_t i) const;
    OutletResult at(size_t i) const; // std::out_of_range beyond the last
    OutletResult front() const { return (*this)[0]; }
    OutletResult back() const { return (*this)[size() - 1]; }
    BandJudgement band(size_t i, size_t band) const;
    PackedValue level(size_t i, size_t band) const { return m_records[i].level[band]; }
    NodeId node(size_t i) const { return m_records[i].node; }
    int port(size_t i) const { return m_records[i].port; }
    bool bandFails(size_t i, size_t band) const; // as failsBand
    bool fails(size_t i) const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = OutletResult;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = OutletResult;
        const_iterator(const OutletResults* list, size_t i) : m_list(list), m_i(i) {}
        OutletResult operator*() const { return (*m_list)[m_i]; }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        const OutletResults* m_list;
        size_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // For the computation: `count` outlets judged against `criteria`, their
    // noise sums forgotten; then each record written in place.
    void reset(size_t count, const OutletCriteria& criteria);
    OutletRecord& record(size_t i) { return m_records[i]; }
    const OutletCriteria& criteria() const { return m_criteria; }
    // The noise sums Σ 1/CNᵢ per band (nothing: not reckoned) that nodes
    // and outlets refer to by place, each kept once; whether the C/N of a
    // sum is low in a band.
    std::uint32_t addNoise(const PackedBands& sums);
    const PackedBands& noiseSums(std::uint32_t place) const { return m_noise[place]; }
    bool cnLow(std::uint32_t place, size_t band) const { return (m_cnLow[place] >> band) & 1u; }
    unsigned cnLowBands(std::uint32_t place) const { return m_cnLow[place]; } // a bit per band
    size_t noiseCount() const { return m_noise.size(); }

private:
    std::vector<OutletRecord, UnclearedAllocator<OutletRecord>> m_records;
    std::vector<PackedBands> m_noise;
    std::vector<std::array<BandJudgement, NetBandCount>> m_cn; // the C/N figures of each sum
    std::vector<std::uint8_t> m_cnLow;                         // of each sum, a bit per band
    OutletCriteria m_criteria;
};

} // namespace miravel::network
