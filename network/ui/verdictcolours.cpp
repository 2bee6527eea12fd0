#include "network/ui/verdictcolours.h"

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

QColor passColour() {
    return QColor(0, 128, 0);
}

QColor failColour() {
    return QColor(200, 0, 0);
}

QColor neutralColour() {
    return QColor(96, 96, 96);
}

QColor verdictColour(OutletVerdict verdict) {
    switch (verdict) {
    case OutletVerdict::Pass:
        return passColour();
    case OutletVerdict::NoStandard:
    case OutletVerdict::NotRatedNoStandard:
        return neutralColour();
    case OutletVerdict::Low:
    case OutletVerdict::High:
    case OutletVerdict::NotRated:
        break;
    }
    return failColour();
}

QColor worstBackground() {
    return QColor(255, 224, 160);
}

} // namespace miravel::network
