#pragma once
// How the calculation screens open the board (参照) without knowing it:
// app/ sets the opener at start.

#include <functional>

namespace miravel::catalog {

namespace BoardEntry {

void setOpener(std::function<void()> open);
// Shows the board; does nothing before an opener is set.
void open();

} // namespace BoardEntry

} // namespace miravel::catalog
