#include "cli/designcommand.h"

#include "cli/clitext.h"
#include "cli/commandline.h"
#include "cli/networklevels.h"
#include "common/errors.h"
#include "common/wholefile.h"
#include "network/autodesign.h"
#include "network/partslibrary.h"
#include "network/tvdnfile.h"

#include <QFileInfo>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace miravel::cli {

namespace {

BatchResult refused(const QString& message) {
    return {ExitRefused, QString(), terminalMessage(message) + u'\n'};
}

QString targetProblem(const QString& in, const QString& out) {
    if (!isNetworkFile(in))
        return CliText::tr("--design で設計できるのは建物の配線網のファイル（.tvdn）だけです: %1")
            .arg(in);
    if (sameFile(in, out))
        return CliText::tr("--output の出力先「%1」は読み込むファイルそのものです。"
                           "別の名前を指定してください。")
            .arg(out);
    return QString();
}

} // namespace

BatchResult designCommand(const QString& in, const QString& out, const Profile& profile) {
    const QString problem = targetProblem(in, out);
    if (!problem.isEmpty()) return refused(problem);
    Network network;
    try {
        network = readNetworkFile(in);
    } catch (const UserError& error) {
        return refused(error.message());
    }
    const DesignResult design = autoDesign(network, outletCriteria(profile),
                                           designOptions(network, libraryUserComponents()));
    BatchResult batch;
    batch.out = designReport(network, design).join(u'\n') + u'\n';
    try {
        applyDesign(network, design);
        writeNetworkFile(out, network);
    } catch (const UserError& error) {
        return refused(error.message());
    }
    if (!design.passes()) {
        batch.status = ExitFailing;
        batch.err = CliText::tr("%1 の基準を満たせない端子があります（%2 端子中 %3）。\n")
                        .arg(profileName(profile.id))
                        .arg(design.result.outlets.size())
                        .arg(design.result.failingOutlets);
    }
    return batch;
}

} // namespace miravel::cli
