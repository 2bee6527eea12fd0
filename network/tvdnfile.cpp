#include "network/tvdnfile.h"

#include "common/errors.h"
#include "common/oserror.h"
#include "common/wholefile.h"
#include "network/catalogparts.h"
#include "network/jsonkeys.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cmath>

using namespace miravel::common;

namespace miravel::network {

namespace {

const char* const KindKeys[] = {"distributor", "brancher", "seriesUnit", "outlet", "user"};
const char* const SourceKeys[] = {"typed", "terminal", "boosterInput"};

// A refusal of the content, with the JSON path of the place.
struct Refusal {
    QString path;
    QString reason;
};

[[noreturn]] void refuse(const QString& path, const QString& reason) {
    throw Refusal{path, reason};
}

QString at(const QString& path, const char* key) {
    return path.isEmpty() ? QString::fromLatin1(key) : path + u'.' + QString::fromLatin1(key);
}
// A key from the file, quoted short.
QString at(const QString& path, const QString& key) {
    const QString shown = fileTextExcerpt(key);
    return path.isEmpty() ? shown : path + u'.' + shown;
}
QString at(const QString& path, int index) {
    return path + u'[' + QString::number(index) + u']';
}

// Reads an object and refuses keys it does not know.
class Fields {
public:
    Fields(const QJsonValue& value, const QString& path, std::initializer_list<const char*> known)
        : m_path(path) {
        if (!value.isObject()) refuse(path, QStringLiteral("オブジェクトが必要です。"));
        m_object = value.toObject();
        for (auto it = m_object.begin(); it != m_object.end(); ++it) {
            bool ok = false;
            for (const char* k : known)
                ok = ok || it.key() == QLatin1String(k);
            if (!ok) refuse(at(path, it.key()), QStringLiteral("不明な項目です。"));
        }
    }
    QString path(const char* key) const { return at(m_path, key); }
    bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }
    QJsonValue value(const char* key) const {
        if (!has(key)) refuse(path(key), QStringLiteral("項目がありません。"));
        return m_object.value(QLatin1String(key));
    }
    double number(const char* key, double low, double high) const {
        return checkedNumber(value(key), path(key), low, high);
    }
    QString text(const char* key, bool optional = false) const {
        if (optional && !has(key)) return {};
        const QJsonValue v = value(key);
        if (!v.isString()) refuse(path(key), QStringLiteral("文字列が必要です。"));
        const QString problem = networkTextProblem(v.toString());
        if (!problem.isEmpty()) refuse(path(key), problem);
        return v.toString();
    }
    bool flag(const char* key) const {
        if (!has(key)) return false;
        if (!value(key).isBool()) refuse(path(key), QStringLiteral("true か false が必要です。"));
        return value(key).toBool();
    }
    QJsonArray array(const char* key, bool optional = false) const {
        if (optional && !has(key)) return {};
        if (!value(key).isArray()) refuse(path(key), QStringLiteral("配列が必要です。"));
        return value(key).toArray();
    }

    static double checkedNumber(const QJsonValue& v, const QString& path, double low, double high) {
        if (!v.isDouble()) refuse(path, QStringLiteral("数値が必要です。"));
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < low || d > high)
            refuse(path, QStringLiteral("%1～%2 の数値が必要です。").arg(low).arg(high));
        return d;
    }

private:
    QString m_path;
    QJsonObject m_object;
};

QJsonArray bandArray(const Fields& f, const char* key) {
    const QJsonArray a = f.array(key);
    if (a.size() != BandCount)
        refuse(f.path(key), QStringLiteral("帯域ごとに 4 つの値が必要です。"));
    return a;
}

BandValues bandValues(const Fields& f, const char* key, double low, double high) {
    const QJsonArray a = bandArray(f, key);
    BandValues v{};
    for (int b = 0; b < BandCount; ++b)
        v[size_t(b)] = Fields::checkedNumber(a[b], at(f.path(key), b), low, high);
    return v;
}

BandLoss bandLoss(const Fields& f, const char* key, double low, double high) {
    const QJsonArray a = bandArray(f, key);
    BandLoss v{};
    for (int b = 0; b < BandCount; ++b)
        if (!a[b].isNull())
            v[size_t(b)] = Fields::checkedNumber(a[b], at(f.path(key), b), low, high);
    return v;
}

template <size_t N> int keyIndex(const char* const (&keys)[N], const QString& key) {
    for (size_t i = 0; i < N; ++i)
        if (key == QLatin1String(keys[i])) return int(i);
    return -1;
}

HeadEnd readHead(const QJsonValue& v, const QString& path) {
    const Fields f(v, path, {"source", "levels", "gain"});
    HeadEnd head;
    const int source = keyIndex(SourceKeys, f.text("source"));
    if (source < 0)
        refuse(f.path("source"), QStringLiteral("typed、terminal、boosterInput のどれかです。"));
    head.source = HeadSource(source);
    head.levels = bandValues(f, "levels", MinHeadLevel, MaxHeadLevel);
    head.gain = bandValues(f, "gain", MinHeadLevel, MaxHeadLevel);
    return head;
}

