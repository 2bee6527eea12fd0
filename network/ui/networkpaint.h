#pragma once
// Drawing the network: the tree diagram and the outlet table, with one
// paint function each for the screen, the printer and the PDF file.

#include "network/diagramlayout.h"

#include <QWidget>

class QPagedPaintDevice;
class QPainter;

// Rows [firstRow, firstRow + rows) of the diagram, in the layout's units,
// with the lines of parents above and children below crossing them.
void paintDiagram(QPainter& painter, const DiagramLayout& layout, const DiagramMetrics& metrics,
                  int firstRow, int rows);

// Rows [firstRow, firstRow + rows) of the outlet table under a heading row,
// `width` wide, from the painter's origin.
void paintOutletTable(QPainter& painter, const NetworkResult& result, double width, int firstRow,
                      int rows);

// The printed document: the outlet table, then the diagram, on as many
// pages as they need, each page headed by `title` and its page number.
// Returns the number of pages.
int paintNetworkDocument(QPagedPaintDevice& device, const QString& title, const Network& network,
                         const NetworkResult& result);
// The same on a painter already begun on `device`.
int paintNetworkDocument(QPainter& painter, QPagedPaintDevice& device, const QString& title,
                         const Network& network, const NetworkResult& result);

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
