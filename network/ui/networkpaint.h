#pragma once
// Drawing the network: the tree diagram and the outlet table, with one
// paint function each for the screen, the printer and the PDF file.

#include "network/diagramlayout.h"

#include <QDate>
#include <QWidget>

class QPagedPaintDevice;
class QPainter;

namespace miravel::network {

// Rows [firstRow, firstRow + rows) of the diagram, in the layout's units,
// with the lines of parents above and children below crossing them.
void paintDiagram(QPainter& painter, const DiagramLayout& layout, const DiagramMetrics& metrics,
                  int firstRow, int rows);

// The outlet table's headings: "端子", "VHF (dB)" ... "左旋 (dB)", "判定". A
// band's cell holds its level, and its C/N after "／" where one is reckoned.
QStringList outletTableHeadings();
// Its column widths on `painter`, adding up to `width`: each column as wide
// as its heading and its widest cell need, all widened in proportion to
// take the width.
QList<double> outletTableColumns(QPainter& painter, const Network& network,
                                 const NetworkResult& result, double width);

// Rows [firstRow, firstRow + rows) of the outlet table under its heading
// row, in `columns`, from the painter's origin.
void paintOutletTable(QPainter& painter, const Network& network, const NetworkResult& result,
                      const QList<double>& columns, int firstRow, int rows);

// What heads every printed page besides its number.
struct NetworkPrintHeading {
    QString title;   // "建物の配線網　plan.tvdn"
    QString profile; // the criteria the verdicts follow
    QDate date;      // of printing
};

// The lines under the title: the criteria, the head end's output levels and
// where the cable losses were taken; the date ("2026年4月1日") stands at the
// right of the first.
QString printHeadingLine(const NetworkPrintHeading& heading, const Network& network);
QString printDateText(const QDate& date);

// The printed document: the outlet table, then the diagram, on as many
// pages as they need, each page headed by `heading` and its page number.
// Returns the number of pages.
int paintNetworkDocument(QPagedPaintDevice& device, const NetworkPrintHeading& heading,
                         const Network& network, const NetworkResult& result);
// The same on a painter already begun on `device`.
int paintNetworkDocument(QPainter& painter, QPagedPaintDevice& device,
                         const NetworkPrintHeading& heading, const Network& network,
                         const NetworkResult& result);

// The diagram on the screen.
class DiagramView : public QWidget {
    Q_OBJECT
public:
    explicit DiagramView(QWidget* parent = nullptr);
    void setDiagram(DiagramLayout layout);
    const DiagramLayout& diagram() const { return m_layout; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DiagramLayout m_layout;
    DiagramMetrics m_metrics;
};

} // namespace miravel::network
