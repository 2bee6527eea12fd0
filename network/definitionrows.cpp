#include "network/definitionrows.h"

#include "common/errors.h"
#include "common/numval.h"

#include <algorithm>

#include <QSet>

using namespace miravel::common;

namespace miravel::network {

namespace {

const QString OutletMark = QStringLiteral("端子");

[[noreturn]] void refuseRow(const QString& table, int row, const QString& why) {
    throw UserError(QStringLiteral("%1の %2 行目: %3").arg(table).arg(row + 1).arg(why));
}

BandLoss lossesOf(const QStringList& row, int first, const QString& table, int index) {
    BandLoss loss{};
    for (int b = 0; b < NetBandCount; ++b) {
        const QString text = row.value(first + b).trimmed();
        if (text.isEmpty() || text == QStringLiteral("--")) continue;
        if (!isNumberText(text))
            refuseRow(table, index, QStringLiteral("損失「%1」は数値ではありません。").arg(text));
        loss[size_t(b)] = NumVal(text);
    }
    return loss;
}

std::vector<CableType> cablesOf(const TextRows& rows) {
    const QString table = QStringLiteral("ケーブル種別");
    std::vector<CableType> cables;
    QSet<QString> names;
    for (int i = 0; i < rows.size(); ++i) {
        const QString name = rows[i].value(0).trimmed();
        if (names.contains(name))
            refuseRow(table, i, QStringLiteral("名前「%1」は二度目です。").arg(name));
        names.insert(name);
        CableType cable{name, {}, std::nullopt};
        const QString ratedTo = rows[i].value(1).trimmed();
        if (!ratedTo.isEmpty() && !isNumberText(ratedTo))
            refuseRow(table, i, QStringLiteral("上限「%1」は数値ではありません。").arg(ratedTo));
        if (!ratedTo.isEmpty()) cable.ratedToMHz = NumVal(ratedTo);
        try {
            cable.points = pointsOfText(rows[i].value(2));
        } catch (const UserError& e) {
            refuseRow(table, i, e.message());
        }
        cables.push_back(cable);
    }
    return cables;
}

std::vector<UserComponent> usersOf(const TextRows& rows) {
    const QString table = QStringLiteral("ユーザー部品");
    std::vector<UserComponent> users;
    QSet<QString> names;
    for (int i = 0; i < rows.size(); ++i) {
        const QString name = rows[i].value(0).trimmed();
        const UserPort port{lossesOf(rows[i], 2, table, i),
                            rows[i].value(1).trimmed() == OutletMark};
        if (!users.empty() && users.back().name == name) {
            users.back().ports.push_back(port);
            continue;
        }
        if (names.contains(name))
            refuseRow(table, i, QStringLiteral("部品「%1」の行は続けて並べてください。").arg(name));
        names.insert(name);
        users.push_back(UserComponent{name, {port}});
    }
    return users;
}

} // namespace

QString lossText(const std::optional<double>& loss) {
    return loss ? NumText(*loss) : QString();
}

QString pointsText(const LossPoints& points) {
    QStringList pairs;
    for (const LossPoint& p : points)
        pairs << NumText(p.mhz) + u':' + NumText(p.dbPer100m);
    return pairs.join(u' ');
}

LossPoints pointsOfText(const QString& text) {
    LossPoints points;
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(u':');
        if (parts.size() != 2 || !isNumberText(parts[0]) || !isNumberText(parts[1]))
            throw UserError(
                QStringLiteral("「%1」は「周波数:損失」（例 770:21.9）ではありません。").arg(pair));
        points.push_back(LossPoint{NumVal(parts[0]), NumVal(parts[1])});
    }
    return points;
}

TextRows cableTypeRows(const Network& network) {
    TextRows rows;
    for (const CableType& c : network.cableTypes())
        rows << QStringList{c.name, c.ratedToMHz ? NumText(*c.ratedToMHz) : QString(),
                            pointsText(c.points)};
    return rows;
}

TextRows userComponentRows(const Network& network) {
    TextRows rows;
    for (const UserComponent& u : network.userComponents())
        for (const UserPort& p : u.ports) {
            QStringList row{u.name, p.outlet ? OutletMark : QString()};
            for (const auto& loss : p.loss)
                row << lossText(loss);
            rows << row;
        }
    return rows;
}

void replaceDefinitions(Network& network, const TextRows& cableRows, const TextRows& userRows) {
    const std::vector<CableType> cables = cablesOf(cableRows);
    const std::vector<UserComponent> users = usersOf(userRows);
    Network trial = network;
    for (size_t i = 0; i < cables.size(); ++i) {
        try {
            trial.setCableType(cables[i]);
        } catch (const UserError& e) {
            refuseRow(QStringLiteral("ケーブル種別"), int(i), e.message());
        }
    }
    int row = 0;
    for (const UserComponent& user : users) {
        try {
            trial.setUserComponent(user);
        } catch (const UserError& e) {
            refuseRow(QStringLiteral("ユーザー部品"), row, e.message());
        }
        row += int(user.ports.size());
    }
    const auto kept = [](const auto& list, const QString& name) {
        return std::any_of(list.begin(), list.end(), [&](const auto& d) { return d.name == name; });
    };
    for (const CableType& old : network.cableTypes())
        if (!kept(cables, old.name)) trial.removeCableType(old.name);
    for (const UserComponent& old : network.userComponents())
        if (!kept(users, old.name)) trial.removeUserComponent(old.name);
    network.setDefinitions(trial.cableTypes(), trial.userComponents());
}

} // namespace miravel::network
