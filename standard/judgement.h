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
double shownLevel(double level);

Judgement judgeLevel(double terminalLevel, const std::optional<LevelRange>& range);
Judgement judgeCn(double cn, const std::optional<double>& minimum);

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

} // namespace miravel::standard
