#pragma once
// Which files a print may write its PDF into. Checked before anything is
// opened: opening a named pipe for writing waits for a reader, which would
// freeze the program.

#include <QString>

namespace miravel::print {

// True for an existing regular file (links followed) and for a new name in
// an existing folder; false for folders, named pipes, devices and sockets.
bool isPdfTargetAllowed(const QString& path);

// The message refusing `path` as the PDF file.
QString pdfTargetRefusedText(const QString& path);

} // namespace miravel::print
