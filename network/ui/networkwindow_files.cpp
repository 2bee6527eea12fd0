// The file and output commands of the network screen: new, open, save, the
// outlet table as CSV, printing and the PDF file.

#include "app/hourglass.h"
#include "app/platform.h"
#include "common/errors.h"
#include "common/oserror.h"
#include "common/programvalues.h"
#include "common/recentdocuments.h"
#include "common/wholefile.h"
#include "network/outletcsv.h"
#include "network/tvdnfile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkpaint.h"
#include "network/ui/networkwindow.h"
#include "print/printcommands.h"
#include "print/printer.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QUndoStack>
#include <cerrno>

namespace {

QStringList networkFilters() {
    return {QStringLiteral("配線網ファイル(*.tvdn)"), QStringLiteral("すべてのファィル(*.*)")};
}

// The document's name with another extension, next to it; "配線網" without one.
QString presetName(const QString& documentPath, const QString& extension) {
    if (documentPath.isEmpty()) return QStringLiteral("配線網.") + extension;
    const QFileInfo info(documentPath);
    return info.dir().filePath(info.completeBaseName() + u'.' + extension);
}

// The extension is added only when the file name has none.
QString withExtension(const QString& path, const QString& extension) {
    return QFileInfo(path).suffix().isEmpty() ? path + u'.' + extension : path;
}

void writeWhole(const QString& path, const QByteArray& bytes) {
    if (const int error = writeWholeFile(path, bytes))
        throw UserError(
            QStringLiteral("%1 に書き込めませんでした（%2）。").arg(path, systemErrorText(error)));
}

} // namespace

QString NetworkWindow::printTitle() const {
    const QString name = QFileInfo(m_document->filePath()).fileName();
    return QStringLiteral("建物の配線網") +
           (name.isEmpty() ? QString() : QStringLiteral("　") + name);
}

void NetworkWindow::newNetwork() {
    if (!mayDiscardChanges()) return;
    m_clipboard.reset();
    m_folded.clear();
    m_selected = HeadEndId;
    m_document->reset(Network(), QString());
}

void NetworkWindow::openNetwork() {
    if (!mayDiscardChanges()) return;
    Hourglass hourglass(this);
    const QString path = Platform::fileDialog(this, Platform::FileDialogKind::Open,
                                              m_document->filePath(), networkFilters());
    if (!path.isEmpty()) readIntoScreen(path);
}

bool NetworkWindow::openNetworkFile(const QString& path) {
    if (!mayDiscardChanges()) return false;
    Hourglass hourglass(this);
    return readIntoScreen(path);
}

bool NetworkWindow::readIntoScreen(const QString& path) {
    try {
        // The whole file is checked before the screen changes at all.
        const Network loaded = readNetworkFile(path);
        m_folded.clear();
        m_selected = HeadEndId;
        m_document->reset(loaded, path);
    } catch (const UserError& error) {
        refuse(error.message());
        return false;
    }
    registerRecentDocument(path);
    return true;
}

bool NetworkWindow::saveNetwork() {
    if (m_document->filePath().isEmpty()) return saveNetworkAs();
    Hourglass hourglass(this);
    try {
        writeNetworkFile(m_document->filePath(), m_document->network());
    } catch (const UserError& error) {
        refuse(error.message());
        return false;
    }
    m_document->undoStack()->setClean();
    registerRecentDocument(m_document->filePath());
    return true;
}

bool NetworkWindow::saveNetworkAs() {
    const QString chosen = Platform::fileDialog(
        this, Platform::FileDialogKind::Save,
        presetName(m_document->filePath(), QStringLiteral("tvdn")), networkFilters());
    if (chosen.isEmpty()) return false;
    const QString path = withExtension(chosen, QStringLiteral("tvdn"));
    if (!Platform::mayReplace(this, path)) return false;
    Hourglass hourglass(this);
    try {
        writeNetworkFile(path, m_document->network());
    } catch (const UserError& error) {
        refuse(error.message());
        return false;
    }
    m_document->setFilePath(path);
    m_document->undoStack()->setClean();
    registerRecentDocument(path);
    return true;
}

void NetworkWindow::exportCsv() {
    const QString chosen = Platform::fileDialog(
        this, Platform::FileDialogKind::Save,
        presetName(m_document->filePath(), QStringLiteral("csv")),
        {QStringLiteral("CSV ファイル(*.csv)"), QStringLiteral("すべてのファィル(*.*)")});
    if (chosen.isEmpty()) return;
    const QString path = withExtension(chosen, QStringLiteral("csv"));
    if (!Platform::mayReplace(this, path)) return;
    Hourglass hourglass(this);
    try {
        writeWhole(path, outletTableCsv(m_document->result()));
    } catch (const UserError& error) {
        refuse(error.message());
    }
}

void NetworkWindow::printNetwork() {
    printOnCurrentPrinter(this, [this](QPainter& painter, QPagedPaintDevice& device) {
        paintNetworkDocument(painter, device, printTitle(), m_document->network(),
                             m_document->result());
        return true;
    });
}

void NetworkWindow::previewNetwork() {
    showPrintPreview(this, [this](QPrinter& printer) {
        paintNetworkDocument(printer, printTitle(), m_document->network(), m_document->result());
    });
}

void NetworkWindow::exportPdf() {
    const QString chosen = Platform::fileDialog(
        this, Platform::FileDialogKind::Save,
        presetName(m_document->filePath(), QStringLiteral("pdf")),
        {QStringLiteral("PDF ファイル(*.pdf)"), QStringLiteral("すべてのファィル(*.*)")});
    if (chosen.isEmpty()) return;
    const QString path = withExtension(chosen, QStringLiteral("pdf"));
    if (!Platform::mayReplace(this, path)) return;
    Hourglass hourglass(this);
    // Drawn whole first, then written all or nothing: a PDF that cannot be
    // finished leaves the old file.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    bool drawn = buffer.open(QIODevice::WriteOnly);
    if (drawn) {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(printTitle());
        drawn = paintNetworkDocument(pdf, printTitle(), m_document->network(),
                                     m_document->result()) > 0;
    }
    const int error = drawn ? writeWholeFile(path, bytes) : EIO;
    if (error)
        refuse(
            QStringLiteral("%1 に書き込めませんでした（%2）。").arg(path, systemErrorText(error)));
}
