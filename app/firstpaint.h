#pragma once
// Work that the start menu's first paint does not need waits until just after
// it. Start-up is measured to that paint: with the environment variable
// MIRAVEL_QUIT_AFTER_FIRST_PAINT set, the program ends right after it
// (scripts/floors.sh).

#include <functional>

class QWidget;

namespace miravel::app {

// Runs `work` once, right after the window's first paint.
void afterFirstPaint(QWidget* window, std::function<void()> work);

// Ends the program right after the window's first paint when the variable
// is set, before any work that waits for that paint; does nothing otherwise.
void endAfterFirstPaintWhenAsked(QWidget* window);

} // namespace miravel::app
