#include "cli/partscommand.h"

#include "cli/clitext.h"
#include "cli/commandline.h"
#include "cli/networklevels.h"
#include "common/errors.h"
#include "network/tvdnfile.h"

using namespace miravel::common;
using namespace miravel::network;

namespace miravel::cli {

LevelTable partsTable(const QString& file, const PartsList& list) {
    const QList<QStringList> cells = partsListCells(list);
    const LevelColumn columns[] = {
        {QStringLiteral("kind"), cells[0][0], false},
        {QStringLiteral("item"), cells[0][1], false},
        {QStringLiteral("quantity"), cells[0][2], true},
        {QStringLiteral("unit"), cells[0][3], false},
        {QStringLiteral("unit_price"), cells[0][4], true},
        {QStringLiteral("amount"), cells[0][5], true},
    };
    LevelTable table;
    table.source = file;
    for (int c = 0; c < int(std::size(columns)); ++c) {
        QStringList column;
        for (int r = 1; r < cells.size(); ++r)
            column << cells[r][c];
        table.addColumn(columns[c], column);
    }
    return table;
}

BatchResult partsCommand(const QString& file, OutputFormat format, const PriceTable& prices) {
    if (!isNetworkFile(file))
        return {ExitUsage, QString(),
                usageErrorText(
                    CliText::tr("--parts にはネットワークファイル（.tvdn）を指定してください: %1")
                        .arg(file))};
    Network network;
    try {
        network = readNetworkFile(file);
    } catch (const UserError& error) {
        return {ExitRefused, QString(), terminalMessage(error.message()) + u'\n'};
    }
    return {ExitOk, formatLevelTable(partsTable(file, countParts(network, 0, prices)), format),
            QString()};
}

} // namespace miravel::cli
