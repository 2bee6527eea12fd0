#pragma once
// The coax line control: the user picks a coax type from the catalogue and
// sees its loss per 100 m in each band, while the program-wide Kbl_Loss keeps
// the same losses per metre for the field-strength calculation. It has no
// length of its own; the host screen holds that.

// The form comes with the control; tests find its controls by objectName.
#include "ui_d_kbl.h"

#include <QWidget>
#include <memory>

namespace miravel::project {
class RecordReader;
class RecordWriter;
} // namespace miravel::project

namespace miravel::coax {

class D_Kbl : public QWidget {
    Q_OBJECT
public:
    explicit D_Kbl(QWidget* parent = nullptr);
    ~D_Kbl() override;

    // A type picked from the list: its four catalogue losses and Kbl_Loss.
    void Combo1_Click();
    // Empties the type and the four losses; Kbl_Loss stays.
    void d_cls();
    // Five records: the type, then the VHF, UHF, BS and CS losses per 100 m.
    void d_sav(project::RecordWriter& out) const;
    // Reads the five records back; each loss also sets its band of Kbl_Loss.
    void D_Load(project::RecordReader& in);

private:
    std::unique_ptr<Ui::D_Kbl> ui;
    void UserControl_Initialize();
};

} // namespace miravel::coax
