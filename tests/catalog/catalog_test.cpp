#include "catalog/catalog.h"
#include "catalogcells.h"
#include "common/errors.h"
#include "common/numval.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

using namespace miravel::catalog;
using namespace miravel::common;

namespace {

struct TableInfo {
    CatalogTable* table;
    std::vector<int> upper;
    void (*fill)();
    int filledCells; // non-empty cells once filled
};

const std::vector<TableInfo>& allTables() {
    static const std::vector<TableInfo> tables = {
        {&Douziyuku_Mt, {10, 7}, Set_Douziyuku, 64}, {&Booster_Mt, {10, 16}, Set_Booster, 144},
        {&VAnt_Mt, {10, 10}, Set_VAnt, 81},          {&UAnt_Mt, {6, 10}, Set_UAnt, 63},
        {&Bunpai_Mt, {6, 4, 3}, Set_Bunpai, 106},    {&Kongou_Mt, {2, 3, 3}, Set_Kongou, 26},
        {&Bunki_Mt, {4, 4, 5}, Set_Bunki, 101},      {&Yunit1_Mt, {2, 4, 5}, Set_Yunit1, 53},
        {&Yunit2_Mt, {2, 4, 6}, Set_Yunit2, 62},     {&Yunit1B_Mt, {2, 4, 8}, Set_Yunit1B, 61},
        {&Tanshi_Mt, {4, 4, 3}, Set_Tanshi, 51},     {&Yunit1CS_Mt, {2, 4, 5}, Set_Yunit1CS, 53},
        {&Yunit2CS_Mt, {2, 4, 5}, Set_Yunit2CS, 53}, {&Catv_Mt, {6, 6}, Set_Catv, 28},
    };
    return tables;
}

const QString& cell(const CatalogTable& t, const std::vector<int>& index) {
    return index.size() == 2 ? t(index[0], index[1]) : t(index[0], index[1], index[2]);
}

int subscriptError(const std::function<void()>& access) {
    try {
        access();
    } catch (const RunTimeError& e) {
        return e.number();
    }
    return 0;
}

int filledCells(const CatalogTable& t) {
    int count = 0;
    const int ni = t.upperBound(0), nj = t.upperBound(1);
    for (int i = 0; i <= ni; ++i)
        for (int j = 0; j <= nj; ++j) {
            if (t.dimensions() == 2) {
                count += !t(i, j).isEmpty();
                continue;
            }
            for (int k = 0; k <= t.upperBound(2); ++k)
                count += !t(i, j, k).isEmpty();
        }
    return count;
}

// Puts the loaded catalogue back however a test ends.
struct CatalogueRestorer {
    ~CatalogueRestorer() { loadCatalogue(); }
};

} // namespace

TEST(Catalogue, DeclaredRangesAreCheckedOnEveryAccess) {
    for (const auto& info : allTables()) {
        const CatalogTable& t = *info.table;
        SCOPED_TRACE(t.name());
        ASSERT_EQ(t.dimensions(), int(info.upper.size()));
        for (int d = 0; d < t.dimensions(); ++d)
            EXPECT_EQ(t.upperBound(d), info.upper[d]);

        EXPECT_EQ(subscriptError([&] { cell(t, info.upper); }), 0);
        for (size_t d = 0; d < info.upper.size(); ++d) {
            auto beyond = info.upper;
            beyond[d] += 1;
            EXPECT_EQ(subscriptError([&] { cell(t, beyond); }), 9) << "dimension " << d;
            auto negative = info.upper;
            negative[d] = -1;
            EXPECT_EQ(subscriptError([&] { cell(t, negative); }), 9) << "dimension " << d;
        }
        if (t.dimensions() == 2)
            EXPECT_EQ(subscriptError([&] { t(0, 0, 0); }), 9);
        else
            EXPECT_EQ(subscriptError([&] { t(0, 0); }), 9);
    }
}

