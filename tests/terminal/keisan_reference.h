#pragma once
// The first version of the terminal calculation, for the equivalence test.

#include "terminal/keisan.h"

KeisanResult referenceKeisan(const TerminalFields& fields);
