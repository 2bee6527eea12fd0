#pragma once
// Beside the terminal-level results: per band the verdict against the chosen
// profile and the booster output that would make the outlet pass, with the
// profile choice (remembered in the program's settings).

#include "standard/criteria.h"

#include <QGroupBox>
#include <QString>
#include <array>

// The form comes with the widget; tests find its controls by objectName.
#include "ui_verdictpanel.h"
#include <memory>

class QLabel;

namespace miravel::standard {

class VerdictPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit VerdictPanel(QWidget* parent = nullptr);
    ~VerdictPanel() override;

    // Judges the four result lines (VHF, UHF, BS, CS); a line that is not a
    // result (empty, hand-made) leaves its band blank.
    void showResults(const std::array<QString, common::BandCount>& resultLines);
    // The chosen profile with the user's criteria.
    Profile profile() const { return m_profile; }
    // Verdicts in black for an image of the screen on paper, or in their
    // colours again.
    void setForPrinting(bool forPrinting);
    // Re-reads the profile choice and the criteria from the settings.
    void reloadProfiles();

signals:
    void profileChanged();

private:
    std::unique_ptr<Ui::VerdictPanel> ui;
    void choiceChanged();
    void judge();
    std::array<QLabel*, common::BandCount> verdictLabels() const;
    std::array<QLabel*, common::BandCount> windowLabels() const;

    Profile m_profile;
    bool m_forPrinting = false;
    std::array<QString, common::BandCount> m_lines;
};

} // namespace miravel::standard
