#pragma once
// The tree diagram of a network, laid out as an indented chart: one box per
// node, a row per node in tree order, a column per level of depth, and an
// elbow line from each parent down and across to its children. The screen,
// the printer and the PDF draw the same layout, split into pages by rows.

#include "network/propagation.h"

#include <QLineF>
#include <QRectF>
#include <QString>
#include <vector>

namespace miravel::network {

enum class DiagramMark { None, Pass, Fail };

struct DiagramBox {
    NodeId id = HeadEndId;
    int depth = 0;      // column; the head end is 0
    int row = 0;        // position in tree order; the head end is 0
    int parentRow = -1; // the parent's row, -1 for the head end
    QString title;      // "分岐器 CS-C4"
    QString detail;     // "分岐1 ← S-5C-FB 12 m　101 (1F)"
    QString levels;     // outlets: "VHF 70.12  UHF 68.00  BS 60.31  CS 非対応"
    DiagramMark mark = DiagramMark::None;
};

// Sizes in the painter's units (the screen's pixels, or points on paper).
struct DiagramMetrics {
    double indent = 28;    // per level of depth
    double rowHeight = 46; // one box and the gap below it
    double boxWidth = 360;
    double boxHeight = 40;
};

struct DiagramLayout {
    std::vector<DiagramBox> boxes; // in row order
    int depth = 0;                 // deepest column

    QRectF boxRect(const DiagramBox& box, const DiagramMetrics& m) const;
    // The elbow from the parent's box to this one's: down, then across.
    std::vector<QLineF> connector(const DiagramBox& box, const DiagramMetrics& m) const;
    // Width and height of the whole diagram.
    QRectF bounds(const DiagramMetrics& m) const;
};

DiagramLayout layoutDiagram(const Network& network, const NetworkResult& result);

// Splits `rows` rows into pages of at most `rowsPerPage` (at least one row a
// page); each entry is the first row and the row count of a page.
std::vector<std::pair<int, int>> diagramPages(int rows, int rowsPerPage);

} // namespace miravel::network
