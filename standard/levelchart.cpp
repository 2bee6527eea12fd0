#include "standard/levelchart.h"

#include "common/numformat.h"
#include "terminal/keisan.h"

#include <algorithm>
#include <cmath>
#include <functional>

using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::standard {

namespace {

// Proportions of a panel, as fractions of its height or width, so that the
// chart looks the same on screen, on paper and in an image.
constexpr double OuterMargin = 0.02;
constexpr double TitleHeight = 0.09;
constexpr double LabelHeight = 0.08;
constexpr double VerdictHeight = 0.09;
constexpr double AxisWidth = 0.11;
constexpr double RightMargin = 0.03;
constexpr double BarFill = 0.6; // of each bar's slot
constexpr int StepCount = LossGroupCount + 2;
// The scale reaches a little beyond every level and range end, in whole tens.
constexpr double ScalePad = 2;
constexpr double TickStep = 10;

struct Scale {
    double low, high;
};

// The ends of a chart of nothing at all.
constexpr double EmptyLow = 0, EmptyHigh = 100;

// The outlet level of a band: its line's, else the output less the losses.
double outletOf(const ChartBandInput& in) {
    if (in.outlet) return *in.outlet;
    double level = in.output;
    for (double loss : in.losses)
        level -= loss;
    return level;
}

Scale commonScale(const std::array<ChartBandInput, BandCount>& inputs) {
    // Values that are not numbers compare false both ways and are left out.
    double low = HUGE_VAL, high = -HUGE_VAL;
    auto include = [&](double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    for (const ChartBandInput& in : inputs) {
        if (in.calculated) {
            double level = in.output;
            include(level);
            for (double loss : in.losses)
                include(level -= loss);
            include(outletOf(in));
        }
        if (in.range) {
            include(in.range->min);
            include(in.range->max);
        }
    }
    if (!(low <= high)) return {EmptyLow, EmptyHigh};
    const double from = std::clamp(std::floor((low - ScalePad) / TickStep) * TickStep,
                                   ChartScaleFloor, ChartScaleCeiling - TickStep);
    return {from, std::clamp(std::ceil((high + ScalePad) / TickStep) * TickStep, from + TickStep,
                             ChartScaleCeiling)};
}

QString verdictLine(int band, const ChartBandInput& in, const Judgement& j) {
    const QString head = bandName(band) + QStringLiteral(" 端子レベル ");
    if (!in.calculated) return head + QStringLiteral("未計算");
    return head + Fmt2(shownLevel(outletOf(in))) + QStringLiteral(" dBμV　") + verdictText(j);
}

int offScaleOf(double from, double to, Scale scale) {
    // A value that is not a number is off every scale.
    if (std::isnan(from) || std::isnan(to) || std::max(from, to) > scale.high) return +1;
    return std::min(from, to) < scale.low ? -1 : 0;
}

void layoutTicks(ChartPanel& p, Scale scale, const std::function<double(double)>& y) {
    const long count = std::lround((scale.high - scale.low) / TickStep);
    for (long i = 0; i <= count; ++i)
        p.ticks.push_back({scale.low + double(i) * TickStep, y(scale.low + double(i) * TickStep)});
}

void layoutBars(ChartPanel& p, const ChartBandInput& in, Scale scale,
                const std::function<double(double)>& y) {
    const double slot = p.plot.width() / StepCount;
    // A bar over `span` slots from `step`, captioned under those slots.
    const auto bar = [&](int step, int span, ChartBarKind kind, double from, double to,
                         const QString& caption) {
        const double left = p.plot.left() + (step + (1 - BarFill) / 2) * slot;
        const double top = std::min(y(from), y(to)), bottom = std::max(y(from), y(to));
        p.bars.push_back({kind, caption, from, to,
                          QRectF(left, top, (span - 1 + BarFill) * slot, bottom - top),
                          QRectF(p.plot.left() + step * slot, p.labelRow.top(), span * slot,
                                 p.labelRow.height()),
                          offScaleOf(from, to, scale)});
    };
    const double outlet = outletOf(in);
    bar(0, 1, ChartBarKind::Output, scale.low, in.output, chartBarCaption(0));
    if (in.itemised) {
        double level = in.output;
        for (int g = 0; g < LossGroupCount; ++g) {
            // The last step ends where the line says the outlet is.
            const double after = g + 1 < LossGroupCount ? level - in.losses[size_t(g)] : outlet;
            bar(g + 1, 1, ChartBarKind::Loss, level, after, chartBarCaption(g + 1));
            level = after;
        }
    } else {
        bar(1, LossGroupCount, ChartBarKind::Loss, in.output, outlet, wholeLossCaption());
    }
    bar(StepCount - 1, 1, ChartBarKind::Outlet, scale.low, outlet, chartBarCaption(StepCount - 1));
}

ChartPanel layoutPanel(int band, const ChartBandInput& in, QRectF frame, Scale scale) {
    ChartPanel p;
    p.band = band;
    p.frame = frame;
    const double w = frame.width(), h = frame.height();
    p.plot = QRectF(frame.left() + AxisWidth * w, frame.top() + TitleHeight * h,
                    (1 - AxisWidth - RightMargin) * w,
                    (1 - TitleHeight - LabelHeight - VerdictHeight) * h);
    p.labelRow = QRectF(p.plot.left(), p.plot.bottom(), p.plot.width(), LabelHeight * h);
    p.verdictRow = QRectF(frame.left(), p.labelRow.bottom(), w, VerdictHeight * h);
    p.title = bandName(band) + QStringLiteral("　") + rangeText(in.range);

    const std::function<double(double)> y = [&](double v) {
        const double clamped = std::isnan(v) ? scale.high : std::clamp(v, scale.low, scale.high);
        return p.plot.bottom() - (clamped - scale.low) / (scale.high - scale.low) * p.plot.height();
    };
    layoutTicks(p, scale, y);
    if (in.range)
        p.range = QRectF(QPointF(p.plot.left(), y(in.range->max)),
                         QPointF(p.plot.right(), y(in.range->min)));
    if (in.calculated) {
        layoutBars(p, in, scale, y);
        p.judgement = judgeLevel(outletOf(in), in.range);
    }
    p.verdict = verdictLine(band, in, p.judgement);
    return p;
}

} // namespace

std::array<ChartBandInput, BandCount>
chartInputsOfLines(const std::array<QString, BandCount>& lines,
                   const std::vector<KeisanResult>& calculations, const Profile& profile) {
    std::array<ChartBandInput, BandCount> inputs{};
    for (size_t b = 0; b < BandCount; ++b) {
        ChartBandInput& in = inputs[b];
        in.range = profile.bands[b].level;
        const auto line = parseLevelLine(lines[b]);
        if (!line) {
            in.calculated = false;
            continue;
        }
        in.output = line->output;
        in.outlet = line->terminal;
        in.itemised = false;
        in.losses = {line->loss, 0, 0, 0};
        for (const KeisanResult& r : calculations)
            if (r.resultText[b] && r.resultText[b]->trimmed() == lines[b].trimmed()) {
                in.losses = {r.Bunpai_Loss[b], r.Bunki_Loss[b], r.Yunit_Loss[b],
                             r.Douziyuku_Total[b]};
                in.itemised = true;
                break;
            }
    }
    return inputs;
}

ChartLayout layoutLevelChart(const std::array<ChartBandInput, BandCount>& inputs, QSizeF size) {
    const Scale scale = commonScale(inputs);
    ChartLayout layout{scale.low, scale.high, {}};
    const double margin = OuterMargin * std::min(size.width(), size.height());
    const double cellW = (size.width() - margin) / 2, cellH = (size.height() - margin) / 2;
    for (int b = 0; b < BandCount; ++b) {
        const QRectF cell(margin + (b % 2) * cellW, margin + (b / 2) * cellH, cellW - margin,
                          cellH - margin);
        layout.panels.push_back(layoutPanel(b, inputs[size_t(b)], cell, scale));
    }
    return layout;
}

QString chartBarCaption(int step) {
    static const char* const captions[StepCount] = {"出力",           "分配器", "分岐器",
                                                    "直列ﾕﾆｯﾄ・端子", "同軸",   "端子"};
    return QString::fromUtf8(captions[step]);
}

QString wholeLossCaption() {
    return QStringLiteral("損失計（内訳なし）");
}

QString offScaleText() {
    return QStringLiteral("目盛外");
}

} // namespace miravel::standard
