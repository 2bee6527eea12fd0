#pragma once
// Shared by the print command tests: the program's printer and printer font
// kept as a test found them, the print dialogs answered, and PDF output
// read back with poppler's command-line tools.

#include "platform/platform.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <ostream>
#include <sys/resource.h>

namespace miravel::platform::Platform {
inline bool operator==(const Message& a, const Message& b) {
    return a.text == b.text && a.title == b.title && a.icon == b.icon;
}
inline void PrintTo(const Message& m, std::ostream* out) {
    *out << '"' << m.text.toStdString() << "\" / \"" << m.title.toStdString() << "\" icon "
         << int(m.icon);
}
} // namespace miravel::platform::Platform

// The printer as the program starts with it; every print asks the PDF seam,
// which answers `pdfAnswer` ("" = cancel) and counts the questions.
class PrinterStandIn {
public:
    PrinterStandIn()
        : m_format(miravel::print::currentPrinter().outputFormat()),
          m_file(miravel::print::currentPrinter().outputFileName()) {
        miravel::print::printerFont() = miravel::print::PrinterFont();
        miravel::print::PrintCommands::hooks().pdfFileDialog = [this](const QString&) {
            ++pdfQuestions;
            return pdfAnswer;
        };
    }
    ~PrinterStandIn() {
        miravel::print::currentPrinter().setOutputFileName(m_file);
        miravel::print::currentPrinter().setOutputFormat(m_format);
        miravel::print::printerFont() = miravel::print::PrinterFont();
        miravel::print::PrintCommands::hooks() = miravel::print::PrintCommands::Hooks();
    }
    PrinterStandIn(const PrinterStandIn&) = delete;
    PrinterStandIn& operator=(const PrinterStandIn&) = delete;

    // The current printer prints into `file`, as the user would name it.
    void printTo(const QString& file) {
        miravel::print::currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        miravel::print::currentPrinter().setOutputFileName(file);
        pdfAnswer = file;
    }

    QString pdfAnswer;
    int pdfQuestions = 0;

private:
    QPrinter::OutputFormat m_format;
    QString m_file;
};

inline bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// The text of a PDF laid out as on paper; pages end in form feeds.
inline QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The fonts a PDF uses, as pdffonts lists them.
inline QString pdfFonts(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {file});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first page of a PDF as a PNG at `dpi`, written to `pngBase`.png.
inline QImage pdfFirstPage(const QString& file, const QString& pngBase, int dpi) {
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), QStringLiteral("-singlefile"), file, pngBase});
    return QImage(pngBase + QStringLiteral(".png"));
}

// Pixels of a strong colour (red, blue, cyan or yellow text), as against
// black, white and greys.
inline int colouredPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread =
                qMax(c.red(), qMax(c.green(), c.blue())) - qMin(c.red(), qMin(c.green(), c.blue()));
            if (spread > 120) ++count;
        }
    return count;
}

inline bool isPdf(const QString& file) {
    QFile pdf(file);
    return pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-" && pdf.size() > 1000;
}

// A disk that fills up: while it lives, no file of this process may grow
// beyond `bytes`; longer writes fail (EFBIG) instead of ending the process.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
    bool m_active = false;
};

// Writes `bytes` into `file`, as an earlier print would have left it.
inline bool writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A name in `folder` longer than a file name may be: the folder exists, yet
// nothing can be created there under that name (even by root).
inline QString overlongName(const QTemporaryDir& folder) {
    return folder.filePath(QString(300, u'x') + QStringLiteral(".pdf"));
}
