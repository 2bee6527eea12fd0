#pragma once
// Set-up that every run needs before the first screen: Japanese texts in
// Qt's own dialogs and a real Mincho font for the report.

class QApplication;

namespace miravel::app {

void initApplication(QApplication& app);

} // namespace miravel::app
