#pragma once
// Judging a level or a C/N against a profile's criterion, and the booster
// output that keeps an outlet inside its range.
//
// A value is judged as the screen shows it, so that the verdict never
// contradicts the number beside it: a terminal level as the result line shows
// it (15 significant digits, so 105 - 55 computed as 49.999999999999993 is
// judged as the 50 on screen), a C/N as its field shows it (two decimals).
// Ranges and minima are inclusive.

#include "standard/criteria.h"

#include <QString>
#include <optional>

enum class Verdict { NoCriterion, Pass, Low, High };

struct Judgement {
    Verdict verdict = Verdict::NoCriterion;
    // How far the value lies outside: negative when low, positive when high,
    // 0 when it passes or there is no criterion.
    double margin = 0;
    bool operator==(const Judgement& o) const { return verdict == o.verdict && margin == o.margin; }
};

// A terminal level as the result line shows it.
double shownLevel(double level);
// A C/N as its field shows it.
double shownCn(double cn);

Judgement judgeLevel(double terminalLevel, const std::optional<LevelRange>& range);
Judgement judgeCn(double cn, const std::optional<double>& minimum);

// The booster output levels that keep the outlet in range with the given
// path loss: [min + loss, max + loss]. None when the band has no range.
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
