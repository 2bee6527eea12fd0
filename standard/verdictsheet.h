#pragma once
// The contents of the verdict sheet (判定書) and of the C/N group: tables of
// texts, ready to be drawn.

#include "standard/judgement.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// One band's C/N: the booster input Ei, the noise figure, the thermal noise,
// the C/N and its verdict.
struct CnRow {
    double inputLevel = 0;
    double noiseFigure = 0;
    double thermalNoise = 0;
    double cn = 0;
    Judgement judgement;
};
CnRow cnRow(int band, double inputLevel, double noiseFigure, const std::optional<double>& minCn);

struct SheetTable {
    QStringList header;
    std::vector<QStringList> rows; // one per band
    std::vector<Verdict> verdicts; // of each row
};

// Band, outlet level, verdict, range, booster output window; a band whose
// result line is not a result shows "未計算".
SheetTable levelTable(const Profile& profile, const std::array<QString, BandCount>& resultLines);

// Band, Ei, NF, Nth, C/N, minimum, verdict.
SheetTable cnTable(const Profile& profile, const BandValues& inputLevels,
                   const BandValues& noiseFigures);

struct SheetHeading {
    QString title;     // "判　定　書"
    QStringList lines; // project, circuit, profile
};
SheetHeading sheetHeading(const QString& projectPath, const QString& circuitName,
                          const Profile& profile);
