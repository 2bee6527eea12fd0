#pragma once
// The field-strength screen: antennas, mixer and coax run from the mast down
// to the booster, and the level that reaches the booster input per band.

// The form comes with the screen; tests find its controls by objectName.
#include "ui_denkai.h"

#include "project/projectfields.h"

#include <QMainWindow>
#include <memory>

namespace miravel::standard {
class CnPanel;
} // namespace miravel::standard

namespace miravel::fieldstrength {

class Denkai : public QMainWindow, public project::ProjectFields {
    Q_OBJECT
public:
    explicit Denkai(QWidget* parent = nullptr);
    ~Denkai() override;

    void Combo1_Click();   // VHF antenna picked
    void Combo2_Click();   // UHF antenna picked
    void Combo3_Click();   // BS antenna picked
    void Combo4_Click();   // mixer picked
    void Command2_Click(); // 計　算
    void Command3_Click(); // 終　了

    // Start values of every field except the coax control, which has its own.
    void d_cls();

    // Records 1 to 29 of the project (denkai_project.cpp).
    void saveProjectFields(project::RecordWriter& out) override;
    void loadProjectFields(project::RecordReader& in) override;
    void clearProjectFields() override;
    void setProjectCaption(const QString& caption) override;

private:
    // The form: every named control, the coax control as ui->UserControl11
    // and the menu items (ui->Prt and ui->Prt_set are wired by the printing).
    std::unique_ptr<Ui::Denkai> ui;
    // The booster's C/N beside the results, updated by 計　算 and by a
    // project load or new.
    standard::CnPanel* cn = nullptr;

    void Form_Load();
    void connectMenu();
};

} // namespace miravel::fieldstrength
