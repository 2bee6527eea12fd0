#pragma once
// Shared by the print command tests: the program's printer and printer font
// kept as a test found them, the print dialogs answered, and PDF output
// read back with poppler's command-line tools.

#include "print/printcommands.h"
#include "print/printer.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// The printer as the program starts with it; every print asks the PDF seam,
// which answers `pdfAnswer` ("" = cancel) and counts the questions.
class PrinterStandIn {
public:
    PrinterStandIn()
        : m_format(currentPrinter().outputFormat()), m_file(currentPrinter().outputFileName()) {
        printerFont() = PrinterFont();
        PrintCommands::hooks().pdfFileDialog = [this](const QString&) {
            ++pdfQuestions;
            return pdfAnswer;
        };
    }
    ~PrinterStandIn() {
        currentPrinter().setOutputFileName(m_file);
        currentPrinter().setOutputFormat(m_format);
        printerFont() = PrinterFont();
        PrintCommands::hooks() = PrintCommands::Hooks();
    }
    PrinterStandIn(const PrinterStandIn&) = delete;
    PrinterStandIn& operator=(const PrinterStandIn&) = delete;

    // The current printer prints into `file`, as the user would name it.
    void printTo(const QString& file) {
        currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        currentPrinter().setOutputFileName(file);
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