// Runs a network edit, turning its refusal into one of this place.
template <typename Edit> void apply(const QString& path, Edit edit) {
    try {
        edit();
    } catch (const UserError& e) {
        refuse(path, e.message());
    }
}

void readDefinitions(const Fields& root, Network& net) {
    const QJsonArray cables = root.array("cableTypes", true);
    for (int i = 0; i < cables.size(); ++i) {
        const QString path = at(root.path("cableTypes"), i);
        const Fields f(cables[i], path, {"name", "lossPer100m"});
        CableType cable{f.text("name"), bandLoss(f, "lossPer100m", 0, MaxCableLossPer100m)};
        if (net.cableType(cable.name))
            refuse(f.path("name"), QStringLiteral("名前が重複しています。"));
        apply(path, [&] { net.setCableType(cable); });
    }
    const QJsonArray users = root.array("userComponents", true);
    for (int i = 0; i < users.size(); ++i) {
        const QString path = at(root.path("userComponents"), i);
        const Fields f(users[i], path, {"name", "ports"});
        UserComponent user{f.text("name"), {}};
        const QJsonArray ports = f.array("ports");
        if (ports.isEmpty() || ports.size() > MaxUserPorts)
            refuse(f.path("ports"), QStringLiteral("端子は 1～%1 個です。").arg(MaxUserPorts));
        for (int p = 0; p < ports.size(); ++p) {
            const Fields pf(ports[p], at(f.path("ports"), p), {"outlet", "loss"});
            user.ports.push_back(
                UserPort{bandLoss(pf, "loss", MinUserLoss, MaxUserLoss), pf.flag("outlet")});
        }
        if (net.userComponent(user.name))
            refuse(f.path("name"), QStringLiteral("名前が重複しています。"));
        apply(path, [&] { net.setUserComponent(user); });
    }
}

Component readComponent(const QJsonValue& v, const QString& path) {
    const Fields f(v, path, {"kind", "model", "endUnit"});
    Component c;
    const int kind = keyIndex(KindKeys, f.text("kind"));
    if (kind < 0) refuse(f.path("kind"), QStringLiteral("部品の種類が不明です。"));
    c.kind = ComponentKind(kind);
    const QString model = f.text("model");
    if (c.kind == ComponentKind::User) {
        c.userName = model;
    } else {
        c.model = catalogueModelNumber(c.kind, model);
        if (c.model == 0)
            refuse(f.path("model"),
                   QStringLiteral("カタログにない型式「%1」です。").arg(fileTextExcerpt(model)));
    }
    c.endUnit = f.flag("endUnit");
    if (c.endUnit && c.kind != ComponentKind::SeriesUnit)
        refuse(f.path("endUnit"), QStringLiteral("直列ユニットだけに指定できます。"));
    return c;
}

struct Reader {
    Network& net;
    int nodes = 0;

