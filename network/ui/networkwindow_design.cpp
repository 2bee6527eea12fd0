// The screen's design commands: the head end to the middle of its window,
// and the automatic choice of parts, each one undoable edit.

#include "network/autodesign.h"
#include "network/partslibrary.h"
#include "network/ui/designdialog.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"
#include "platform/hourglass.h"
#include "platform/platform.h"

#include <QAction>
#include <QPushButton>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::network {

void NetworkWindow::buildDesignActions() {
    designAction = new QAction(QStringLiteral("自動設計..."), this);
    designAction->setObjectName(QStringLiteral("autoDesign"));
    designAction->setIconText(QStringLiteral("自動設計"));
    designAction->setToolTip(
        QStringLiteral("分岐器・分配器・直列ユニットの型式とヘッドエンド出力を自動で選びます"));
    connect(designAction, &QAction::triggered, this, &NetworkWindow::runAutoDesign);
    centreButton = new QPushButton(QStringLiteral("出力を範囲の中央に"));
    centreButton->setObjectName(QStringLiteral("centreHeadEnd"));
    centreButton->setToolTip(
        QStringLiteral("ヘッドエンド出力を、全端子が基準を満たす範囲の中央に設定します"));
    connect(centreButton, &QPushButton::clicked, this, &NetworkWindow::centreHeadInWindow);
}

HeadWindow NetworkWindow::headWindow() const {
    const NetworkResult& r = m_document->result();
    return headEndWindow(r, m_document->criteria(), headEndLevels(m_document->network().head));
}

void NetworkWindow::centreHeadInWindow() {
    const HeadWindow window = headWindow();
    if (!hasAnyWindow(window)) {
        QStringList lines{QStringLiteral("全端子が基準を満たすヘッドエンド出力がありません。")};
        for (size_t b = 0; b < NetBandCount; ++b)
            if (window[b].judged)
                lines << windowLine(m_document->network(), m_document->result(), window[b], int(b));
        refuse(lines.join(u'\r'));
        return;
    }
    const HeadEnd head = headAtWindowMiddle(m_document->network().head, window);
    if (head == m_document->network().head) return;
    edit(QStringLiteral("出力を範囲の中央に"), [head](Network& n) { n.setHead(head); });
}

void NetworkWindow::runAutoDesign() {
    const Network& net = m_document->network();
    if (net.children(HeadEndId).empty()) {
        refuse(QStringLiteral("配線網に部品がありません。"));
        return;
    }
    std::optional<DesignResult> design;
    {
        Hourglass wait(this);
        design =
            autoDesign(net, m_document->criteria(), designOptions(net, libraryUserComponents()));
    }
    const QStringList report = designReport(net, *design);
    if (design->changes.empty() && design->head == net.head) {
        // Nothing to apply: the report alone, and no empty undo step.
        Platform::message(this, report.join(u'\r'), QStringLiteral("自動設計"),
                          design->passes() ? QMessageBox::Information : QMessageBox::Warning);
        return;
    }
    DesignDialog dialog(report, design->passes(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    edit(QStringLiteral("自動設計"), [&](Network& n) { applyDesign(n, *design); });
}

} // namespace miravel::network
