#include "print/printjob.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace {

PrintOutcome paintOn(QPagedPaintDevice& device, const PaintDocument& paint) {
    QPainter painter;
    if (!painter.begin(&device)) return PrintOutcome::CannotBegin;
    const bool painted = paint(painter, device);
    // Ending the painter writes the rest of the document.
    const bool ended = painter.end();
    return painted && ended ? PrintOutcome::Printed : PrintOutcome::Failed;
}

// Passes the PDF writer's bytes on to the file and keeps count. A write that
// the disk cuts short is not always an error to QFileDevice (a large block
// written in part comes back as a short count, which the PDF engine ignores),
// so every count is checked and the file's size compared with the total.
class CheckedWrites : public QIODevice {
public:
    explicit CheckedWrites(QFileDevice& file) : m_file(file) { open(QIODevice::WriteOnly); }

    bool completelyWritten() {
        return !m_shortWrite && m_file.flush() && m_file.error() == QFileDevice::NoError &&
               m_file.size() == m_total;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        const qint64 written = m_file.write(data, length);
        if (written != length) m_shortWrite = true;
        if (written > 0) m_total += written;
        return written;
    }

private:
    QFileDevice& m_file;
    qint64 m_total = 0;
    bool m_shortWrite = false;
};

// The PDF goes into a temporary file beside the target, which replaces the
// target only when every byte was written. QPainter::end() alone cannot tell:
// the PDF engine does not report failed writes.
PrintOutcome printPdf(const QPrinter& printer, const QString& fileName,
                      const PaintDocument& paint) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return PrintOutcome::CannotBegin;
    CheckedWrites checked(file);
    QPdfWriter writer(&checked);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setCreator(printer.creator());
    writer.setTitle(printer.docName());
    const PrintOutcome outcome = paintOn(writer, paint);
    if (outcome != PrintOutcome::Printed || !checked.completelyWritten()) {
        file.cancelWriting();
        return outcome == PrintOutcome::Printed ? PrintOutcome::Failed : outcome;
    }
    return file.commit() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace

QString pdfFileOf(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat) return QString();
    return printer.outputFileName();
}

PrintOutcome printDocument(QPrinter& printer, const PaintDocument& paint) {
    const QString pdf = pdfFileOf(printer);
    if (!pdf.isEmpty()) return printPdf(printer, pdf, paint);
    return paintOn(printer, paint);
}
