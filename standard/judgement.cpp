#include "standard/judgement.h"

#include "common/errors.h"
#include "common/numformat.h"
#include "common/numval.h"

#include <QStringBuilder>

#include <algorithm>
#include <cmath>

using namespace miravel::common;

namespace miravel::standard {

namespace {

const QChar MinusSign(0x2212);
const QChar EnDash(0x2013);

std::optional<double> numberOf(const QString& text) {
    if (!isNumberText(text)) return std::nullopt;
    return numberTextValue(text);
}

} // namespace

double shownLevelByPattern(double level) {
    if (!std::isfinite(level)) return level;
    if (std::abs(level) < 1e12) return shownHundredths(level);
    try {
        return NumVal(Fmt2(level));
    } catch (const RunTimeError&) {
        return level; // rounds beyond a double: nothing to round
    }
}

namespace {

// A sum as its 15-digit form shows it, so that 50 + 17.01 is 67.01.
double decimalOf(double value) {
    try {
        return std::isfinite(value) ? NumVal(NumText(value)) : value;
    } catch (const RunTimeError&) {
        return value;
    }
}

// The two-decimal value next to `value` on the side of `direction` (+1 up,
// -1 down), `value` itself when it has two decimals.
double hundredthToward(double value, int direction) {
    const double exact = decimalOf(value);
    const double rounded = shownLevel(exact);
    if (direction > 0 ? rounded < exact : rounded > exact)
        return shownLevel(rounded + direction * 0.01);
    return rounded;
}

} // namespace

std::optional<LevelRange> boosterWindow(double pathLoss, const std::optional<LevelRange>& range) {
    if (!range) return std::nullopt;
    const LevelRange window{hundredthToward(range->min + pathLoss, +1),
                            hundredthToward(range->max + pathLoss, -1)};
    if (!(window.min <= window.max)) return std::nullopt;
    return window;
}

QString verdictText(const Judgement& judgement) {
    switch (judgement.verdict) {
    case Verdict::Pass:
        return QStringLiteral("適合");
    // Built in one piece: a large network's table holds many of these.
    case Verdict::Low:
        return QStringLiteral("不足 ") % MinusSign % Fmt2(-judgement.margin) %
               QStringLiteral(" dB");
    case Verdict::High:
        return QStringLiteral("過大 +") % Fmt2(judgement.margin) % QStringLiteral(" dB");
    case Verdict::NoCriterion:
        break;
    }
    return QStringLiteral("基準なし");
}

QString windowRangeText(const std::optional<LevelRange>& window) {
    if (!window) return QString();
    return Fmt2(window->min) + EnDash + Fmt2(window->max) + QStringLiteral(" dB");
}

QString windowText(const std::optional<LevelRange>& window) {
    if (!window) return QString();
    return QStringLiteral("必要ブースター出力 ") + windowRangeText(window);
}

QString rangeText(const std::optional<LevelRange>& range) {
    if (!range) return QStringLiteral("基準なし");
    return Fmt2(range->min) + EnDash + Fmt2(range->max) + QStringLiteral(" dBμV");
}

QString minimumText(const std::optional<double>& minimum) {
    if (!minimum) return QStringLiteral("基準なし");
    return Fmt2(*minimum) + QStringLiteral(" dB 以上");
}

std::optional<LevelLineValues> parseLevelLine(const QString& shown) {
    static const QString Minus = QStringLiteral("db - ");
    static const QString Equals = QStringLiteral("db = ");
    static const QString End = QStringLiteral("db");
    // A project file keeps the line without its closing blank.
    QString line = shown;
    while (line.endsWith(u' '))
        line.chop(1);
    const int minusAt = line.indexOf(Minus);
    const int equalsAt = line.indexOf(Equals, minusAt < 0 ? 0 : minusAt);
    if (minusAt < 0 || equalsAt < 0 || !line.endsWith(End)) return std::nullopt;
    const int terminalAt = equalsAt + Equals.size();
    const auto output = numberOf(line.left(minusAt));
    const auto loss = numberOf(line.mid(minusAt + Minus.size(), equalsAt - minusAt - Minus.size()));
    const auto terminal = numberOf(line.mid(terminalAt, line.size() - End.size() - terminalAt));
    if (!output || !loss || !terminal) return std::nullopt;
    return LevelLineValues{*output, *loss, *terminal};
}

} // namespace miravel::standard
