#pragma once
// The outlet table as CSV text (UTF-8 with a byte order mark, CR LF): one
// row per outlet with its name, room, floor, the level and verdict per band
// (the left band too), the C/N and its verdict per band ("" where not
// reckoned), and the overall verdict.

#include "network/propagation.h"

#include <QByteArray>

namespace miravel::network {

QByteArray outletTableCsv(const Network& network, const NetworkResult& result);

} // namespace miravel::network
