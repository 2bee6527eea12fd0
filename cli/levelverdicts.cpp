#include "cli/levelverdicts.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "standard/judgement.h"
#include "standard/verdictsheet.h"

using namespace miravel::common;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::cli {

void addVerdictColumns(LevelTable& table, const ProjectLevels& levels, const Profile& profile,
                       const BandValues& noiseFigures) {
    QStringList verdict, windowMin, windowMax, cn, cnVerdict;
    for (int b = 0; b < BandCount; ++b) {
        const BandCriterion& criterion = profile.bands[size_t(b)];
        const double output = NumVal(levels.terminal[TerminalField::BoosterLevel[b]]);
        const double loss = levels.calculation.Total_Loss[size_t(b)];
        verdict.append(verdictText(judgeLevel(output - loss, criterion.level)));
        const auto window = boosterWindow(loss, criterion.level);
        windowMin.append(window ? Fmt2(window->min) : QString());
        windowMax.append(window ? Fmt2(window->max) : QString());
        // A file whose booster input is empty has no C/N, as on the screens.
        std::optional<double> input;
        if (!levels.boosterInput[size_t(b)].trimmed().isEmpty())
            input = levels.boosterInputValue[size_t(b)];
        const CnRow row =
            cnRow(b, profile.id.system, input, noiseFigures[size_t(b)], criterion.minCn);
        cn.append(cnText(row));
        cnVerdict.append(cnVerdictText(row));
    }
    table.addColumn({QStringLiteral("verdict"), QStringLiteral("判定"), false}, verdict);
    table.addColumn({QStringLiteral("window_min"), QStringLiteral("必要出力下限(dB)"), true},
                    windowMin);
    table.addColumn({QStringLiteral("window_max"), QStringLiteral("必要出力上限(dB)"), true},
                    windowMax);
    table.addColumn({QStringLiteral("cn"), QStringLiteral("C/N(dB)"), true}, cn);
    table.addColumn({QStringLiteral("cn_verdict"), QStringLiteral("C/N判定"), false}, cnVerdict);
}

} // namespace miravel::cli
