#pragma once
// The outlet table as CSV text (UTF-8, CR LF): one row per outlet with its
// name, the level and verdict per band, and whether it fails.

#include "network/propagation.h"

#include <QByteArray>

QByteArray outletTableCsv(const NetworkResult& result);
