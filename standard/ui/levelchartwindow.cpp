#include "standard/ui/levelchartwindow.h"

#include "common/version.h"
#include "common/wholefile.h"
#include "platform/platform.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"
#include "standard/ui/chartpainter.h"

#include <QBuffer>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;

namespace miravel::standard {

namespace {

// Width to height of the chart on paper and in the default image.
constexpr double ChartAspect = 4.0 / 3.0;
const QSize DefaultImageSize(1600, 1200);

class ChartView : public QWidget {
public:
    explicit ChartView(LevelChartWindow* window) : QWidget(window), m_window(window) {
        setMinimumSize(640, 480);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, m_window->renderImage(size()));
    }

private:
    LevelChartWindow* m_window;
};

QAction* addItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

LevelChartWindow::LevelChartWindow(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setObjectName(QStringLiteral("LevelChart"));
    setWindowTitle(QStringLiteral("レベル配分図"));
    setCentralWidget(new ChartView(this));
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file->menuAction()->setObjectName(QStringLiteral("Chart_File"));
    connect(addItem(file, "Chart_Print", QStringLiteral("印刷")), &QAction::triggered, this,
            &LevelChartWindow::printChart);
    connect(addItem(file, "Chart_Preview", QStringLiteral("印刷プレビュー")), &QAction::triggered,
            this, &LevelChartWindow::previewChart);
    connect(addItem(file, "Chart_SaveImage", QStringLiteral("画像で保存…")), &QAction::triggered,
            this, [this] { askAndSave(false); });
    connect(addItem(file, "Chart_SavePdf", QStringLiteral("PDFで保存…")), &QAction::triggered, this,
            [this] { askAndSave(true); });
    file->addSeparator();
    connect(addItem(file, "Chart_Close", QStringLiteral("閉じる")), &QAction::triggered, this,
            &QWidget::close);
}

void LevelChartWindow::setChart(const std::array<ChartBandInput, BandCount>& inputs,
                                const QString& heading) {
    m_inputs = inputs;
    m_heading = heading;
    centralWidget()->update();
}

void LevelChartWindow::paintOn(QPainter& painter, const QRectF& area) const {
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintLevelChart(painter, area, m_inputs, m_heading);
}

QImage LevelChartWindow::renderImage(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintOn(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool LevelChartWindow::paintPage(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    paintPage(painter, device);
    return true;
}

void LevelChartWindow::paintPage(QPainter& painter, const QPagedPaintDevice& device) const {
    const double width = device.width();
    paintOn(painter, QRectF(0, 0, width, std::min<double>(device.height(), width / ChartAspect)));
}

bool LevelChartWindow::saveImage(const QString& path) {
    // Encoded in memory first: Qt's PNG writer leaks a row buffer when the
    // file's write fails part-way (a full disk), so the disk sees bytes only.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !renderImage(DefaultImageSize).save(&buffer, "PNG"))
        return reportWrite(path, writeFileThrough(path, [](QIODevice&) { return false; }));
    return reportWrite(path, writeFileBytes(path, bytes));
}

bool LevelChartWindow::savePdf(const QString& path) {
    return reportWrite(path, writeFileThrough(path, [this](QIODevice& out) {
                           QPdfWriter pdf(&out);
                           pdf.setPageSize(QPageSize(QPageSize::A4));
                           pdf.setPageOrientation(QPageLayout::Landscape);
                           return paintPage(pdf);
                       }));
}

bool LevelChartWindow::reportWrite(const QString& path, const WriteResult& result) {
    if (!result.ok())
        Platform::message(this, result.message(path), programTitle(), QMessageBox::Warning);
    return result.ok();
}

void LevelChartWindow::askAndSave(bool pdf) {
    const QString path = Platform::saveFileDialog(
        this, pdf ? QStringLiteral("レベル配分図.pdf") : QStringLiteral("レベル配分図.png"),
        {pdf ? QStringLiteral("PDF ファイル(*.pdf)") : QStringLiteral("PNG 画像(*.png)")});
    if (path.isEmpty()) return;
    pdf ? savePdf(path) : saveImage(path);
}

void LevelChartWindow::printChart() {
    printOnCurrentPrinter(this, [this](QPainter& painter, QPagedPaintDevice& device) {
        paintPage(painter, device);
        return true;
    });
}

void LevelChartWindow::previewChart() {
    showPrintPreview(this, [this](QPrinter& printer) { paintPage(printer); });
}

} // namespace miravel::standard
