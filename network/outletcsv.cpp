#include "network/outletcsv.h"

#include "common/numformat.h"
#include "standard/criteria.h"

#include <QStringList>

namespace {

QString quoted(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString q = text;
    q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString row(const QStringList& cells) {
    QStringList q;
    for (const QString& c : cells)
        q << quoted(c);
    return q.join(u',') + QStringLiteral("\r\n");
}

} // namespace

QString outletLevelText(const BandJudgement& j) {
    return j.level ? Fmt2(*j.level) : QStringLiteral("非対応");
}

QByteArray outletTableCsv(const NetworkResult& result) {
    QStringList heading{QStringLiteral("端子"), QStringLiteral("部屋"), QStringLiteral("階")};
    for (int b = 0; b < BandCount; ++b)
        heading << bandName(b) + QStringLiteral(" レベル(dB)")
                << bandName(b) + QStringLiteral(" 判定");
    heading << QStringLiteral("総合");
    QString text = row(heading);
    for (const OutletResult& o : result.outlets) {
        QStringList cells{o.name, o.room, o.floor};
        for (const BandJudgement& j : o.bands)
            cells << outletLevelText(j) << verdictText(j);
        cells << (o.fails() ? QStringLiteral("不適合") : QStringLiteral("適合"));
        text += row(cells);
    }
    // With a byte order mark, so that spreadsheet programs take it as UTF-8.
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
