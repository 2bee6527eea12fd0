#pragma once
// The geometry of the level chart: per band a waterfall from the booster
// output down through the loss of each component group of the path, in the
// order of the report, to the outlet level, on one level scale for all bands.
// The screen, the printer and the image files draw exactly this.

#include "standard/judgement.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <vector>

namespace miravel::terminal {
struct KeisanResult;
} // namespace miravel::terminal

namespace miravel::standard {

// Distributors, branchers, series units or outlet, coax.
constexpr int LossGroupCount = 4;

struct ChartBandInput {
    double output = 0; // booster output level, dBμV
    std::array<double, LossGroupCount> losses{};
    std::optional<LevelRange> range;
    // The outlet level as the result line gives it; without one, the output
    // less the losses.
    std::optional<double> outlet;
    // False when the calculation that wrote the line is not at hand: only the
    // whole loss is known (losses[0]), drawn as one bar.
    bool itemised = true;
    // False for a band without a result line: no bars, "未計算".
    bool calculated = true;
};

// The chart of the result lines the screen shows, the ones its verdicts
// judge: per band the output, loss and outlet level of its line, the loss
// split into groups by the first of `calculations` that wrote that very line.
std::array<ChartBandInput, common::BandCount>
chartInputsOfLines(const std::array<QString, common::BandCount>& lines,
                   const std::vector<terminal::KeisanResult>& calculations, const Profile& profile);

enum class ChartBarKind { Output, Loss, Outlet };

struct ChartBar {
    ChartBarKind kind;
    QString label;
    double from = 0; // level before the step (the axis' low end for a level bar)
    double to = 0;   // level after it
    QRectF rect;
    QRectF captionRect; // below the plot, the bar's whole slot wide
    int offScale = 0;   // +1: runs above the scale, -1: below it, 0: on it
};

struct ChartTick {
    double value;
    double y;
};

struct ChartPanel {
    int band = 0;
    QRectF frame; // the whole panel
    QRectF plot;  // the scaled area
    QString title;
    std::optional<QRectF> range; // the shaded in-range band, clipped to the plot
    std::vector<ChartBar> bars;  // output, the loss groups, outlet
    std::vector<ChartTick> ticks;
    Judgement judgement;
    QString verdict; // "UHF 端子レベル 88.99 dBμV　適合" and the like
    QRectF labelRow; // where the bar captions go
    QRectF verdictRow;
};

struct ChartLayout {
    double low = 0; // the common scale, dBμV, within ChartScaleFloor..Ceiling
    double high = 0;
    std::vector<ChartPanel> panels; // VHF, UHF, BS, CS
};

// The scale never reaches beyond these: a level outside is drawn at the edge
// and marked "目盛外" (and the tick count stays small whatever the levels).
constexpr double ChartScaleFloor = -60;
constexpr double ChartScaleCeiling = 160;

// The chart laid out in a page or window of the given size (any unit: pixels
// on screen and in images, device units in print).
ChartLayout layoutLevelChart(const std::array<ChartBandInput, common::BandCount>& inputs,
                             QSizeF size);

// The captions of the bars: "出力", "分配器", "分岐器", "直列ﾕﾆｯﾄ・端子", "同軸", "端子".
QString chartBarCaption(int step);
// The caption of the one loss bar of a band whose loss is known only whole.
QString wholeLossCaption();
// The mark of a bar that runs off the scale.
QString offScaleText();

} // namespace miravel::standard
