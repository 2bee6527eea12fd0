// One QApplication for every test program, on the offscreen platform, with
// the same set-up as the program and the catalogue loaded.

#include "app/appinit.h"
#include "catalog/catalog.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace miravel::app;
using namespace miravel::catalog;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    setAppScreens(initApplication(app));
    // Settings written by the screens go to a folder that dies with the run.
    QTemporaryDir settingsDir;
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());
    // So do the desktop's recently used documents (~/.local/share).
    QTemporaryDir dataDir;
    qputenv("XDG_DATA_HOME", dataDir.path().toLocal8Bit());
    loadCatalogue();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
