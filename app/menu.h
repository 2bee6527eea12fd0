#pragma once
// The start menu: loads the catalogue and the printer defaults, offers the
// four jobs and carries the project-file commands.

#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace miravel::app {

class Menu : public QMainWindow {
    Q_OBJECT
public:
    explicit Menu(QWidget* parent = nullptr);

    void Command1_Click(); // スタート
    void Command2_Click(); // 終　了

    // Refills 最近使ったファイル from the remembered list, dropping the files
    // that no longer exist. Runs each time the list opens.
    void fillRecentMenu();

private:
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
