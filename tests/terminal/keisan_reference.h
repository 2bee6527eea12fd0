#pragma once
// The first version of the terminal calculation, for the equivalence test.

#include "terminal/keisan.h"

miravel::terminal::KeisanResult referenceKeisan(const miravel::terminal::TerminalFields& fields);
