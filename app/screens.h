#pragma once
// Screen lifetime. Menu, Denkai, tanmatu and Tv_Mt each exist at most once.
// A screen is created (and its load run) when it is first shown or first
// used; the project commands create screens without showing them. Closing a
// screen destroys it with its field values; the next use loads it afresh.

class QWidget;
class Menu;
class Denkai;
class tanmatu;
class Tv_Mt;

namespace Screens {

// The screen, created invisibly when it does not exist yet. The menu's two
// live in menu.cpp, beside the menu.
Menu* menu();
Denkai* denkai();
tanmatu* terminal();
Tv_Mt* board();

// The screen when it exists, else nullptr; creates nothing.
Menu* existingMenu();
Denkai* existingDenkai();
tanmatu* existingTerminal();
Tv_Mt* existingBoard();

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
