#include "app/startup.h"

#include "app/appinit.h"
#include "app/batchprint.h"
#include "app/desktopwindows.h"
#include "app/menu.h"
#include "app/platform.h"
#include "app/screens.h"
#include "catalog/catalog.h"
#include "cli/commandline.h"
#include "cli/levelscommand.h"
#include "common/version.h"
#include "project/projectcommands.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

void write(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int finish(const BatchResult& result) {
    write(stdout, result.out);
    write(stderr, result.err);
    return result.status;
}

// The batch uses need no display: screens they create stay hidden, on the
// offscreen platform unless a platform was chosen explicitly.
int runPrintPdf(int argc, char* argv[], const CommandLine& line) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initApplication(app);
    loadCatalogue();
    return finish(printPdfCommand(line.pdfFile, line.files.first()));
}

int runWindow(int argc, char* argv[], const CommandLine& line) {
    QApplication app(argc, argv);
    initApplication(app);
    if (!beginDesktopSession(app, line.files, openFilesAtStart)) return ExitOk; // handed over
    Menu* menu = Screens::menu();
    Screens::show(menu);
    openFilesAtStart(menu, line.files);
    return app.exec();
}

} // namespace

int runProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = parseCommandLine(arguments);
    switch (line.mode) {
    case CommandLine::Mode::Help:
        return finish({ExitOk, helpText(), QString()});
    case CommandLine::Mode::Version:
        return finish({ExitOk, versionText(), QString()});
    case CommandLine::Mode::UsageError:
        return finish({ExitUsage, QString(), usageErrorText(line.message)});
    case CommandLine::Mode::Levels: {
        QCoreApplication app(argc, argv);
        // The same settings (criteria, noise figures) as the screens.
        app.setApplicationName(programTitle());
        loadCatalogue();
        return finish(levelsCommand(line.files.first(), line.format));
    }
    case CommandLine::Mode::PrintPdf:
        return runPrintPdf(argc, argv, line);
    case CommandLine::Mode::Window:
        break;
    }
    return runWindow(argc, argv, line);
}

void openFilesAtStart(QWidget* menu, const QStringList& files) {
    if (files.isEmpty()) return;
    loadProjectFile(menu, files.first());
    if (files.size() == 1) return;
    QStringList others;
    for (int i = 1; i < files.size(); ++i)
        others.append(QDir::toNativeSeparators(files[i]));
    Platform::message(menu,
                      QStringLiteral("データファイルは一度に一つしか開けません。") + QChar(13) +
                          QStringLiteral("次のファイルは開きませんでした。") + QChar(13) +
                          others.join(QChar(13)),
                      programTitle(), QMessageBox::Warning);
}
