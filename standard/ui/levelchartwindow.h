#pragma once
// レベル配分図: the level chart of the terminal-level path in a window of its
// own, with print, print preview and saving as PNG or PDF.

#include "standard/levelchart.h"

#include <QImage>
#include <QMainWindow>

class QPainter;
class QPagedPaintDevice;

namespace miravel::common {
struct WriteResult;
} // namespace miravel::common

namespace miravel::standard {

class LevelChartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit LevelChartWindow(QWidget* parent = nullptr);

    void setChart(const std::array<ChartBandInput, common::BandCount>& inputs,
                  const QString& heading);

    // The chart as an image of the given size, as saved to PNG.
    QImage renderImage(QSize size) const;
    // Draws the chart on a printer or PDF page, as wide as the page; false
    // when the device cannot be painted on.
    bool paintPage(QPagedPaintDevice& device) const;
    void paintPage(QPainter& painter, const QPagedPaintDevice& device) const;

    // 画像で保存 and PDFで保存 to the given file; false (with a message
    // shown) when the file could not be written.
    bool saveImage(const QString& path);
    bool savePdf(const QString& path);

private:
    void paintOn(QPainter& painter, const QRectF& area) const;
    void printChart();
    void previewChart();
    void askAndSave(bool pdf);
    bool reportWrite(const QString& path, const common::WriteResult& result);

    std::array<ChartBandInput, common::BandCount> m_inputs{};
    QString m_heading;
};

} // namespace miravel::standard
