#include "catalog/catalog.h"

namespace miravel::catalog {

// The component data the calculations read. Texts are kept exactly as the
// makers' sheets word them: full-width characters, "--" for a value a
// component does not have in a band, and qualifiers such as "以上" with or
// without a space. Each routine writes only its own table and always the same
// texts, so running it again leaves the table unchanged.
//
// The booster sheets (Set_Booster, Set_Catv) are in boosterdata.cpp.

namespace {

// Assigns property k of model i across the band columns 1, 2, ... (VHF, UHF, BS, CS).
void setBands(CatalogTable& table, int i, int k, const QStringList& texts) {
    for (int n = 0; n < texts.size(); ++n)
        table.set(i, 1 + n, k, texts[n]);
}

// The model name in every band column j = 1..4, property 0.
void setModelName(CatalogTable& table, int i, const QString& name) {
    setBands(table, i, 0, {name, name, name, name});
}

const QStringList AntennaHeadings = {"帯　域",         "素子数",        "型　式",
                                     "チャンネル",     "周波数帯(Mhz)", "動作特性(db)",
                                     "電　圧定在波比", "半値幅(度)",    "前後比(db)"};

} // namespace

void Set_Douziyuku() {
    CatalogTable& t = Douziyuku_Mt;
    t.setRow(0, 0,
             {"ｹｰﾌﾞﾙ種別", "特性ｲﾝﾋﾟｰﾀﾞﾝｽ", "90Mhz", "220Mhz", "470Mhz", "770Mhz", "1,300Mhz",
              "1,770Mhz"});
    t.setRow(1, 0, {"５C-2V", "75 Ω", "8.6", "13.0", "--", "26.0", "--", "--"});
    t.setRow(2, 0, {"７C-2V", "75 Ω", "7.1", "10.5", "--", "22.0", "--", "--"});
    t.setRow(3, 0, {"S-5C-FB", "75 Ω", "6.9", "11.1", "16.7", "21.9", "31.1", "37.8"});
    t.setRow(4, 0, {"S-7C-FB", "75 Ω", "5.0", "8.1", "12.2", "16.4", "23.3", "29.4"});
    t.setRow(5, 0, {"S-5C-HFL", "75 Ω", "6.3", "9.5", "14.4", "18.4", "25.3", "31.9"});
    t.setRow(6, 0, {"S-7C-HFL", "75 Ω", "4.4", "6.6", "10.3", "13.3", "17.3", "21.9"});
    t.setRow(7, 0, {"S-10C-HFL", "75 Ω", "3.2", "5.0", "7.6", "10.1", "13.4", "17.6"});
}

void Set_VAnt() {
    CatalogTable& t = VAnt_Mt;
    t.setRow(0, 0, AntennaHeadings);
    t.setRow(1, 0,
             {"全帯域用", "１２", "VW-12", "ﾃﾚﾋﾞﾛｰﾁｬﾝﾈﾙ(1-3)", "90-108", "4.0以上", "3.0以上",
              "70以下", "9以上"});
    t.setRow(2, 0,
             {"全帯域用", "１２", "VW-12(ｽﾃﾝﾚｽ製)", "ﾃﾚﾋﾞﾊｲﾁｬﾝﾈﾙ(4-12)", "170-222", "7.0以上",
              "3.0以上", "60以下", "12以上"});
    t.setRow(3, 0,
             {"広帯域用", "５", "LV-5", "FM", "76-90", "4.0以上", "3.0以上", "75以下", "7以上"});
    t.setRow(4, 0,
             {"広帯域用", "５", "LV-5S(ｽﾃﾝﾚｽ製)", "ﾃﾚﾋﾞﾛｰﾁｬﾝﾈﾙ(1-3)", "90-108", "4.0以上",
              "3.0以上", "75以下", "7以上"});
    t.setRow(5, 0,
             {"広帯域用", "８", "LV-8", "ﾃﾚﾋﾞﾊｲﾁｬﾝﾈﾙ(4-12)", "170-222", "7.0以上", "2.5以上",
              "60以下", "18以上"});
    t.setRow(6, 0,
             {"広帯域用", "８", "LV-8S(ｽﾃﾝﾚｽ製)", "ﾃﾚﾋﾞﾊｲﾁｬﾝﾈﾙ(4-12)", "170-222", "7.0以上",
              "2.5以上", "60以下", "18以上"});
    t.setRow(7, 0,
             {"専用域用", "５", "VS-FM", "FM", "76-90", "4.5以上", "2.5以上", "70以下", "9以上"});
    t.setRow(8, 0,
             {"専用域用", "５", "VS-FMS(ｽﾃﾝﾚｽ製)", "FM", "76-90", "4.5以上", "2.5以上", "70以下",
              "9以上"});
}

void Set_UAnt() {
    CatalogTable& t = UAnt_Mt;
    t.setRow(0, 0, AntennaHeadings);
    t.setRow(1, 0,
             {"低域用", "20 以上", "UL-20", "13-30", "470-578", "6.0 以上", "2.5 以上", "50 以下",
              "15 以上"});
    t.setRow(2, 0,
             {"低域用", "20 以上", "UL-20S(ｽﾃﾝﾚｽ製)", "13-30", "470-578", "6.0 以上", "2.5 以上",
              "50 以下", "15 以上"});
    t.setRow(3, 0,
             {"中域用", "20 以上", "UM-20", "31-44", "578-662", "9.0 以上", "2.5 以上", "50 以下",
              "15 以上"});
    t.setRow(4, 0,
             {"中域用", "20 以上", "UM-20S(ｽﾃﾝﾚｽ製)", "31-44", "578-662", "9.0 以上", "2.5 以上",
              "50 以下", "15 以上"});
    // This model's sheet writes its qualifiers without the space.
    t.setRow(5, 0,
             {"高域用", "20 以上", "UH-20", "45-62", "662-770", "9.0以上", "2.5以上", "50以下",
              "15以上"});
    t.setRow(6, 0,
             {"高域用", "20 以上", "UH-20S(ｽﾃﾝﾚｽ製)", "45-62", "662-770", "9.0 以上", "2.5 以上",
              "50 以下", "15 以上"});
}

void Set_Bunpai() {
    CatalogTable& t = Bunpai_Mt;
    // Headings run down the band index: (0, k, 0) is the label of property k.
    t.set(0, 0, 0, "周波数帯域    (Mhz)");
    t.set(0, 1, 0, "分配損失      (db)");
    t.set(0, 2, 0, "端子間結合損失(db)");
    t.set(0, 3, 0, "電圧定在波比");

    const QString names[] = {"２分配　BS-D2", "４分配　BS-D4", "６分配　BS-D6",
                             "２分配　CS-D2", "４分配　CS-D4", "６分配　CS-D6"};
    for (int i = 1; i <= 6; ++i) {
        t.set(i, 0, 0, names[i - 1]);
        setBands(t, i, 0, {"76-222", "470-770", "1035-1333", "1335-2150"});
    }

    setBands(t, 1, 1, {"3.8", "4.0", "4.5", "--"});
    setBands(t, 1, 2, {"20", "18", "15", "--"});
    setBands(t, 1, 3, {"1.6", "1.6", "1.8", "--"});

    setBands(t, 2, 1, {"7.5", "8.0", "9.0", "--"});
    setBands(t, 2, 2, {"20", "18", "15", "--"});
    setBands(t, 2, 3, {"1.6", "1.6", "1.8", "--"});

    setBands(t, 3, 1, {"10.0", "11.0", "12.0", "--"});
    setBands(t, 3, 2, {"20", "15", "13", "--"});
    setBands(t, 3, 3, {"1.6", "1.6", "1.8", "--"});

    setBands(t, 4, 1, {"4.0", "4.0", "4.5", "6.5"});
    setBands(t, 4, 2, {"20", "18", "15", "15"});
    setBands(t, 4, 3, {"1.6", "1.6", "1.8", "2.0"});

    setBands(t, 5, 1, {"8.0", "8.0", "9.0", "11.5"});
    setBands(t, 5, 2, {"20", "18", "15", "15"});
    setBands(t, 5, 3, {"1.6", "1.8", "2.0", "2.5"});

    setBands(t, 6, 1, {"11.0", "11.0", "12.0", "15.5"});
    setBands(t, 6, 2, {"20", "15", "15", "25"});
    setBands(t, 6, 3, {"1.6", "1.6", "1.8", "2.5"});
}

void Set_Kongou() {
    CatalogTable& t = Kongou_Mt;
    // Headings run down the band index, as in the distributor table.
    t.set(0, 0, 0, "周波数帯域　(Mhz)");
    t.set(0, 1, 0, "通過帯域減衰量　(db)");
    t.set(0, 2, 0, "阻止帯域減衰量 (db)");
    t.set(0, 3, 0, "電圧定在波比");

    // VHF/UHF mixer: no BS band.
    t.set(1, 0, 0, "M-UV-7 MC-UV-7");
    setBands(t, 1, 0, {"76-222", "470-770"});
    setBands(t, 1, 1, {"1.0", "1.5"});
    setBands(t, 1, 2, {"2.5", "2.5"});
    setBands(t, 1, 3, {"1.5", "1.8"});

    // BS mixer; its BS range is the BS-IF band the other BS parts are rated for.
    t.set(2, 0, 0, "BS-M  BS-MC");
    setBands(t, 2, 0, {"76-222", "470-770", "1035-1335"});
    setBands(t, 2, 1, {"1.3", "1.3", "1.8"});
    setBands(t, 2, 2, {"2.0", "2.0", "2.0"});
    setBands(t, 2, 3, {"1.6", "1.6", "1.8"});
}

void Set_Bunki() {
    CatalogTable& t = Bunki_Mt;
    // Headings run along the property index of (0, 0, k); (0, 0, 0) stays empty.
    t.setRow(0, 0, 1,
             {"周波数帯域    (Mhz)", "挿入損失      (db)", "結合損失(db)", "電圧定在波比",
              "逆結合損失"});

    setModelName(t, 1, "２分岐　BS-C2");
    setModelName(t, 2, "４分岐　BS-C4");
    setModelName(t, 3, "２分岐　CS-C2");
    setModelName(t, 4, "４分岐　CS-C4");
    for (int i = 1; i <= 4; ++i)
        setBands(t, i, 1, {"76-222", "470-770", "1035-1335", "1335-2150"});

    setBands(t, 1, 2, {"2.5", "2.5", "3.0", "--"});
    setBands(t, 1, 3, {"11", "12", "13", "--"});
    setBands(t, 1, 4, {"1.6", "1.6", "1.8", "--"});
    setBands(t, 1, 5, {"25", "20", "18", "--"});

    setBands(t, 2, 2, {"3.5", "4.5", "5.5", "--"});
    setBands(t, 2, 3, {"11", "12", "13", "--"});
    setBands(t, 2, 4, {"1.6", "1.6", "1.8", "--"});
    setBands(t, 2, 5, {"25", "20", "18", "--"});

    setBands(t, 3, 2, {"2.5", "2.5", "3.0", "5.0"});
    setBands(t, 3, 3, {"11", "12", "13", "15.5"});
    setBands(t, 3, 4, {"1.6", "1.6", "1.8", "2.5"});
    setBands(t, 3, 5, {"25", "20", "18", "16"});

    setBands(t, 4, 2, {"4.5", "4.5", "5.5", "7.5"});
    setBands(t, 4, 3, {"11", "12", "13", "17"});
    setBands(t, 4, 4, {"1.6", "1.6", "1.8", "2.5"});
    setBands(t, 4, 5, {"25", "20", "18", "16"});
}

namespace {

// The series-unit family shares its headings and layout: row 1 the through
// unit, row 2 the end unit, the model name in every band column.
void setSeriesUnitFrame(CatalogTable& t, const QString& through, const QString& end,
                        bool withIsolation) {
    t.setRow(0, 0, 1,
             {"周波数帯域　(Mhz)", "挿入損失　(db)", "結合損失　(db)", "逆結合損失　(db)",
              "電圧定在波比"});
    if (withIsolation) t.set(0, 0, 6, "端子間結合損失　(db)");
    setModelName(t, 1, through);
    setModelName(t, 2, end);
    for (int i = 1; i <= 2; ++i)
        setBands(t, i, 1, {"76-222", "470-770", "1035-1335", "1335-1770"});
}

} // namespace

void Set_Yunit1() {
    CatalogTable& t = Yunit1_Mt;
    setSeriesUnitFrame(t, "BS-7F-F", "BS-7F-R", false);

    setBands(t, 1, 2, {"1.3", "1.8", "2.0", "--"});
    setBands(t, 1, 3, {"11", "12", "13", "--"});
    setBands(t, 1, 4, {"25", "20", "18", "--"});
    setBands(t, 1, 5, {"1.6", "1.6", "1.8", "--"});

    setBands(t, 2, 2, {"--", "--", "--", "--"});
    setBands(t, 2, 3, {"8.5", "9.0", "10", "--"});
    setBands(t, 2, 4, {"--", "--", "--", "--"});
    setBands(t, 2, 5, {"1.6", "1.6", "1.8", "--"});
}

void Set_Yunit2() {
    CatalogTable& t = Yunit2_Mt;
    setSeriesUnitFrame(t, "BS-7F-F", "BS-7F-R", true);

    setBands(t, 1, 2, {"1.5", "2.0", "2.2", "--"});
    setBands(t, 1, 3, {"15", "16", "17.5", "--"});
    setBands(t, 1, 4, {"25", "20", "18", "--"});
    setBands(t, 1, 5, {"1.6", "1.6", "1.8", "--"});
    setBands(t, 1, 6, {"20", "18", "15", "--"});

    setBands(t, 2, 2, {"--", "--", "--", "--"});
    setBands(t, 2, 3, {"12", "13", "14.5", "--"});
    setBands(t, 2, 4, {"--", "--", "--", "--"});
    setBands(t, 2, 5, {"1.6", "1.6", "1.8", "--"});
    setBands(t, 2, 6, {"20", "18", "15", "--"});
}

void Set_Yunit1B() {
    CatalogTable& t = Yunit1B_Mt;
    setSeriesUnitFrame(t, "BS-7F-77", "BS-7F-7R", true);

    setBands(t, 1, 2, {"1.5", "2.0", "2.2", "--"});
    setBands(t, 1, 3, {"15", "16", "17.5", "--"});
    setBands(t, 1, 4, {"20", "15", "15", "--"});
    setBands(t, 1, 5, {"1.6", "1.6", "1.8", "--"});
    setBands(t, 1, 6, {"20", "18", "15", "--"});

    setBands(t, 2, 2, {"--", "--", "--", "--"});
    setBands(t, 2, 3, {"12", "13", "14.5", "--"});
    setBands(t, 2, 4, {"--", "--", "--"}); // the CS cell is blank on the sheet
    setBands(t, 2, 5, {"1.6", "1.6", "1.8", "--"});
    setBands(t, 2, 6, {"20", "18", "15", "--"});
}

void Set_Tanshi() {
    CatalogTable& t = Tanshi_Mt;
    t.setRow(0, 0, 1, {"周波数帯域　(Mhz)", "挿入損失　(db)", "電圧定在波比"});

    setModelName(t, 1, "BS-7F");
    setModelName(t, 2, "BS-77F");
    t.set(3, 1, 0, "DCM7FT");
    t.set(4, 1, 0, "DCM7FTCS");
    for (int i = 1; i <= 4; ++i)
        setBands(t, i, 1, {"76-222", "470-770", "1035-1335", "1335-2150"});

    setBands(t, 1, 2, {"0.4", "0.6", "0.8", "--"});
    setBands(t, 1, 3, {"1.6", "1.6", "1.8"});
    setBands(t, 2, 2, {"4.0", "4.5", "5.0", "7.0"});
    setBands(t, 2, 3, {"1.6", "1.6", "1.8"});
    setBands(t, 3, 2, {"0.1", "0.4", "0.8", "--"});
    setBands(t, 4, 2, {"0.5", "0.8", "1.0", "1.5"});
}

void Set_Yunit1CS() {
    CatalogTable& t = Yunit1CS_Mt;
    setSeriesUnitFrame(t, "CSM-7N", "CSM-7-RN", false);

    setBands(t, 1, 2, {"0.4", "0.5", "0.5", "1.0"});
    setBands(t, 1, 3, {"--", "--", "--", "--"});
    setBands(t, 1, 4, {"--", "--", "--", "--"});
    setBands(t, 1, 5, {"1.5", "1.6", "1.8", "2.0"});

    setBands(t, 2, 2, {"--", "--", "--", "--"});
    setBands(t, 2, 3, {"8.5", "9.0", "9.5", "10.0"});
    setBands(t, 2, 4, {"--", "--", "--", "--"});
    setBands(t, 2, 5, {"1.6", "1.6", "1.8", "2.0"});
}

void Set_Yunit2CS() {
    CatalogTable& t = Yunit2CS_Mt;
    setSeriesUnitFrame(t, "CSM-77N", "CSM-77-RN", false);

    setBands(t, 1, 2, {"4.0", "4.3", "4.3", "4.8"});
    setBands(t, 1, 3, {"20", "20", "15", "15"});
    setBands(t, 1, 4, {"--", "--", "--", "--"});
    setBands(t, 1, 5, {"1.5", "1.8", "1.8", "2.0"});

    setBands(t, 2, 2, {"--", "--", "--", "--"});
    setBands(t, 2, 3, {"11.0", "11.0", "12.0", "12.5"});
    setBands(t, 2, 4, {"--", "--", "--", "--"});
    setBands(t, 2, 5, {"1.5", "1.5", "1.8", "2.0"});
}

} // namespace miravel::catalog
