#pragma once

class QWidget;

namespace miravel::catalog {
class Tv_Mt;
} // namespace miravel::catalog

namespace miravel::fieldstrength {
class Denkai;
} // namespace miravel::fieldstrength

namespace miravel::terminal {
class tanmatu;
} // namespace miravel::terminal

namespace miravel::app {

// Screen lifetime. Menu, Denkai, tanmatu and Tv_Mt each exist at most once.
// A screen is created (and its load run) when it is first shown or first
// used; the project commands create screens without showing them. Closing a
// screen destroys it with its field values; the next use loads it afresh.

class Menu;

namespace Screens {

// The screen, created invisibly when it does not exist yet. The menu's two
// live in menu.cpp, beside the menu.
Menu* menu();
fieldstrength::Denkai* denkai();
terminal::tanmatu* terminal();
catalog::Tv_Mt* board();

// The screen when it exists, else nullptr; creates nothing.
Menu* existingMenu();
fieldstrength::Denkai* existingDenkai();
terminal::tanmatu* existingTerminal();
catalog::Tv_Mt* existingBoard();

// What every screen gets when it is created: it is destroyed on close, takes
// the standard shortcuts and remembers its place.
void prepare(QWidget* screen);

// Closes the field-strength screen, the terminal-level screen, the board and
// the building network, in this order, those that exist (the start menu's Exit).
void closeWorkScreens();

// Creates the screen if needed, shows it modelessly and brings it forward.
void show(QWidget* screen);
void showDenkai();
void showTerminal();
void showBoard();

} // namespace Screens

} // namespace miravel::app
