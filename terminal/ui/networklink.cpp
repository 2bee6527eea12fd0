// The terminal screen as the building network sees it: its booster levels,
// and one outlet's path put into its fields.

#include "common/numval.h"
#include "network/ui/networkentry.h"
#include "terminal/keisan.h"
#include "terminal/ui/tanmatu.h"

#include <QMenuBar>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;

namespace miravel::terminal {

namespace F = TerminalField;

void tanmatu::addNetworkMenu() {
    auto* open = new QAction(QStringLiteral("建物の配線網"), this);
    open->setObjectName(QStringLiteral("Net_open"));
    menuBar()->insertAction(ui->Ver->menuAction(), open);
    connect(open, &QAction::triggered, this, [] { NetworkEntry::showNetworkScreen(); });
}

BandValues tanmatu::boosterLevels() {
    BandValues levels{};
    for (int b = 0; b < BandCount; ++b)
        levels[size_t(b)] = NumVal(text(F::BoosterLevel[b])->text());
    return levels;
}

void tanmatu::receivePath(const TerminalFields& path) {
    Cls_MT();
    // Unticking runs its handler, which writes "105"; the path's levels follow.
    ui->Check1->setChecked(false);
    for (int n = 1; n <= 43; ++n)
        text(n)->setText(path[n]);
    // Choosing the type from code is not a pick: the fields above already
    // hold what the pick would look up, so only the list and captions follow.
    ui->Combo3->setCurrentIndex(path.combo3Index);
    const bool outlet = path.combo3Index >= SeriesUnitTypeCount;
    ui->Label19->setText(outlet ? QString() : QStringLiteral("挿入損失"));
    ui->Label20->setText(outlet ? QStringLiteral("挿入損失") : QStringLiteral("結合損失"));
    show();
    raise();
    activateWindow();
}

} // namespace miravel::terminal
