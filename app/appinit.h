#pragma once
// Set-up that every run needs before the first screen: Japanese texts in
// Qt's own dialogs and a real Mincho font for the report.

class QApplication;

namespace miravel::app {

class ScreenSet;

// Returns the program's one set of screens, owned by `app`, its links handed.
ScreenSet& initApplication(QApplication& app);

} // namespace miravel::app
