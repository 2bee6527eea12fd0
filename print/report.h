#pragma once
// The terminal-level report as plain text lines: a ruled table of the
// distribution path (booster output, every component with its count or
// length and its loss per unit and in total for each band, the total loss and
// the terminal level per band) and a footer with the project file name.
//
// The lines are laid out in columns (see print/len.h) for a fixed-pitch
// printer font; every table line is the margin followed by 126 columns.

#include "common/programvalues.h"
#include "terminal/terminalfields.h"

#include <QString>
#include <QStringList>

namespace miravel::print {

constexpr int ReportMargin = 10;        // the margin of every report line, in columns
constexpr int ReportTableWidth = 126;   // columns of a table line after the margin
constexpr int ReportFooterIndent = 110; // the file name starts under the remarks cells

struct Report {
    QStringList lines;
    // The report's running totals end as the terminal level of each band
    // (booster output minus total loss); the screen keeps them in Total_Loss.
    common::BandValues totalLoss{};
};

// The whole report for the screen's fields and the current project file
// (DataName). The margin is Prt_Indent, which a report sets to ReportMargin
// once a font size fits. Counts, lengths and levels are read with NumVal; a
// number beyond the range of a double raises RunTimeError(Overflow), as does an
// amount or total that overflows.
// Without a project file the footer line is blank (margin and indent only).
Report terminalReport(const terminal::TerminalFields& fields, const QString& dataName,
                      int margin = ReportMargin);

// The message when terminalReport() cannot be built: a number in the fields,
// or a sum of them, beyond what the report can print.
QString reportTooLargeText();

// The project file name as the footer shows it: up to ten leading folders
// removed, the path taken apart at "\" and at "/"; deeper folders stay.
QString footerFileName(const QString& dataName);

// How many report lines a page `pageHeight` high holds at the line pitch
// `lineHeight`: every line that fits whole, and at least one.
int linesPerPage(double pageHeight, double lineHeight);

} // namespace miravel::print
