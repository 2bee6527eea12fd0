#pragma once
// The terminal-level screen: one path from the booster output to a TV outlet
// (distributors, branchers, series units or outlet, coax lengths) and its
// loss and terminal level per band.

#include "common/programvalues.h"
#include "network/ui/terminallink.h"
#include "print/report.h"
#include "project/projectfields.h"
#include "standard/levelchart.h"
#include "standard/ui/verdictsheetprint.h"
#include "terminal/keisan.h"
#include "terminal/terminalfields.h"
// The form (Ui::tanmatu) comes with the screen; tests find its controls by
// objectName. Outside this folder include this header, not the generated one.
#include "ui_tanmatu.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

namespace miravel::standard {
class LevelChartWindow;
class VerdictPanel;
} // namespace miravel::standard

namespace miravel::terminal {

class tanmatu : public QMainWindow, public network::TerminalLink, public project::ProjectFields {
    Q_OBJECT
public:
    explicit tanmatu(QWidget* parent = nullptr);
    ~tanmatu() override;

    // Runs the level calculation on the screen's fields and shows its result
    // lines (and the error or coax warning, if any). False when a run-time
    // error stopped it.
    bool Keisan();
    // Empties every input, look-up and result field; leaves Check1, the
    // options and the two loss-row captions alone.
    void Cls_MT();
    // Sets the four booster levels from Check1: the field-strength levels, or
    // "105" when unchecked. Runs on every state change of Check1.
    void Check1_Click();
    // The plain texts the calculation and the report read.
    TerminalFields fields() const;
    // The screen colours of the coloured labels, or black (and white for the
    // credit line) for printing an image of the screen.
    void setLabelColours(bool forPrinting);
    // Prints the terminal-level report on the current printer in the printer
    // font, at the first size from Prt_FontSize up at which the ruled table
    // lines up. False when nothing was printed (no fitting size, no print
    // target, a report or printer failure; each shows its own message).
    bool Prt_Sub();
    // The building network's view of this screen (networklink.cpp).
    common::BandValues boosterLevels() override;
    void receivePath(const TerminalFields& path) override;
    // The project's records after the field-strength screen's; clearing
    // also unchecks Check1 and restores the two loss-row captions
    // (tanmatu_project.cpp).
    void saveProjectFields(project::RecordWriter& out) override;
    void loadProjectFields(project::RecordReader& in) override;
    void clearProjectFields() override;
    void setProjectCaption(const QString& caption) override;

    // Partial sums of the last calculation (dB), 0 before the first one. The
    // report reuses Total_Loss for its own totals.
    common::BandValues Bunpai_Loss{};
    common::BandValues Bunki_Loss{};
    common::BandValues Yunit_Pass{};
    common::BandValues Yunit_End{};
    common::BandValues Yunit_Loss{};
    std::array<common::BandValues, 7> Douziyuku_Loss{};
    common::BandValues Douziyuku_Total{};
    common::BandValues Total_Loss{};

    // The level chart once opened (tanmatu_standard.cpp).
    QPointer<standard::LevelChartWindow> chart;
    // The chart's data: the result lines shown, as the verdicts judge them.
    std::array<standard::ChartBandInput, common::BandCount> chartData() const;
    QString chartHeading() const;
    // What the verdict sheet prints.
    standard::VerdictSheet verdictSheet() const;
    // The four result lines as shown.
    std::array<QString, common::BandCount> resultLines() const;

private:
    std::unique_ptr<Ui::tanmatu> ui;
    // The verdicts beside the results (tanmatu_standard.cpp).
    standard::VerdictPanel* verdicts = nullptr;
    void Form_Load();
    void connectHandlers();
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void Option1_Click();
    void Option2_Click();
    void Combo3_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void New_cls_Click();
    void countField_Click(QLineEdit* field);
    // Verdicts, criteria, level chart and verdict sheet (tanmatu_standard.cpp).
    void connectStandard();
    void refreshVerdicts();
    void refreshChart();
    void Hantei_Set_Click();
    void Level_Chart_Click();
    void Prt_Hantei_Click();
    void Prt_Hantei_Preview_Click();
    // Printing (tanmatu_print.cpp).
    void connectPrintCommands();
    void Prtdata_Insatu_Click();
    void Prt_Click();
    void Prt_Preview_Click();
    bool fitReportFont();
    std::optional<print::Report> buildReport();
    void watchCountFields();
    void addNetworkMenu();
    QLineEdit* text(int n) const { return m_text.at(size_t(n)); }
    std::array<QLabel*, common::BandCount> resultLabels() const;

    std::array<QLineEdit*, 44> m_text{}; // Text1..Text43 by number
    KeisanResult lastCalculation;        // the one that wrote the result lines, if any
    std::array<QLineEdit*, 15> m_countFields{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace miravel::terminal
