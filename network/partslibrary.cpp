#include "network/partslibrary.h"

#include "common/errors.h"
#include "common/filestamp.h"
#include "common/oserror.h"
#include "common/wholefile.h"
#include "network/jsonkeys.h"
#include "network/tvdnfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>

using namespace miravel::common;

namespace miravel::network {

namespace {

const char* const DefinitionsKey = "definitions";
const char* const PricesKey = "prices";

struct Refusal {
    QString path;
    QString reason;
};

[[noreturn]] void refuse(const QString& path, const QString& reason) {
    throw Refusal{path, reason};
}

QString refusalMessage(const QString& fileName, const QString& detail) {
    return QStringLiteral("「%1」は部品ライブラリとして読み込めません。").arg(fileName) +
           QChar(13) + detail;
}

// The network reader's refusal, its place put under "definitions".
[[noreturn]] void refuseDefinitions(const QString& networkMessage) {
    QString detail = networkMessage.mid(networkMessage.indexOf(QChar(13)) + 1);
    const QString whole = QStringLiteral("(全体): ");
    if (detail.startsWith(whole)) refuse(QLatin1String(DefinitionsKey), detail.mid(whole.size()));
    const qsizetype colon = detail.indexOf(QStringLiteral(": "));
    if (colon < 0) refuse(QLatin1String(DefinitionsKey), detail);
    refuse(QLatin1String(DefinitionsKey) + u'.' + detail.left(colon), detail.mid(colon + 2));
}

Network readDefinitions(const QJsonValue& value, const QString& fileName) {
    if (!value.isObject())
        refuse(QLatin1String(DefinitionsKey), QStringLiteral("オブジェクトが必要です。"));
    Network read;
    try {
        read =
            decodeNetwork(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact), fileName);
    } catch (const UserError& e) {
        refuseDefinitions(e.message());
    }
    if (read.nodeCount() != 0)
        refuse(QLatin1String(DefinitionsKey) + QStringLiteral(".nodes"),
               QStringLiteral("部品ライブラリに配線は置けません。"));
    Network definitions; // the definitions alone: no head end settings
    definitions.setDefinitions(read.cableTypes(), read.userComponents());
    return definitions;
}

UnitPrices readPrices(const QJsonValue& value) {
    const QString path = QLatin1String(PricesKey);
    if (!value.isObject()) refuse(path, QStringLiteral("オブジェクトが必要です。"));
    const QJsonObject object = value.toObject();
    if (object.size() > MaxPartPrices)
        refuse(path, QStringLiteral("単価は %1 件までです。").arg(MaxPartPrices));
    UnitPrices prices;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString here = path + u'.' + fileTextExcerpt(it.key());
        if (!it.value().isDouble()) refuse(here, QStringLiteral("数値が必要です。"));
        const QString problem = unitPriceProblem(it.key(), it.value().toDouble());
        if (!problem.isEmpty()) refuse(here, problem);
        prices[it.key()] = it.value().toDouble();
    }
    return prices;
}

PartsLibrary readRoot(const QJsonDocument& doc, const QString& fileName) {
    if (!doc.isObject()) refuse(QString(), QStringLiteral("オブジェクトが必要です。"));
    const QJsonObject root = doc.object();
    for (auto it = root.begin(); it != root.end(); ++it)
        if (it.key() != QLatin1String("format") && it.key() != QLatin1String("version") &&
            it.key() != QLatin1String(DefinitionsKey) && it.key() != QLatin1String(PricesKey))
            refuse(fileTextExcerpt(it.key()), QStringLiteral("不明な項目です。"));
    for (const char* key : {"format", "version", DefinitionsKey, PricesKey})
        if (!root.contains(QLatin1String(key)))
            refuse(QLatin1String(key), QStringLiteral("項目がありません。"));
    if (root.value(QLatin1String("format")).toString() != QLatin1String(PartsLibraryFormatName))
        refuse(QStringLiteral("format"), QStringLiteral("部品ライブラリではありません。"));
    if (root.value(QLatin1String("version")) != QJsonValue(PartsLibraryFormatVersion))
        refuse(QStringLiteral("version"), QStringLiteral("この版の部品ライブラリは読めません。"));
    PartsLibrary library;
    library.definitions = readDefinitions(root.value(QLatin1String(DefinitionsKey)), fileName);
    library.prices = readPrices(root.value(QLatin1String(PricesKey)));
    return library;
}

} // namespace

QString unitPriceProblem(const QString& name, double yen) {
    if (name.trimmed().isEmpty()) return QStringLiteral("名前が空です。");
    const QString problem = networkTextProblem(name);
    if (!problem.isEmpty()) return QStringLiteral("名前は") + problem;
    if (!std::isfinite(yen) || yen < 0 || yen > MaxUnitPrice)
        return QStringLiteral("単価は 0～%1 円で指定してください。")
            .arg(QLocale(QLocale::Japanese).toString(qint64(MaxUnitPrice)));
    return {};
}

void setUnitPrice(PartsLibrary& library, const QString& name, std::optional<double> yen) {
    if (!yen) {
        library.prices.erase(name);
        return;
    }
    const QString problem = unitPriceProblem(name, *yen);
    if (!problem.isEmpty())
        throw UserError(QStringLiteral("「%1」: %2").arg(fileTextExcerpt(name), problem));
    if (!library.prices.count(name) && int(library.prices.size()) >= MaxPartPrices)
        throw UserError(QStringLiteral("単価は %1 件までです。").arg(MaxPartPrices));
    library.prices[name] = *yen;
}

DefinitionChoice allDefinitions(const Network& network) {
    DefinitionChoice all;
    for (const CableType& c : network.cableTypes())
        all.cableTypes << c.name;
    for (const UserComponent& u : network.userComponents())
        all.userComponents << u.name;
    return all;
}

