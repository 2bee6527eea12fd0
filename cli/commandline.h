#pragma once
// The program's command line: open files in the window, or one of the batch
// uses that show no window (--levels, --parts, --print-pdf, --design).

#include "cli/leveltable.h"

#include <QString>
#include <QStringList>

namespace miravel::cli {

// Exit statuses of the batch uses.
// ExitFailing: a network with an outlet outside its criteria (--levels).
enum ExitStatus { ExitOk = 0, ExitRefused = 1, ExitUsage = 2, ExitFailing = 3 };

struct CommandLine {
    enum class Mode { Window, Levels, Parts, PrintPdf, Design, Help, Version, UsageError };
    Mode mode = Mode::Window;
    OutputFormat format = OutputFormat::Text;
    QString pdfFile;    // --print-pdf
    QString outputFile; // --design ... --output
    QStringList files;  // the file arguments, in order
    QString message;    // what a usage error says
};

// Reads the arguments (the first is the program itself), those that Qt's
// application object left: its own (-style, -session, ...) are gone. A usage error is
// returned as Mode::UsageError with its Japanese message, never thrown.
CommandLine parseCommandLine(const QStringList& arguments);

QString helpText();
QString versionText(); // "Miravel 2.0"
// The usage error message followed by where to find help.
QString usageErrorText(const QString& message);
// Settings files that are not regular files were set aside for this run.
QString settingsIgnoredText(const QStringList& files);
// Standard output could not be written (the errno value `error`).
QString outputFailedText(int error);

} // namespace miravel::cli
