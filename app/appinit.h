#pragma once
// Set-up that every run needs before the first screen: Japanese texts in
// Qt's own dialogs and a real Mincho font for the report.

class QApplication;

void initApplication(QApplication& app);
