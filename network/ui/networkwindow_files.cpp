// The file and output commands of the network screen: new, open, save, the
// outlet table as CSV, printing and the PDF file.

#include "common/errors.h"
#include "common/filestamp.h"
#include "common/programvalues.h"
#include "common/recentdocuments.h"
#include "common/version.h"
#include "common/wholefile.h"
#include "network/outletcsv.h"
#include "network/tvdnfile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkpaint.h"
#include "network/ui/networkwindow.h"
#include "platform/hourglass.h"
#include "platform/platform.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QThread>
#include <QUndoStack>
#include <atomic>
#include <exception>
#include <memory>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::standard;

namespace miravel::network {

namespace {

// A read that takes longer shows its progress and may be stopped.
constexpr int LoadProgressDelayMs = 300;

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

// Saving over the network's file that another program changed since.
bool askOverwriteChanges(QWidget* parent, const QString& path) {
    return Platform::confirm(parent,
                             {changedOnDiskQuestion(path), programTitle(), QMessageBox::Question});
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
    if (path.isEmpty()) return;
    loadNetworkFile(path);
}

bool NetworkWindow::openNetworkFile(const QString& path) {
    if (!mayDiscardChanges()) return false;
    Hourglass hourglass(this);
    return loadNetworkFile(path);
}

// Reads on a worker thread; a read that takes a while shows its progress
// with a button that stops it. Nothing when stopped.
std::optional<Network> NetworkWindow::readWithProgress(const QString& path) {
    struct Job {
        std::atomic<bool> stop{false};
        std::optional<Network> network;
        std::exception_ptr error;
    };
    auto job = std::make_shared<Job>();
    std::unique_ptr<QThread> worker(QThread::create([job, path] {
        try {
            job->network = readNetworkFile(path, job->stop);
        } catch (...) {
            job->error = std::current_exception();
        }
    }));
    // The screen takes no commands meanwhile; the progress window, its own
    // window, stays usable.
    setEnabled(false);
    QProgressDialog progress(
        QStringLiteral("「%1」を読み込んでいます…").arg(QFileInfo(path).fileName()),
        QStringLiteral("中止"), 0, 0);
    progress.setObjectName(QStringLiteral("networkLoadProgress"));
    progress.setWindowTitle(programTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(LoadProgressDelayMs);
    connect(&progress, &QProgressDialog::canceled, this, [job] { job->stop = true; });
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    setEnabled(true);
    if (job->error) std::rethrow_exception(job->error);
    if (job->stop) return std::nullopt;
    return std::move(job->network);
}

bool NetworkWindow::loadNetworkFile(const QString& path) {
    try {
        // The whole file is checked before the screen changes at all.
        FileStamp stamp; // before reading: a change meanwhile is not missed
        stamp.remember(path);
        std::optional<Network> read = readWithProgress(path);
        if (!read) return false; // stopped: everything stays as it was
        m_diskStamp = stamp;
        m_folded.clear();
        m_selected = HeadEndId;
        m_document->reset(std::move(*read), path);
    } catch (const UserError& error) {
        refuse(error.message());
        return false;
    }
    registerRecentDocument(path);
    return true;
}

bool NetworkWindow::saveNetwork() {
    const QString path = m_document->filePath();
    if (path.isEmpty()) return saveNetworkAs();
    if (m_diskStamp.changedOnDisk(path) && !askOverwriteChanges(this, path)) return false;
    Hourglass hourglass(this);
    try {
        writeNetworkFile(path, m_document->network());
    } catch (const UserError& error) {
        refuse(error.message());
        return false;
    }
    m_diskStamp.remember(path);
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
    const bool changed = m_diskStamp.changedOnDisk(path);
    if (changed ? !askOverwriteChanges(this, path) : !Platform::mayReplace(this, path))
        return false;
    Hourglass hourglass(this);
    try {
        writeNetworkFile(path, m_document->network());
    } catch (const UserError& error) {
        refuse(error.message());
        return false;
    }
    m_diskStamp.remember(path);
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
    const WriteResult written =
        writeFileBytes(path, outletTableCsv(m_document->network(), m_document->result()));
    if (!written.ok()) refuse(written.message(path));
}

void NetworkWindow::printNetwork() {
    printOnCurrentPrinter(this, [this](QPainter& painter, QPagedPaintDevice& device) {
        paintNetworkDocument(painter, device, printHeading(), m_document->network(),
                             m_document->result());
        return true;
    });
}

void NetworkWindow::previewNetwork() {
    showPrintPreview(this, [this](QPrinter& printer) {
        paintNetworkDocument(printer, printHeading(), m_document->network(), m_document->result());
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
    const WriteResult written = writeFileThrough(path, [this](QIODevice& out) {
        QPdfWriter pdf(&out);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(printTitle());
        return paintNetworkDocument(pdf, printHeading(), m_document->network(),
                                    m_document->result()) > 0;
    });
    if (!written.ok()) refuse(written.message(path));
}

} // namespace miravel::network
