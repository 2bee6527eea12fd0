#pragma once
// The colours of verdicts on the screen and on paper: green passes, red
// fails, grey has no standard. The text always says the verdict as well.

#include "network/propagation.h"

#include <QColor>

namespace miravel::network {

QColor passColour();
QColor failColour();
QColor neutralColour();
QColor verdictColour(OutletVerdict verdict);
// The background of the worst outlet of a band in the outlet table.
QColor worstBackground();

} // namespace miravel::network
