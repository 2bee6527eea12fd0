#pragma once
// The start menu: sets the printer defaults, offers the
// four jobs and carries the project-file commands.

#include <QMainWindow>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace miravel::app {

// What the start menu's jobs open and its 終　了 closes; start-up hands it.
struct MenuJobs {
    std::function<void()> showDenkai;
    std::function<void()> showTerminal;
    std::function<void()> showBoard;
    std::function<void()> closeWorkScreens;
};

class Menu : public QMainWindow {
    Q_OBJECT
public:
    explicit Menu(MenuJobs jobs, QWidget* parent = nullptr);

    void Command1_Click(); // スタート
    void Command2_Click(); // 終　了

    // Refills 最近使ったファイル from the remembered list, dropping the files
    // that no longer exist. Runs each time the list opens.
    void fillRecentMenu();

private:
    MenuJobs jobs;
    // The controls; tests find them by their objectNames (the same names).
    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QRadioButton* Option4; // the building network
    QPushButton* Command1;
    QPushButton* Command2;
    QAction* al_cls;
    QAction* D_Load;
    QAction* D_save;
    QAction* Hp_Link;
    // 最近使ったファイル: the last projects loaded or saved, loaded on a click.
    QMenu* Recent_m;

    void Form_Load();
    void buildScreen();
};

} // namespace miravel::app
