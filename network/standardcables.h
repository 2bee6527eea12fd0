#pragma once
// Cable types the program knows besides the catalogue's rows: the 4K8K-rated
// foamed coax of JCS 5423:2017 at its maximum attenuation, 90–3224 MHz.

#include "network/networktypes.h"

#include <vector>

namespace miravel::network {

// ECO-S-4C-FB, ECO-S-5C-FB, ECO-S-7C-FB.
const std::vector<CableType>& standardCableTypes();
const CableType* standardCableType(const QString& name);
// Where their figures come from, as the definitions show it.
QString standardCableSource();

} // namespace miravel::network
