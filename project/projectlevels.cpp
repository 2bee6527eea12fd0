#include "project/projectlevels.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "project/recordlayout.h"

using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::project {

namespace {

const QString& record(const QStringList& records, int number) {
    return records.at(number - 1);
}

} // namespace

TerminalFields terminalFieldsOfRecords(const QStringList& records) {
    namespace R = ProjectRecord;
    TerminalFields f;
    int number = R::CountsAndLengthsFirst;
    for (int field : R::TerminalCountsAndLengths)
        f[field] = record(records, number++);
    f.combo3Text = record(records, R::SeriesUnitType);
    f.combo3Index = seriesUnitTypePosition(f.combo3Text);
    number = R::UnitsAndLevelsFirst;
    for (int field : R::TerminalUnitsAndLevels)
        f[field] = record(records, number++);
    f[TerminalField::CircuitName] = record(records, R::CircuitName);

    // The option switching on replaces the stored booster output levels.
    if (NumVal(record(records, R::AntennaDataOption)) != 0) {
        for (int b = 0; b < BandCount; ++b)
            f[TerminalField::BoosterLevel[b]] = Fmt2(NumVal(record(records, R::BoosterInput[b])));
    }
    return f;
}

ProjectLevels projectLevels(const QStringList& records) {
    ProjectLevels levels;
    for (int b = 0; b < BandCount; ++b) {
        const QString& stored = record(records, ProjectRecord::BoosterInput[b]);
        levels.boosterInput[size_t(b)] = Fmt2(stored);
        levels.boosterInputValue[size_t(b)] = NumVal(stored);
    }
    levels.terminal = terminalFieldsOfRecords(records);
    levels.calculation = Keisan(levels.terminal);
    return levels;
}

} // namespace miravel::project
