#pragma once
// What a batch use (--levels, --print-pdf) prints and the status it ends with.

#include <QString>
#include <functional>

namespace miravel::cli {

struct BatchResult {
    int status = 0;
    QString out; // standard output

    QString wholeOut() const; // `out` and what is streamed, as one text
    QString err;              // standard error: refusals and warnings, as the dialogs say them
    // A long output, written piece by piece to the sink after `out`.
    std::function<void(const std::function<void(const QString&)>& sink)> streamOut = nullptr;
};

// A dialog text for a terminal: its carriage returns become line breaks.
QString terminalMessage(const QString& dialogText);

} // namespace miravel::cli
