#include "network/ui/partslistdialog.h"

#include "common/csv.h"
#include "common/errors.h"
#include "common/version.h"
#include "common/wholefile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/partspaint.h"
#include "platform/hourglass.h"
#include "platform/platform.h"
#include "print/ui/printcommands.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;

namespace miravel::network {

void PartsTableModel::setCells(const QList<QStringList>& cells) {
    beginResetModel();
    m_cells = cells;
    endResetModel();
}

int PartsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, int(m_cells.size()) - 1);
}

int PartsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || m_cells.isEmpty() ? 0 : int(m_cells.front().size());
}

QVariant PartsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return m_cells.value(index.row() + 1).value(index.column());
    const int c = index.column();
    if (role == Qt::TextAlignmentRole)
        return int((c == 2 || c == 4 || c == 5 ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    return {};
}

QVariant PartsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || m_cells.isEmpty()) return {};
    return m_cells.front().value(section);
}

namespace {

QPushButton* button(QDialogButtonBox* box, const QString& text, const char* name) {
    QPushButton* b = box->addButton(text, QDialogButtonBox::ActionRole);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// The network's name with another extension; "部材集計表" without one.
QString presetName(const QString& networkPath, const QString& extension) {
    if (networkPath.isEmpty()) return QStringLiteral("部材集計表.") + extension;
    const QFileInfo info(networkPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_部材.") + extension);
}

QString withExtension(const QString& path, const QString& extension) {
    return QFileInfo(path).suffix().isEmpty() ? path + u'.' + extension : path;
}

} // namespace

PartsListDialog::PartsListDialog(NetworkDocument* document, QWidget* parent)
    : QDialog(parent), m_document(document), m_model(new PartsTableModel(this)) {
    setObjectName(QStringLiteral("PartsListDialog"));
    setWindowTitle(QStringLiteral("部材集計表"));
    waste = new QDoubleSpinBox;
    waste->setObjectName(QStringLiteral("partsWaste"));
    waste->setRange(0, MaxWastePercent);
    waste->setDecimals(1);
    waste->setSuffix(QStringLiteral(" %"));
    waste->setPrefix(QStringLiteral("ケーブルの割増 "));
    table = new QTableView;
    table->setObjectName(QStringLiteral("partsTable"));
    table->setModel(m_model);
    table->verticalHeader()->hide();
    summary = new QLabel;
    summary->setObjectName(QStringLiteral("partsSummary"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(button(buttons, QStringLiteral("CSV 書き出し..."), "partsCsvButton"),
            &QPushButton::clicked, this, &PartsListDialog::exportCsv);
    connect(button(buttons, QStringLiteral("印刷..."), "partsPrintButton"), &QPushButton::clicked,
            this, &PartsListDialog::print);
    connect(button(buttons, QStringLiteral("印刷プレビュー..."), "partsPreviewButton"),
            &QPushButton::clicked, this, &PartsListDialog::preview);
    connect(button(buttons, QStringLiteral("PDF 書き出し..."), "partsPdfButton"),
            &QPushButton::clicked, this, &PartsListDialog::exportPdf);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waste);
    layout->addWidget(table);
    layout->addWidget(summary);
    layout->addWidget(buttons);
    resize(640, 480);
    connect(waste, &QDoubleSpinBox::valueChanged, this, &PartsListDialog::refresh);
    connect(document, &NetworkDocument::changed, this, &PartsListDialog::refresh);
    refresh();
}

void PartsListDialog::setPrices(const PriceTable& prices) {
    m_prices = prices;
    refresh();
}

void PartsListDialog::refresh() {
    m_list = countParts(m_document->network(), waste->value(), m_prices);
    m_model->setCells(partsListCells(m_list));
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch); // the names
    summary->setText(
        QStringLiteral(
            "接栓は長さのある配線 1 本につき両端の 2 個、ケーブルは割増 %1 % を含みます。%2")
            .arg(partsNumber(m_list.wastePercent))
            .arg(m_prices.empty() ? QStringLiteral("単価は登録されていません。") : QString()));
}

QString PartsListDialog::title() const {
    const QString name = QFileInfo(m_document->filePath()).fileName();
    return QStringLiteral("部材集計表") +
           (name.isEmpty() ? QString() : QStringLiteral("　") + name);
}

void PartsListDialog::exportCsv() {
    const QString chosen = Platform::fileDialog(
        this, Platform::FileDialogKind::Save,
        presetName(m_document->filePath(), QStringLiteral("csv")),
        {QStringLiteral("CSV ファイル(*.csv)"), QStringLiteral("すべてのファィル(*.*)")});
    if (chosen.isEmpty()) return;
    const QString path = withExtension(chosen, QStringLiteral("csv"));
    if (!Platform::mayReplace(this, path)) return;
    Hourglass hourglass(this);
    const QByteArray bytes =
        csvText(partsListCells(m_list), CsvFormat{QStringLiteral("\r\n"), true}).toUtf8();
    const WriteResult written = writeFileBytes(path, bytes);
    if (!written.ok())
        Platform::message(this, written.message(path), programTitle(), QMessageBox::Warning);
}

void PartsListDialog::print() {
    const PartsPrintHeading heading{title(), summary->text(), QDate::currentDate()};
    const QList<QStringList> cells = partsListCells(m_list);
    printOnCurrentPrinter(this, [&](QPainter& painter, QPagedPaintDevice& device) {
        paintPartsList(painter, device, heading, cells);
        return true;
    });
}

void PartsListDialog::preview() {
    const PartsPrintHeading heading{title(), summary->text(), QDate::currentDate()};
    const QList<QStringList> cells = partsListCells(m_list);
    showPrintPreview(this, [&](QPrinter& printer) { paintPartsList(printer, heading, cells); });
}

void PartsListDialog::exportPdf() {
    const QString chosen = Platform::fileDialog(
        this, Platform::FileDialogKind::Save,
        presetName(m_document->filePath(), QStringLiteral("pdf")),
        {QStringLiteral("PDF ファイル(*.pdf)"), QStringLiteral("すべてのファィル(*.*)")});
    if (chosen.isEmpty()) return;
    const QString path = withExtension(chosen, QStringLiteral("pdf"));
    if (!Platform::mayReplace(this, path)) return;
    Hourglass hourglass(this);
    const PartsPrintHeading heading{title(), summary->text(), QDate::currentDate()};
    const QList<QStringList> cells = partsListCells(m_list);
    const WriteResult written = writeFileThrough(path, [&](QIODevice& out) {
        QPdfWriter pdf(&out);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(heading.title);
        return paintPartsList(pdf, heading, cells) > 0;
    });
    if (!written.ok())
        Platform::message(this, written.message(path), programTitle(), QMessageBox::Warning);
}

} // namespace miravel::network
