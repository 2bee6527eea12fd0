#pragma once
// --levels: the levels of a project file on standard output, the same numbers
// the screens show once the file is loaded and the terminal level calculated.

#include "cli/batchresult.h"
#include "cli/leveltable.h"
#include "project/projectlevels.h"
#include "standard/profilestore.h"

#include <QString>

namespace miravel::cli {

// One row per band: band, booster input, and booster output, loss and
// terminal level of the calculation's result line.
LevelTable projectLevelTable(const QString& file, const project::ProjectLevels& levels);

// Reads and checks the file as 読み込み does; a refused file or a calculation
// stopped by a run-time error gives ExitRefused and its message. Judged by
// `judging`, as the screens judge.
BatchResult levelsCommand(const QString& file, OutputFormat format,
                          const standard::JudgingSettings& judging);

} // namespace miravel::cli