TEST(Catalogue, CellsReadAsListed) {
    struct Case {
        const CatalogTable& table;
        std::vector<int> index;
        const char* text;
    };
    const Case cases[] = {
        // coax: headings, full-width digits, "--" where a type has no value
        {Douziyuku_Mt, {0, 1}, "特性ｲﾝﾋﾟｰﾀﾞﾝｽ"},
        {Douziyuku_Mt, {0, 7}, "1,770Mhz"},
        {Douziyuku_Mt, {1, 0}, "５C-2V"},
        {Douziyuku_Mt, {1, 1}, "75 Ω"},
        {Douziyuku_Mt, {1, 6}, "--"},
        {Douziyuku_Mt, {2, 7}, "--"},
        {Douziyuku_Mt, {2, 4}, "--"},
        {Douziyuku_Mt, {4, 2}, "5.0"},
        {Douziyuku_Mt, {7, 0}, "S-10C-HFL"},
        {Douziyuku_Mt, {7, 7}, "17.6"},
        // antennas
        {VAnt_Mt, {0, 6}, "電　圧定在波比"},
        {VAnt_Mt, {1, 2}, "VW-12"},
        {VAnt_Mt, {2, 3}, "ﾃﾚﾋﾞﾊｲﾁｬﾝﾈﾙ(4-12)"},
        {VAnt_Mt, {7, 5}, "4.5以上"},
        {VAnt_Mt, {8, 8}, "9以上"},
        {UAnt_Mt, {0, 2}, "型　式"},
        {UAnt_Mt, {1, 1}, "20 以上"},
        {UAnt_Mt, {5, 5}, "9.0以上"},
        {UAnt_Mt, {5, 8}, "15以上"},
        {UAnt_Mt, {6, 5}, "9.0 以上"},
        {UAnt_Mt, {6, 2}, "UH-20S(ｽﾃﾝﾚｽ製)"},
        // distributors: headings down the band index, name in band column 0
        {Bunpai_Mt, {0, 0, 0}, "周波数帯域    (Mhz)"},
        {Bunpai_Mt, {0, 3, 0}, "電圧定在波比"},
        {Bunpai_Mt, {2, 0, 0}, "４分配　BS-D4"},
        {Bunpai_Mt, {2, 4, 1}, "--"},
        {Bunpai_Mt, {1, 3, 0}, "1035-1333"},
        {Bunpai_Mt, {5, 2, 3}, "1.8"},
        {Bunpai_Mt, {6, 4, 1}, "15.5"},
        {Bunpai_Mt, {6, 4, 2}, "25"},
        // mixers
        {Kongou_Mt, {0, 2, 0}, "阻止帯域減衰量 (db)"},
        {Kongou_Mt, {1, 0, 0}, "M-UV-7 MC-UV-7"},
        {Kongou_Mt, {2, 0, 0}, "BS-M  BS-MC"},
        {Kongou_Mt, {2, 3, 0}, "1035-1335"},
        {Kongou_Mt, {1, 2, 1}, "1.5"},
        {Kongou_Mt, {2, 3, 1}, "1.8"},
        // branchers: headings along the property index, name in every band
        {Bunki_Mt, {0, 0, 1}, "周波数帯域    (Mhz)"},
        {Bunki_Mt, {0, 0, 5}, "逆結合損失"},
        {Bunki_Mt, {1, 1, 0}, "２分岐　BS-C2"},
        {Bunki_Mt, {4, 4, 0}, "４分岐　CS-C4"},
        {Bunki_Mt, {2, 4, 2}, "--"},
        {Bunki_Mt, {3, 4, 3}, "15.5"},
        {Bunki_Mt, {4, 2, 2}, "4.5"},
        // series units
        {Yunit1_Mt, {0, 0, 4}, "逆結合損失　(db)"},
        {Yunit1_Mt, {2, 3, 0}, "BS-7F-R"},
        {Yunit1_Mt, {1, 4, 1}, "1335-1770"},
        {Yunit1_Mt, {2, 3, 3}, "10"},
        {Yunit1_Mt, {2, 1, 2}, "--"},
        {Yunit2_Mt, {0, 0, 6}, "端子間結合損失　(db)"},
        {Yunit2_Mt, {1, 3, 3}, "17.5"},
        {Yunit2_Mt, {2, 3, 3}, "14.5"},
        {Yunit1B_Mt, {1, 1, 0}, "BS-7F-77"},
        {Yunit1B_Mt, {1, 1, 4}, "20"},
        {Yunit1B_Mt, {2, 3, 4}, "--"},
        {Yunit1CS_Mt, {2, 4, 0}, "CSM-7-RN"},
        {Yunit1CS_Mt, {1, 4, 2}, "1.0"},
        {Yunit1CS_Mt, {2, 4, 3}, "10.0"},
        {Yunit2CS_Mt, {1, 1, 0}, "CSM-77N"},
        {Yunit2CS_Mt, {2, 4, 3}, "12.5"},
        // outlets
        {Tanshi_Mt, {0, 0, 2}, "挿入損失　(db)"},
        {Tanshi_Mt, {2, 4, 0}, "BS-77F"},
        {Tanshi_Mt, {4, 1, 0}, "DCM7FTCS"},
        {Tanshi_Mt, {3, 2, 2}, "0.4"},
        {Tanshi_Mt, {1, 4, 2}, "--"},
        {Tanshi_Mt, {4, 4, 2}, "1.5"},
        // booster sheets
        {Booster_Mt, {0, 0}, "項　　目"},
        {Booster_Mt, {6, 0}, "ＢＳ・ＵＶ－１型"},
        {Booster_Mt, {5, 1}, "1,035-1335"},
        {Booster_Mt, {8, 1}, "1,035-1,335"},
        {Booster_Mt, {6, 1}, "46-108･170-222"},
        {Booster_Mt, {7, 5}, "-"},
        {Booster_Mt, {8, 5}, "-5"},
        {Booster_Mt, {8, 6}, "①ﾌﾗｯﾄ時:任意の27Mhzで±1.0以内、全帯域で±2.5以内"},
        {Booster_Mt, {5, 13}, "－６０以下"},
        {Booster_Mt, {8, 15}, "AC 100v 50/60Hz"},
        {Catv_Mt, {1, 0}, "ＣＡＴＶ上り"},
        {Catv_Mt, {1, 2}, "TV 2  DATA"},
        {Catv_Mt, {2, 2}, "TV 74  ﾃﾞｼﾞﾀﾙ"},
        {Catv_Mt, {1, 6}, "0-10"},
        {Catv_Mt, {2, 6}, "0-10"},
        {Catv_Mt, {3, 6}, "10 以上"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cell(c.table, c.index), QString::fromUtf8(c.text))
            << c.table.name() << " " << ::testing::PrintToString(c.index);
}

TEST(Catalogue, UnlistedCellsAreEmpty) {
    struct Case {
        const CatalogTable& table;
        std::vector<int> index;
    };
    const Case cases[] = {
        {Douziyuku_Mt, {8, 3}},  {Douziyuku_Mt, {10, 7}}, {VAnt_Mt, {1, 9}},
        {VAnt_Mt, {9, 2}},       {UAnt_Mt, {6, 10}},      {Kongou_Mt, {1, 3, 1}},
        {Kongou_Mt, {1, 3, 0}},  {Kongou_Mt, {0, 1, 1}},  {Bunpai_Mt, {1, 0, 1}},
        {Bunki_Mt, {0, 0, 0}},   {Bunki_Mt, {1, 0, 0}},   {Yunit1_Mt, {1, 0, 1}},
        {Yunit1B_Mt, {2, 4, 4}}, {Yunit1B_Mt, {1, 1, 7}}, {Tanshi_Mt, {1, 4, 3}},
        {Tanshi_Mt, {3, 2, 0}},  {Tanshi_Mt, {3, 1, 3}},  {Booster_Mt, {9, 0}},
        {Booster_Mt, {1, 16}},   {Catv_Mt, {4, 0}},       {Catv_Mt, {6, 6}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(cell(c.table, c.index).isEmpty())
            << c.table.name() << " " << ::testing::PrintToString(c.index);
    // No table holds more than its listed cells.
    for (const auto& info : allTables())
        EXPECT_EQ(filledCells(*info.table), info.filledCells) << info.table->name();
}

TEST(Catalogue, ConsumersReadTheQualifiedNumbers) {
    EXPECT_DOUBLE_EQ(NumVal(VAnt_Mt(7, 5)), 4.5);
    EXPECT_DOUBLE_EQ(NumVal(Douziyuku_Mt(1, 6)), 0);
    EXPECT_EQ(subscriptError([] { strictCellValue(Douziyuku_Mt(1, 6)); }), 13);
    EXPECT_EQ(subscriptError([] { strictCellValue(Douziyuku_Mt(2, 7)); }), 13);
    EXPECT_DOUBLE_EQ(strictCellValue(Douziyuku_Mt(3, 6)), 31.1);
}

TEST(Catalogue, LoadingAgainChangesNothing) {
    CatalogueRestorer restore;
    std::vector<CatalogTable> before;
    for (const auto& info : allTables())
        before.push_back(*info.table);
    loadCatalogue();
    refillBoardTables();
    for (size_t n = 0; n < before.size(); ++n)
        EXPECT_TRUE(*allTables()[n].table == before[n]) << before[n].name();
}

TEST(Catalogue, EachFillRoutineWritesOnlyItsOwnTable) {
    CatalogueRestorer restore;
    std::vector<CatalogTable> loaded;
    for (const auto& info : allTables())
        loaded.push_back(*info.table);

    for (size_t own = 0; own < allTables().size(); ++own) {
        for (const auto& info : allTables())
            *info.table = CatalogTable(info.table->name(), info.upper);
        allTables()[own].fill();
        for (size_t n = 0; n < allTables().size(); ++n) {
            const CatalogTable& t = *allTables()[n].table;
            if (n == own)
                EXPECT_TRUE(t == loaded[n]) << t.name() << " not filled completely";
            else
                EXPECT_EQ(filledCells(t), 0) << loaded[own].name() << " wrote into " << t.name();
        }
    }
}

namespace {

// "Bunpai_Mt 1 2 3" for Bunpai_Mt (1, 2, 3).
QString cellKey(const CatalogTable& t, const std::vector<int>& index) {
    QString key = QString::fromLatin1(t.name());
    for (int n : index)
        key += QStringLiteral(" %1").arg(n);
    return key;
}

// The listed cells by key: a line's row of cells runs along the band (or
// column) index j.
QHash<QString, QString> listedCells() {
    QHash<QString, QString> cells;
    for (const QString& line : QString::fromUtf8(listedCatalogueCells()).split(u'\n')) {
        const qsizetype colon = line.indexOf(QStringLiteral(" : "));
        if (colon < 0) continue;
        const QStringList head = line.left(colon).split(u' ');
        const QStringList texts = line.mid(colon + 3).split(u'|');
        for (int j = 0; j < texts.size(); ++j) {
            QString key = head[0] + QStringLiteral(" ") + head[1] + QStringLiteral(" %1").arg(j);
            if (head.size() == 3) key += QStringLiteral(" ") + head[2];
            if (!texts[j].isEmpty()) cells.insert(key, texts[j]);
        }
    }
    return cells;
}

} // namespace

// Every cell of every table against the data sheets; a cell they do not list
// is empty. The BS range of the BS mixer is the program's own choice.
TEST(Catalogue, EveryCellReadsAsTheDataSheetsGiveIt) {
    const QHash<QString, QString> listed = listedCells();
    int checked = 0;
    for (const auto& info : allTables()) {
        const CatalogTable& t = *info.table;
        const bool threeD = t.dimensions() == 3;
        for (int i = 0; i <= info.upper[0]; ++i)
            for (int j = 0; j <= info.upper[1]; ++j)
                for (int k = 0; k <= (threeD ? info.upper[2] : 0); ++k) {
                    const std::vector<int> index =
                        threeD ? std::vector<int>{i, j, k} : std::vector<int>{i, j};
                    const QString key = cellKey(t, index);
                    if (key == QStringLiteral("Kongou_Mt 2 3 0")) continue;
                    EXPECT_EQ(cell(t, index), listed.value(key)) << key.toStdString();
                    checked += listed.contains(key);
                }
    }
    EXPECT_EQ(checked, listed.size());
}
