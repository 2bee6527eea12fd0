#include "standard/judgement.h"

#include "common/numformat.h"
#include "common/numval.h"

namespace {

const QChar MinusSign(0x2212);
const QChar EnDash(0x2013);

std::optional<double> numberOf(const QString& text) {
    if (!isNumberText(text)) return std::nullopt;
    return numberTextValue(text);
}

} // namespace

double shownLevel(double level) {
    return NumVal(NumText(level));
}

double shownCn(double cn) {
    return NumVal(Fmt2(cn));
}

static Judgement judgeShown(double value, std::optional<double> min, std::optional<double> max) {
    if (min && value < *min) return {Verdict::Low, value - *min};
    if (max && value > *max) return {Verdict::High, value - *max};
    return {Verdict::Pass, 0};
}

Judgement judgeLevel(double terminalLevel, const std::optional<LevelRange>& range) {
    if (!range) return {};
    return judgeShown(shownLevel(terminalLevel), range->min, range->max);
}

Judgement judgeCn(double cn, const std::optional<double>& minimum) {
    if (!minimum) return {};
    return judgeShown(shownCn(cn), *minimum, std::nullopt);
}

std::optional<LevelRange> boosterWindow(double pathLoss, const std::optional<LevelRange>& range) {
    if (!range) return std::nullopt;
    return LevelRange{range->min + pathLoss, range->max + pathLoss};
}

QString verdictText(const Judgement& judgement) {
    switch (judgement.verdict) {
    case Verdict::Pass:
        return QStringLiteral("適合");
    case Verdict::Low:
        return QStringLiteral("不足 ") + MinusSign + Fmt2(-judgement.margin) +
               QStringLiteral(" dB");
    case Verdict::High:
        return QStringLiteral("過大 +") + Fmt2(judgement.margin) + QStringLiteral(" dB");
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
