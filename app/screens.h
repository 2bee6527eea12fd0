#pragma once
// Screen lifetime. Menu, Denkai, tanmatu and Tv_Mt each exist at most once
// per ScreenSet; start-up creates the one set and hands it to what needs it.
// A screen is created (and its load run) when it is first shown or first
// used; the project commands create screens without showing them. Closing a
// screen destroys it with its field values; the next use loads it afresh.

#include <QObject>
#include <QPointer>

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

class Menu;

class ScreenSet : public QObject {
public:
    explicit ScreenSet(QObject* parent = nullptr);

    // Hands the screens their links to one another (and the project commands
    // theirs to the screens), all through this set.
    void wireLinks();

    // The screen, created invisibly when it does not exist yet.
    Menu* menu();
    fieldstrength::Denkai* denkai();
    terminal::tanmatu* terminal();
    catalog::Tv_Mt* board();

    // The screen when it exists, else nullptr; creates nothing.
    Menu* existingMenu() const;
    fieldstrength::Denkai* existingDenkai() const;
    terminal::tanmatu* existingTerminal() const;
    catalog::Tv_Mt* existingBoard() const;

    // What every screen gets when it is created: it is destroyed on close,
    // takes the standard shortcuts and remembers its place.
    static void prepare(QWidget* screen);

    // Closes the field-strength screen, the terminal-level screen, the board
    // and the building network, in this order, those that exist (the start
    // menu's Exit).
    void closeWorkScreens();

    // Shows a screen modelessly and brings it forward.
    static void show(QWidget* screen);
    // Creates the screen if needed and shows it.
    void showDenkai();
    void showTerminal();
    void showBoard();

private:
    QPointer<Menu> m_menu;
    QPointer<fieldstrength::Denkai> m_denkai;
    QPointer<terminal::tanmatu> m_terminal;
    QPointer<catalog::Tv_Mt> m_board;
};

} // namespace miravel::app
