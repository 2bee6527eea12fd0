#pragma once
// --design: the automatic choice of parts for a network file, written to
// another file; the input is never changed.

#include "cli/batchresult.h"
#include "standard/criteria.h"

#include <QString>

namespace miravel::cli {

// Reads `in` as the network screen does, chooses the parts and head end for
// `profile` and writes the result to `out` through the one safe-write
// routine. Prints the changes; ExitOk when every outlet passes, ExitFailing
// (the design written all the same) when some cannot, ExitRefused when `in`
// is refused, `out` is `in` itself or cannot be written.
BatchResult designCommand(const QString& in, const QString& out, const standard::Profile& profile);

} // namespace miravel::cli
