#pragma once
// Judging a level or a C/N against a profile's criterion, and the booster
// output that keeps an outlet inside its range.
//
// A value is judged as the screens show it, so that the verdict never
// contradicts the number beside it: rounded to two decimals as "##0.#0"
// rounds (49.996 shows, and is judged as, 50.00), and the margin is taken
// from that shown value. Ranges and minima are inclusive.

#include "standard/criteria.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace miravel::standard {

enum class Verdict { NoCriterion, Pass, Low, High };

struct Judgement {
    Verdict verdict = Verdict::NoCriterion;
    // How far the value lies outside: negative when low, positive when high,
    // 0 when it passes or there is no criterion.
    double margin = 0;
    bool operator==(const Judgement& o) const { return verdict == o.verdict && margin == o.margin; }
};

// A level or C/N as the screens show it: rounded to two decimals, halves
// away from zero, as Fmt2 rounds. Values that are not finite stay as they are.
// Inline, as a network judges every outlet in every band with it.
inline double shownLevel(double level);
// The same by the display pattern itself, for a value near a half hundredth.
double shownLevelByPattern(double level);

inline Judgement judgeLevel(double terminalLevel, const std::optional<LevelRange>& range);
inline Judgement judgeCn(double cn, const std::optional<double>& minimum);

// The booster output levels that keep the outlet in range with the given
// path loss: [min + loss, max + loss], the minimum rounded up and the maximum
// down to two decimals, so that each bound as shown passes. None when the
// band has no range, or when no two-decimal output lies inside it.
std::optional<LevelRange> boosterWindow(double pathLoss, const std::optional<LevelRange>& range);

// "適合", "不足 −1.00 dB", "過大 +2.50 dB" or "基準なし".
QString verdictText(const Judgement& judgement);
// "必要ブースター出力 66.01–97.01 dB", or "" without a window.
QString windowText(const std::optional<LevelRange>& window);
// "66.01–97.01 dB", or "" without a window.
QString windowRangeText(const std::optional<LevelRange>& window);
// "50.00–81.00 dBμV", or "基準なし".
QString rangeText(const std::optional<LevelRange>& range);
// "24.00 dB 以上", or "基準なし".
QString minimumText(const std::optional<double>& minimum);

// The three parts of a terminal-level result line
// ("105db - 16.01db = 88.99db ", with or without the closing blank).
struct LevelLineValues {
    double output = 0;
    double loss = 0;
    double terminal = 0;
};
// None when the text is not such a line (an empty or hand-made record).
std::optional<LevelLineValues> parseLevelLine(const QString& line);

inline double shownLevel(double level) {
    // Away from a half hundredth the scaled value rounds as the pattern's
    // 15-digit form does, and k / 100 is the double that "k/100" reads as;
    // near a half, or beyond what 15 digits reach (or not finite), the
    // pattern decides.
    const double hundredths = level * 100;
    if (!(std::abs(hundredths) < 1e12)) return shownLevelByPattern(level);
    const double whole = double(std::int64_t(hundredths)); // truncated, exactly
    const double fraction = std::abs(hundredths - whole);
    const double doubt = 1e-13 * std::max(1.0, std::abs(hundredths));
    if (std::abs(fraction - 0.5) <= doubt) return shownLevelByPattern(level);
    const double away = hundredths < 0 ? -1.0 : 1.0;
    const double rounded = (fraction > 0.5 ? whole + away : whole) / 100;
    return rounded == 0 ? 0.0 : rounded; // no negative zero
}

namespace detail {
// Written so that a value that is not a number never passes.
inline Judgement judgeShown(double value, std::optional<double> min, std::optional<double> max) {
    if (min && !(value >= *min)) return {Verdict::Low, value - *min};
    if (max && !(value <= *max)) return {Verdict::High, value - *max};
    return {Verdict::Pass, 0};
}
} // namespace detail

inline Judgement judgeLevel(double terminalLevel, const std::optional<LevelRange>& range) {
    if (!range) return {};
    return detail::judgeShown(shownLevel(terminalLevel), range->min, range->max);
}

inline Judgement judgeCn(double cn, const std::optional<double>& minimum) {
    if (!minimum) return {};
    return detail::judgeShown(shownLevel(cn), *minimum, std::nullopt);
}

} // namespace miravel::standard
