#pragma once
// The verdict columns of --levels: per band the terminal level judged against
// the chosen profile, the booster output window, and the booster's C/N with
// its verdict, as the screens show them.

#include "cli/leveltable.h"
#include "project/projectlevels.h"
#include "standard/criteria.h"

namespace miravel::cli {

void addVerdictColumns(LevelTable& table, const project::ProjectLevels& levels,
                       const standard::Profile& profile, const common::BandValues& noiseFigures);

} // namespace miravel::cli
