#pragma once
// The contents of the verdict sheet (判定書) and of the C/N group: tables of
// texts, ready to be drawn.

#include "standard/judgement.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace miravel::standard {

// The booster input levels per band as the field-strength screen shows them:
// none where it shows none (never calculated, or loaded empty).
using BoosterInputs = std::array<std::optional<double>, common::BandCount>;
// Which bands' levels that screen shows (it keeps this true): Bst_Input is no
// level for the others. None at start.
void setBoosterInputsShown(const std::array<bool, common::BandCount>& shown);
// Bst_Input for the bands the screen shows.
BoosterInputs shownBoosterInputs();

// One band's C/N: the booster input Ei, the noise figure, the thermal noise
// (in the bandwidth of the profile's satellite system), the C/N and its
// verdict; without an input level no C/N and no verdict.
struct CnRow {
    std::optional<double> inputLevel;
    double noiseFigure = 0;
    double thermalNoise = 0;
    std::optional<double> cn;
    Judgement judgement;
};
CnRow cnRow(int band, SatelliteSystem system, std::optional<double> inputLevel, double noiseFigure,
            const std::optional<double>& minCn);
// "未計算" for a row without an input level, in the colour of no verdict.
QString notCalculatedText();
// The C/N as shown ("" without one) and the verdict's text ("未計算" without one).
QString cnText(const CnRow& row);
QString cnVerdictText(const CnRow& row);

struct SheetTable {
    QStringList header;
    std::vector<QStringList> rows; // one per band
    std::vector<Verdict> verdicts; // of each row
};

// Band, outlet level, verdict, range, booster output window; a band whose
// result line is not a result shows "未計算".
SheetTable levelTable(const Profile& profile,
                      const std::array<QString, common::BandCount>& resultLines);

// Band, Ei, NF, Nth, C/N, minimum, verdict; Ei and the verdict "未計算"
// where there is no input level.
SheetTable cnTable(const Profile& profile, const BoosterInputs& inputLevels,
                   const common::BandValues& noiseFigures);

struct SheetHeading {
    QString title;     // "判　定　書"
    QStringList lines; // project, circuit, profile, where the numbers come from
};
// The tables and the chart both come from the result lines the terminal
// screen shows; the sheet says so.
QString sheetSourceText();
SheetHeading sheetHeading(const QString& projectPath, const QString& circuitName,
                          const Profile& profile);

} // namespace miravel::standard
