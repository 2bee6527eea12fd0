#pragma once
// The report under construction: its lines, its column grid and the running
// per-band totals that every component row adds to. Shared by the report
// frame (print/report.cpp) and its component sections
// (print/reportsections.cpp).

#include "common/programvalues.h"
#include "terminal/terminalfields.h"

#include <QString>
#include <QStringList>
#include <array>

namespace miravel::print {

// Grid widths, in columns.
namespace ReportCell {
constexpr int Quantity = 4;
constexpr int Unit = 6;
constexpr int Amount = 10;
constexpr int Remarks = 14;
constexpr int Label = 20;
} // namespace ReportCell

// A right-aligned cell: the rightmost `width` columns of the text, padded
// with spaces on the left.
QString rightCell(const QString& text, int width);
// A left-aligned cell: the leftmost `width` columns, padded on the right.
QString leftCell(const QString& text, int width);

// One table row. An empty text gives an empty (blank) cell.
struct ReportRow {
    QString label; // 24 columns: left border, the 20-column label and the rule after it
    QString quantity;
    std::array<QString, common::BandCount> unit;
    std::array<QString, common::BandCount> amount;
    QString remarks;
};

class ReportSheet {
public:
    explicit ReportSheet(int margin) : m_margin(margin, u' ') {}

    void line(const QString& body) { m_lines.append(m_margin + body); }
    void row(const ReportRow& row);
    void separator();
    void emptyRow();

    // Adds a row's amount to its band's total; an overflow raises
    // RunTimeError(Overflow).
    void addLoss(int band, double amount);

    common::BandValues& totalLoss() { return m_totalLoss; }
    const QStringList& lines() const { return m_lines; }

private:
    QString m_margin;
    QStringList m_lines;
    common::BandValues m_totalLoss{};
};

// The component sections, in the order the report prints them. Each prints
// one row (and a separator line) for every kind of component present.
void Prt_Bunki(ReportSheet& sheet, const terminal::TerminalFields& fields);  // branchers
void Prt_Bunpai(ReportSheet& sheet, const terminal::TerminalFields& fields); // distributors
void Prt_Yunit(ReportSheet& sheet,
               const terminal::TerminalFields& fields); // series units or outlet
void Prt_Douziyuku(ReportSheet& sheet, const terminal::TerminalFields& fields); // coax runs

} // namespace miravel::print
