#include "cli/levelscommand.h"

#include "cli/commandline.h"
#include "cli/levelverdicts.h"
#include "cli/networklevels.h"
#include "common/errors.h"
#include "common/numval.h"
#include "project/recordcheck.h"
#include "project/tvdfile.h"
#include "standard/criteria.h"

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::cli {

LevelTable projectLevelTable(const QString& file, const ProjectLevels& levels) {
    LevelTable table;
    table.source = file;
    QStringList bands, input, output, loss, terminal;
    for (int b = 0; b < BandCount; ++b) {
        const double level = NumVal(levels.terminal[TerminalField::BoosterLevel[b]]);
        const double total = levels.calculation.Total_Loss[size_t(b)];
        bands.append(bandName(b));
        input.append(levels.boosterInput[size_t(b)]);
        output.append(NumText(level));
        loss.append(NumText(total));
        terminal.append(NumText(level - total));
    }
    table.addColumn({QStringLiteral("band"), QStringLiteral("帯域"), false}, bands);
    table.addColumn({QStringLiteral("booster_input"), QStringLiteral("ブースター入力(dB)"), true},
                    input);
    table.addColumn({QStringLiteral("booster_output"), QStringLiteral("ブースター出力(dB)"), true},
                    output);
    table.addColumn({QStringLiteral("loss"), QStringLiteral("損失(dB)"), true}, loss);
    table.addColumn({QStringLiteral("terminal_level"), QStringLiteral("端末レベル(dB)"), true},
                    terminal);
    return table;
}

BatchResult levelsCommand(const QString& file, OutputFormat format,
                          const JudgingSettings& judging) {
    if (isNetworkFile(file)) return networkLevelsCommand(file, format, judging.profile);
    BatchResult result;
    ProjectLevels levels;
    try {
        const QStringList records = loadProjectRecords(file);
        checkProjectNumbers(records);
        levels = projectLevels(records);
    } catch (const UserError& error) {
        return {ExitRefused, QString(), terminalMessage(error.message()) + u'\n'};
    }
    const KeisanResult& calculation = levels.calculation;
    if (calculation.errorNumber != 0) {
        // The screen stops its calculation with the same message.
        result.status = ExitRefused;
        result.err = QStringLiteral("error%1\n").arg(calculation.errorNumber);
        return result;
    }
    if (calculation.coaxWarning) result.err = terminalMessage(coaxWarningText()) + u'\n';
    LevelTable table = projectLevelTable(file, levels);
    addVerdictColumns(table, levels, judging.profile, judging.noiseFigures);
    result.out = formatLevelTable(table, format);
    return result;
}

} // namespace miravel::cli
