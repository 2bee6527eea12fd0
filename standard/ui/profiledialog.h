#pragma once
// 判定基準の設定: view and edit the four profiles' ranges and C/N minima,
// or put back the standard's values. Stored in the program's settings when
// the user presses ＯＫ and every entry is valid.

#include "standard/criteria.h"

#include <QDialog>
#include <array>

// The form comes with the widget; tests find its controls by objectName.
#include "ui_profiledialog.h"
#include <memory>

class QLineEdit;

namespace miravel::standard {

class ProfileDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProfileDialog(QWidget* parent = nullptr);
    ~ProfileDialog() override;

    // The profiles as edited so far (the shown one as last accepted).
    const ProfileSet& profiles() const { return m_profiles; }

    // ＯＫ: checks and stores; stays open with a message on a bad entry.
    void OkButton_Click();
    // 標準に戻す: every profile back to the standard's values (stored on ＯＫ).
    void ResetButton_Click();

private:
    std::unique_ptr<Ui::ProfileDialog> ui;
    void showProfile(int index);
    bool takeShownProfile();
    void profilePicked(int index);
    std::array<QLineEdit*, 3> rowFields(int band) const;

    ProfileSet m_profiles;
    int m_shown = 0;
};

} // namespace miravel::standard
