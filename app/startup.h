#pragma once
// What main does: reads the command line, then either runs a batch use that
// shows no window or opens the start menu with the files given.

#include <QStringList>

class QWidget;

namespace miravel::app {

int runProgram(int argc, char* argv[]);

// The file arguments of a window start, loaded as 読み込み loads a file. One
// project is open at a time: the first file is loaded, and any further file
// is named in a message and not opened.
void openFilesAtStart(QWidget* menu, const QStringList& files);

} // namespace miravel::app
