#include "app/startup.h"

#include "app/appinit.h"
#include "app/batchprint.h"
#include "app/desktopwindows.h"
#include "app/firstpaint.h"
#include "app/menu.h"
#include "app/screens.h"
#include "catalog/catalog.h"
#include "cli/commandline.h"
#include "cli/designcommand.h"
#include "cli/levelscommand.h"
#include "cli/networklevels.h"
#include "cli/partscommand.h"
#include "common/usersettings.h"
#include "common/version.h"
#include "network/partslibrary.h"
#include "network/ui/networkentry.h"
#include "platform/platform.h"
#include "project/ui/projectcommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTranslator>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

using namespace miravel::catalog;
using namespace miravel::cli;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::app {

using namespace miravel::cli;

namespace {

// UTF-8 as QString::toUtf8 writes it (an unpaired surrogate as "?"), into
// room for three bytes per character.
char* writeUtf8(char* out, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t c = text[i].unicode();
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            const char32_t u = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
            *out++ = char(0xF0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3F));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            *out++ = '?';
        } else {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool write(FILE* stream, const QString& text) {
    // Kept between the pieces of a long output, for the same reason as the
    // level table's own buffer: one large allocation, not one per piece.
    static QByteArray bytes;
    bytes.resize(3 * text.size());
    const size_t size = size_t(writeUtf8(bytes.data(), text) - bytes.data());
    return std::fwrite(bytes.constData(), 1, size, stream) == size;
}

// Standard output is checked to its close: a full disk or a closed pipe is a
// failure, not a silent success.
int finish(const BatchResult& result) {
    int outputError = 0;
    const auto check = [&outputError](bool ok) {
        if (!ok && outputError == 0) outputError = errno != 0 ? errno : EIO;
    };
    errno = 0;
    check(write(stdout, result.out));
    if (result.streamOut)
        result.streamOut([&](const QString& piece) { check(write(stdout, piece)); });
    check(std::fflush(stdout) == 0);
    check(std::fclose(stdout) == 0);
    write(stderr, result.err);
    if (outputError != 0) write(stderr, outputFailedText(outputError) + u'\n');
    std::fflush(stderr);
    return outputError != 0 ? int(ExitRefused) : result.status;
}

// Qt's own options (taken by the application object), with and without a value.
bool isQtOption(const QString& name, bool* takesValue) {
    static const QStringList withValue = {
        "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
        "display",     "geometry",           "title",         "name",   "visual",
        "fontengine"};
    static const QStringList flags = {"reverse", "widgetcount", "nograb",       "dograb",
                                      "sync",    "testability", "qmljsdebugger"};
    *takesValue = withValue.contains(name);
    return *takesValue || flags.contains(name);
}

// True when the arguments are files and Qt's own options only: the window.
// Anything else (a command for scripts, help, a usage error) needs no display.
bool wantsWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--")) return true;
        if (argument.isEmpty()) return false; // a usage error
        if (!argument.startsWith(u'-') || argument == QLatin1String("-")) continue;
        QString name = argument.section(u'=', 0, 0);
        while (name.startsWith(u'-'))
            name.remove(0, 1);
        bool takesValue = false;
        if (!isQtOption(name, &takesValue)) return false;
        if (takesValue && !argument.contains(u'=')) ++i;
    }
    return true;
}

// The arguments without a platform choice: the commands for scripts always
// run on the offscreen platform, so that no display is ever needed.
std::vector<char*> withoutPlatformChoice(int argc, char* argv[]) {
    std::vector<char*> kept;
    for (int i = 0; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (i > 0 && (argument == "-platform" || argument == "--platform")) {
            ++i;
            continue;
        }
        kept.push_back(argv[i]);
    }
    kept.push_back(nullptr);
    return kept;
}

// The command line's texts in English where the locale is not Japanese.
void installCommandLineTranslation(QCoreApplication& app) {
    if (QLocale().language() == QLocale::Japanese) return;
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/miravel_en.qm"))) app.installTranslator(translator);
}

