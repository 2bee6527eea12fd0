#pragma once
// --print-pdf: the data report of a project file into a PDF file, as
// 印刷（データ） prints it, without showing a screen. Needs a QApplication
// (the report is laid out and painted by the terminal-level screen).

#include "cli/batchresult.h"

#include <QString>

namespace miravel::app {

class ScreenSet;

// Loads the file as 読み込み does, runs the calculation and prints the report
// to `pdfFile`. Every message a dialog would show goes to standard error; a
// refused file, a stopped calculation or a failed print gives ExitRefused.
// Refused before anything is read: a network file, an output that is the
// project itself (same device and inode) or that cannot be written.
cli::BatchResult printPdfCommand(ScreenSet& screens, const QString& pdfFile,
                                 const QString& projectFile);

} // namespace miravel::app
