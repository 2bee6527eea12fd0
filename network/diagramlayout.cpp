#include "network/diagramlayout.h"

#include "network/networktexts.h"

#include <QStringList>
#include <algorithm>
#include <optional>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

QString levelsLine(const OutletResult& outlet) {
    QStringList parts;
    for (int b = 0; b < NetBandCount; ++b)
        parts << netBandName(b) + u' ' + levelText(outlet.bands[size_t(b)].level);
    return parts.join(QStringLiteral("  "));
}

QString detailLine(const Network& network, NodeId id, const OutletResult* outlet) {
    if (id == HeadEndId) return QStringLiteral("ブースター出力");
    const NetNode& n = network.node(id);
    QString detail =
        portName(network, n.parent, n.parentPort) + QStringLiteral(" ← ") + cableText(network, id);
    const QString& name = outlet ? outletName(network, *outlet) : QString();
    if (!name.isEmpty()) detail += QStringLiteral("　") + name;
    return detail;
}

DiagramBox boxFor(const Network& network, const NetworkResult& result, NodeId id) {
    DiagramBox box;
    box.id = id;
    box.title = nodeTitle(network, id);
    const NodeResult* r = result.node(id);
    std::optional<OutletResult> outlet;
    if (r && r->firstOutlet >= 0) outlet = result.outlets[size_t(r->firstOutlet)];
    box.detail = detailLine(network, id, outlet ? &*outlet : nullptr);
    if (outlet) {
        box.levels = levelsLine(*outlet);
        box.mark = outlet->fails() ? DiagramMark::Fail : DiagramMark::Pass;
    } else if (r && r->failingBelow > 0) {
        box.levels = failingBelowText(r->failingBelow);
        box.mark = DiagramMark::Fail;
    }
    return box;
}

} // namespace

DiagramLayout layoutDiagram(const Network& network, const NetworkResult& result) {
    DiagramLayout layout;
    layout.boxes.push_back(boxFor(network, result, HeadEndId));
    // Depth-first, children in display order: a stack of (id, depth, parent row).
    struct Pending {
        NodeId id;
        int depth;
        int parentRow;
    };
    std::vector<Pending> stack;
    const auto pushChildren = [&](NodeId id, int depth, int row) {
        const std::vector<NodeId>& children = network.children(id);
        for (auto c = children.rbegin(); c != children.rend(); ++c)
            stack.push_back({*c, depth + 1, row});
    };
    pushChildren(HeadEndId, 0, 0);
    while (!stack.empty()) {
        const Pending p = stack.back();
        stack.pop_back();
        DiagramBox box = boxFor(network, result, p.id);
        box.depth = p.depth;
        box.row = int(layout.boxes.size());
        box.parentRow = p.parentRow;
        layout.depth = std::max(layout.depth, p.depth);
        layout.boxes.push_back(box);
        pushChildren(p.id, p.depth, box.row);
    }
    return layout;
}

QRectF DiagramLayout::boxRect(const DiagramBox& box, const DiagramMetrics& m) const {
    return QRectF(box.depth * m.indent, box.row * m.rowHeight, m.boxWidth, m.boxHeight);
}

std::vector<QLineF> DiagramLayout::connector(const DiagramBox& box, const DiagramMetrics& m) const {
    if (box.parentRow < 0) return {};
    const QRectF parent = boxRect(boxes[size_t(box.parentRow)], m);
    const QRectF child = boxRect(box, m);
    const double x = parent.left() + m.indent / 2;
    const double y = child.center().y();
    return {QLineF(x, parent.bottom(), x, y), QLineF(x, y, child.left(), y)};
}

QRectF DiagramLayout::bounds(const DiagramMetrics& m) const {
    return QRectF(0, 0, depth * m.indent + m.boxWidth,
                  double(boxes.size()) * m.rowHeight - (m.rowHeight - m.boxHeight));
}

std::vector<std::pair<int, int>> diagramPages(int rows, int rowsPerPage) {
    rowsPerPage = std::max(1, rowsPerPage);
    std::vector<std::pair<int, int>> pages;
    for (int first = 0; first < rows; first += rowsPerPage)
        pages.emplace_back(first, std::min(rowsPerPage, rows - first));
    return pages;
}

} // namespace miravel::network