int runCommand(ScreenSet& screens, const CommandLine& line, const QStringList& unusableSettings) {
    QString warning;
    if (!unusableSettings.isEmpty()) warning = settingsIgnoredText(unusableSettings) + u'\n';
    switch (line.mode) {
    case CommandLine::Mode::Help:
        return finish({ExitOk, helpText(), warning});
    case CommandLine::Mode::Version:
        return finish({ExitOk, versionText(), warning});
    case CommandLine::Mode::UsageError:
        return finish({ExitUsage, QString(), warning + usageErrorText(line.message)});
    default:
        break;
    }
    loadCatalogue();
    // Read once here: the commands judge by what the screens last used.
    const JudgingSettings judging = loadJudgingSettings();
    BatchResult result = line.mode == CommandLine::Mode::Levels
                             ? levelsCommand(line.files.first(), line.format, judging)
                         : line.mode == CommandLine::Mode::Parts
                             ? partsCommand(line.files.first(), line.format, libraryPriceTable())
                         : line.mode == CommandLine::Mode::Design
                             ? designCommand(line.files.first(), line.outputFile, judging.profile)
                             : printPdfCommand(screens, line.pdfFile, line.files.first());
    result.err.prepend(warning);
    return finish(result);
}

int runBatch(int argc, char* argv[], const QStringList& unusableSettings) {
    // Commands for scripts leave the screens' state (recent files, window
    // places) as it was.
    UserSettings::setRemembering(false);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a runtime folder (cron, su) Qt would name the one it picks on
    // standard error; a private folder for this run keeps it quiet.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    std::vector<char*> arguments = withoutPlatformChoice(argc, argv);
    int count = int(arguments.size()) - 1;
    QApplication app(count, arguments.data());
    ScreenSet& screens = initApplication(app);
    installCommandLineTranslation(app);
    CommandLine line = parseCommandLine(QApplication::arguments());
    if (line.mode == CommandLine::Mode::Window)
        line.mode = CommandLine::Mode::Help; // not reached: only options lead here
    return runCommand(screens, line, unusableSettings);
}

int runWindow(int argc, char* argv[], const QStringList& unusableSettings) {
    QApplication app(argc, argv);
    ScreenSet& screens = initApplication(app);
    const CommandLine line = parseCommandLine(QApplication::arguments());
    if (line.mode != CommandLine::Mode::Window) return runCommand(screens, line, unusableSettings);
    if (!beginDesktopSession(app, screens, line.files, openFilesAtStart))
        return ExitOk; // handed over
    Menu* menu = screens.menu();
    useThemeIcon(menu);
    endAfterFirstPaintWhenAsked(menu); // ends before the theme icon is looked up
    screens.show(menu);
    if (!unusableSettings.isEmpty())
        Platform::message(menu, settingsIgnoredText(unusableSettings), programTitle(),
                          QMessageBox::Warning);
    openFilesAtStart(menu, line.files);
    return app.exec();
}

} // namespace

int runProgram(int argc, char* argv[]) {
    // Past a file-size limit a write then fails (EFBIG) and is reported like
    // a full disk, instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    setProgramIdentity();
    // A settings file that is a named pipe would block the first look at the
    // settings: such files are set aside before anything reads them.
    const QStringList unusableSettings = UserSettings::unusableSettingsFiles();
    if (!unusableSettings.isEmpty()) UserSettings::useBlankSettings();
    if (wantsWindow(argc, argv)) return runWindow(argc, argv, unusableSettings);
    return runBatch(argc, argv, unusableSettings);
}

void openFilesAtStart(QWidget* menu, const QStringList& files) {
    if (files.isEmpty()) return;
    ensureCatalogue();
    // The captions name the file as 読み込み does: by its absolute path.
    const QString first = QFileInfo(files.first()).absoluteFilePath();
    if (isNetworkFile(first))
        NetworkEntry::openNetworkFile(first);
    else
        loadProjectFile(menu, first);
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

} // namespace miravel::app