    void readNodes(const QJsonArray& list, const QString& path, NodeId parent, int depth) {
        if (!list.isEmpty() && depth > MaxNetworkDepth)
            refuse(path, QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
        for (int i = 0; i < list.size(); ++i) {
            if (++nodes > MaxNetworkNodes)
                refuse(at(path, i),
                       QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
            const QString here = at(path, i);
            const Fields f(list[i], here,
                           {"port", "coax", "component", "room", "floor", "children"});
            NodeSetup setup;
            const int port = int(f.number("port", 0, MaxPortIndex));
            if (port != f.number("port", 0, MaxPortIndex))
                refuse(f.path("port"), QStringLiteral("整数が必要です。"));
            const Fields coax(f.value("coax"), f.path("coax"), {"cable", "metres"});
            setup.coax = {coax.text("cable"), coax.number("metres", 0, MaxRunMetres)};
            setup.component = readComponent(f.value("component"), f.path("component"));
            setup.room = f.text("room", true);
            setup.floor = f.text("floor", true);
            NodeId id = 0;
            apply(here, [&] { id = net.addChild(parent, port, setup); });
            readNodes(f.array("children", true), f.path("children"), id, depth + 1);
        }
    }
};

QJsonArray bandJson(const BandValues& v) {
    QJsonArray a;
    for (double d : v)
        a.append(d);
    return a;
}
QJsonArray bandJson(const BandLoss& v) {
    QJsonArray a;
    for (const auto& d : v)
        a.append(d ? QJsonValue(*d) : QJsonValue(QJsonValue::Null));
    return a;
}

QJsonArray nodesJson(const Network& net, NodeId parent) {
    QJsonArray list;
    for (NodeId id : net.children(parent)) {
        const NetNode& n = net.node(id);
        const Component& c = n.setup.component;
        QJsonObject component{{"kind", KindKeys[int(c.kind)]}};
        component["model"] = c.kind == ComponentKind::User
                                 ? c.userName
                                 : catalogueModelNames(c.kind).value(c.model - 1);
        if (c.endUnit) component["endUnit"] = true;
        QJsonObject o{
            {"port", n.parentPort},
            {"coax", QJsonObject{{"cable", n.setup.coax.cable}, {"metres", n.setup.coax.metres}}},
            {"component", component}};
        if (!n.setup.room.isEmpty()) o["room"] = n.setup.room;
        if (!n.setup.floor.isEmpty()) o["floor"] = n.setup.floor;
        if (!n.children.empty()) o["children"] = nodesJson(net, id);
        list.append(o);
    }
    return list;
}

QString refusalMessage(const QString& fileName, const QString& detail) {
    return QStringLiteral("「%1」はネットワークファイルとして読み込めません。").arg(fileName) +
           QChar(13) + detail;
}

} // namespace

QByteArray encodeNetwork(const Network& net) {
    QJsonObject root{{"format", NetworkFormatName}, {"version", NetworkFormatVersion}};
    root["headEnd"] = QJsonObject{{"source", SourceKeys[int(net.head.source)]},
                                  {"levels", bandJson(net.head.levels)},
                                  {"gain", bandJson(net.head.gain)}};
    QJsonArray cables;
    for (const CableType& c : net.cableTypes())
        cables.append(QJsonObject{{"name", c.name}, {"lossPer100m", bandJson(c.lossPer100m)}});
    root["cableTypes"] = cables;
    QJsonArray users;
    for (const UserComponent& u : net.userComponents()) {
        QJsonArray ports;
        for (const UserPort& p : u.ports)
            ports.append(QJsonObject{{"outlet", p.outlet}, {"loss", bandJson(p.loss)}});
        users.append(QJsonObject{{"name", u.name}, {"ports", ports}});
    }
    root["userComponents"] = users;
    root["nodes"] = nodesJson(net, HeadEndId);
    // Compact: the size cap is reckoned on this form.
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

Network decodeNetwork(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() > MaxNetworkFileBytes)
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルが大きすぎます。")));
    if (jsonItemCount(bytes) > MaxNetworkFileItems)
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルの項目が多すぎます。")));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw UserError(refusalMessage(
            fileName,
            QStringLiteral("%1 バイト目付近: JSON として読めません。").arg(error.offset)));
    try {
        if (const auto repeated = repeatedJsonKey(bytes))
            refuse(*repeated, QStringLiteral("同じ項目が二度あります。"));
        const Fields root(
            doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(), QString(),
            {"format", "version", "headEnd", "cableTypes", "userComponents", "nodes"});
        if (root.text("format") != QLatin1String(NetworkFormatName))
            refuse(root.path("format"), QStringLiteral("ネットワークファイルではありません。"));
        if (root.number("version", 0, 1e9) != NetworkFormatVersion)
            refuse(root.path("version"), QStringLiteral("この版のファイルは読めません。"));
        Network net;
        const HeadEnd head = readHead(root.value("headEnd"), root.path("headEnd"));
        apply(root.path("headEnd"), [&] { net.setHead(head); });
        readDefinitions(root, net);
        Reader{net}.readNodes(root.array("nodes"), root.path("nodes"), HeadEndId, 1);
        return net;
    } catch (const Refusal& r) {
        throw UserError(
            refusalMessage(fileName, (r.path.isEmpty() ? QStringLiteral("(全体)") : r.path) +
                                         QStringLiteral(": ") + r.reason));
    }
}

Network readNetworkFile(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists()) throw UserError(QStringLiteral("「%1」が見つかりません。").arg(name));
    // A pipe or device would block the read or never end.
    if (!info.isFile())
        throw UserError(QStringLiteral("「%1」は通常のファイルではありません。").arg(name));
    if (info.size() > MaxNetworkFileBytes)
        throw UserError(QStringLiteral("「%1」は大きすぎるため読み込めません。").arg(name));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(
            QStringLiteral("「%1」を開けません（%2）。").arg(name, systemErrorText(errno)));
    // One byte more than allowed at most: a file that grew meanwhile is refused.
    const QByteArray bytes = file.read(MaxNetworkFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw UserError(
            QStringLiteral("「%1」を読み込めません（%2）。").arg(name, systemErrorText(errno)));
    return decodeNetwork(bytes, name);
}

void writeNetworkFile(const QString& path, const Network& network) {
    const QString name = QFileInfo(path).fileName();
    const WriteResult result = writeFileBytes(path, encodeNetwork(network));
    if (result.ok()) return;
    if (!result.refusal.isEmpty()) throw UserError(result.refusal);
    if (!result.opened)
        throw UserError(QStringLiteral("「%1」を作成できません（%2）。保存を中止しました。")
                            .arg(name, systemErrorText(result.error)));
    throw UserError(QStringLiteral("「%1」の書き込みに失敗しました（%2）。"
                                   "元のファイルは変更されていません。")
                        .arg(name, systemErrorText(result.error)));
}

} // namespace miravel::network
