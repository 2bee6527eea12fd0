#pragma once
// The outlet table as CSV text (UTF-8 with a byte order mark, CR LF): one
// row per outlet with its name, room, floor, the level and verdict per band,
// and the overall verdict.

#include "network/propagation.h"

#include <QByteArray>

// A level as the table shows it: "62.35", or "非対応" when not rated.
QString outletLevelText(const BandJudgement& judgement);

QByteArray outletTableCsv(const NetworkResult& result);