QStringList clashingDefinitions(const Network& from, const DefinitionChoice& choice,
                                const Network& into) {
    QStringList clashes;
    for (const QString& name : choice.cableTypes)
        if (from.cableType(name) && into.cableType(name) &&
            !(*from.cableType(name) == *into.cableType(name)))
            clashes << name;
    for (const QString& name : choice.userComponents)
        if (from.userComponent(name) && into.userComponent(name) &&
            !(*from.userComponent(name) == *into.userComponent(name)))
            clashes << name;
    return clashes;
}

namespace {

template <typename T> void putByName(std::vector<T>& list, const T* item) {
    if (!item) return;
    for (T& existing : list)
        if (existing.name == item->name) {
            existing = *item;
            return;
        }
    list.push_back(*item);
}

} // namespace

void copyDefinitions(const Network& from, const DefinitionChoice& choice, Network& into) {
    std::vector<CableType> cables = into.cableTypes();
    std::vector<UserComponent> users = into.userComponents();
    for (const QString& name : choice.cableTypes)
        putByName(cables, from.cableType(name));
    for (const QString& name : choice.userComponents)
        putByName(users, from.userComponent(name));
    into.setDefinitions(cables, users);
}

PartsLibrary mergedLibrary(const PartsLibrary& library, const PartsLibrary& imported) {
    PartsLibrary merged = library;
    copyDefinitions(imported.definitions, allDefinitions(imported.definitions), merged.definitions);
    for (const auto& [name, yen] : imported.prices)
        setUnitPrice(merged, name, yen);
    return merged;
}

QByteArray encodePartsLibrary(const PartsLibrary& library) {
    Network definitions;
    definitions.setDefinitions(library.definitions.cableTypes(),
                               library.definitions.userComponents());
    QJsonObject prices;
    for (const auto& [name, yen] : library.prices)
        prices.insert(name, yen);
    const QJsonObject root{
        {"format", PartsLibraryFormatName},
        {"version", PartsLibraryFormatVersion},
        {DefinitionsKey, QJsonDocument::fromJson(encodeNetwork(definitions)).object()},
        {PricesKey, prices}};
    // Compact: the size cap is reckoned on this form.
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

PartsLibrary decodePartsLibrary(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() > MaxPartsLibraryBytes)
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルが大きすぎます。")));
    if (!jsonItemsWithin(bytes, MaxPartsLibraryItems))
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
        return readRoot(doc, fileName);
    } catch (const Refusal& r) {
        throw UserError(
            refusalMessage(fileName, (r.path.isEmpty() ? QStringLiteral("(全体)") : r.path) +
                                         QStringLiteral(": ") + r.reason));
    }
}

PartsLibrary readPartsLibraryFile(const QString& path) {
    return decodePartsLibrary(readWholeFile(path, MaxPartsLibraryBytes),
                              QFileInfo(path).fileName());
}

void writePartsLibraryFile(const QString& path, const PartsLibrary& library) {
    const QByteArray bytes = encodePartsLibrary(library);
    if (bytes.size() > MaxPartsLibraryBytes)
        throw UserError(QStringLiteral("部品ライブラリが大きすぎるため保存できません。"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    const WriteResult result = writeFileBytes(path, bytes);
    if (!result.ok()) throw UserError(result.message(path));
}

QString userPartsLibraryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/parts-library.json");
}

UserPartsLibrary::UserPartsLibrary(const QString& path) : m_path(path) {
    reload();
}

void UserPartsLibrary::reload() {
    m_library = {};
    m_problem.clear();
    if (!QFileInfo::exists(m_path)) return;
    try {
        m_library = readPartsLibraryFile(m_path);
    } catch (const UserError& e) {
        m_problem = e.message();
    }
}

void UserPartsLibrary::save(const PartsLibrary& changed) {
    if (!m_problem.isEmpty())
        throw UserError(QStringLiteral("部品ライブラリ「%1」が読み込めないため、変更できません。"
                                       "ファイルはそのまま残してあります。"
                                       "インポートで置き換えると使えるようになります。")
                            .arg(QDir::toNativeSeparators(m_path)));
    writePartsLibraryFile(m_path, changed);
    m_library = changed;
}

QString UserPartsLibrary::replaceBroken(const PartsLibrary& changed) {
    QString kept;
    if (!m_problem.isEmpty() && QFileInfo::exists(m_path)) {
        kept = m_path + QStringLiteral(".broken-") +
               QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (!QFile::rename(m_path, kept))
            throw UserError(QStringLiteral("読み込めない部品ライブラリ「%1」を残しておけないため、"
                                           "置き換えを中止しました。")
                                .arg(QDir::toNativeSeparators(m_path)));
    }
    m_problem.clear();
    save(changed);
    return kept;
}

const PartsLibrary& currentPartsLibrary() {
    static FileStamp stamp;
    static bool existed = false;
    static PartsLibrary library;
    const QString path = userPartsLibraryPath();
    const bool exists = QFileInfo::exists(path);
    if (!stamp.isOf(path) || exists != existed || stamp.changedOnDisk(path)) {
        stamp.remember(path);
        existed = exists;
        library = UserPartsLibrary(path).library();
    }
    return library;
}

UnitPrices unitPrices() {
    return currentPartsLibrary().prices;
}

const std::vector<CableType>& libraryCableTypes() {
    return currentPartsLibrary().definitions.cableTypes();
}

const std::vector<UserComponent>& libraryUserComponents() {
    return currentPartsLibrary().definitions.userComponents();
}

PriceTable libraryPriceTable() {
    PriceTable table;
    for (const auto& [name, yen] : unitPrices()) {
        table.perPiece[name] = yen;
        table.perMetre[name] = yen;
    }
    return table;
}

} // namespace miravel::network
