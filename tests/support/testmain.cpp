// One QApplication for every test program, on the offscreen platform, with
// the same set-up as the program, the catalogue loaded and the user settings
// in a temporary folder.

#include "app/appinit.h"
#include "catalog/catalog.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the program remembers (recent files, folders, window places) goes
    // to a folder of this run, never into the user's home.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settingsDir;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    initApplication(app);
    loadCatalogue();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
