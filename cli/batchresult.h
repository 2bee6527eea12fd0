#pragma once
// What a batch use (--levels, --print-pdf) prints and the status it ends with.

#include <QString>

namespace miravel::cli {

struct BatchResult {
    int status = 0;
    QString out; // standard output
    QString err; // standard error: refusals and warnings, as the dialogs say them
};

// A dialog text for a terminal: its carriage returns become line breaks.
QString terminalMessage(const QString& dialogText);

} // namespace miravel::cli
