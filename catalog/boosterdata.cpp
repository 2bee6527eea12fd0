#include "catalog/catalog.h"

namespace miravel::catalog {

// The two booster data sheets. Nothing calculates with them; the
// reference board shows them as the makers' sheets word them, full-width
// digits and signs included. The data is written one property column at a
// time, the way the sheets list it.

namespace {

// Assigns column j of the rows 0, 1, 2, ...
void setColumn(CatalogTable& table, int j, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i)
        table.set(i, j, texts[i]);
}

} // namespace

void Set_Booster() {
    CatalogTable& t = Booster_Mt;
    // Row 0 headings; rows 1-8 the boosters, one row per band of a multi-band type.
    setColumn(t, 0,
              {"項　　目", "Ｖ－２型", "Ｕ－２型", "ＵＶ－２型", "ＵＶ－２型", "ＢＳ－１型",
               "ＢＳ・ＵＶ－１型", "ＢＳ・ＵＶ－１型", "ＢＳ・ＵＶ－１型"});
    setColumn(t, 1,
              {"周波数帯域(Mhz)", "76-108 170-222", "470-770", "76-108・170-222", "470-770",
               "1,035-1335", "46-108･170-222", "470-770", "1,035-1,335"});
    setColumn(t, 2,
              {"利　得(db)", "35/40以上", "３５以上", "30/35", "４０以上", "４０以上", "30/35以上",
               "４０以上", "４０以上"});
    setColumn(t, 3,
              {"利得調整範囲(db)", "10以上連続可変", "10以上連続可変", "10以上連続可変",
               "10以上連続可変", "10以上連続可変", "10以上連続可変", "10以上連続可変",
               "10以上連続可変"});
    setColumn(
        t, 4,
        {"定格出力(dbμ)", "105/110", "115", "105/110", "115", "105", "105/110", "115", "105"});
    setColumn(t, 5, {"チルト特性(db)", "-", "-", "-", "-", "-", "-", "-", "-5"});
    setColumn(t, 6,
              {"帯域内周波数特性(db)", "任意の6Mhzで±1.0以内及び１～３・４～12chで±2.0以内",
               "任意の6Mhzで±1.0以内及び任意の100Mhzで±2.0以内",
               "任意の6Mhzで±1.0以内及び任意の100Mhzで±2.0以内",
               "任意の6Mhzで±1.0以内及び任意の100Mhzで±2.0以内",
               "任意の27Mhzで±1.0以内、全帯域で±2.5以内",
               "任意の6Mhzで±1.0以内及び１～３・４～12chで±2.0以内",
               "任意の6Mhzで±1.0以内及び任意の100Mhzで±2.0以内",
               "①ﾌﾗｯﾄ時:任意の27Mhzで±1.0以内、全帯域で±2.5以内"});
    setColumn(t, 7,
              {"雑音指数(db)", "８以下", "１０以下", "８以下", "１０以下", "８以下", "８以下",
               "１０以下", "８以下"});
    setColumn(
        t, 8,
        {"入力ｲﾝﾋﾟｰﾀﾞﾝｽΩ", "７５Ω", "７５Ω", "７５Ω", "７５Ω", "７５Ω", "７５Ω", "７５Ω", "７５Ω"});
    setColumn(t, 9,
              {"電圧定在波比", "２．５以下", "３．０以下", "２．５以下", "３．０以下", "２．５以下",
               "２．５以下", "３．０以下", "２．５以下"});
    setColumn(t, 10,
              {"混変調(db)", "－４６以下", "－４６以下", "－４６以下", "－４６以下", "－４６以下",
               "－４６以下", "－４６以下", "－４６以下"});
    setColumn(t, 11,
              {"相互変調(db)", "－５５以下", "－５５以下", "－５５以下", "－５５以下", "－５５以下",
               "－５５以下", "－５５以下", "－５５以下"});
    setColumn(t, 12,
              {"利得安定度(db)", "±３．０以内", "±３．０以内", "±３．０以内", "±３．０以内",
               "±２．０以内", "±３．０以内", "±３．０以内", "±２．０以内"});
    setColumn(t, 13,
              {"ハム変調(db)", "－５４以下", "－５４以下", "－５４以下", "－５４以下", "－６０以下",
               "－６０以下", "－６０以下", "－６０以下"});
    setColumn(t, 14,
              {"耐衝撃波試験", "15Kv 1.2/50μs", "15Kv 1.2/50μs", "15Kv 1.2/50μs", "15Kv 1.2/50μs",
               "15Kv 1.2/50μs", "15Kv 1.2/50μs", "15Kv 1.2/50μs", "15Kv 1.2/50μs"});
    setColumn(t, 15,
              {"電源電圧", "AC 100v 50/60Hz", "AC 100v 50/60Hz", "AC 100v 50/60Hz",
               "AC 100v 50/60Hz", "AC 100v 50/60Hz", "AC 100v 50/60Hz", "AC 100v 50/60Hz",
               "AC 100v 50/60Hz"});
}

void Set_Catv() {
    CatalogTable& t = Catv_Mt;
    // Row 0 headings; 1 CATV upstream, 2 CATV downstream, 3 CS/BS-IF.
    setColumn(t, 0, {"項　　目", "ＣＡＴＶ上り", "ＣＡＴＶ下り", "ＣＳ・ＢＳ－ＩＦ"});
    setColumn(t, 1, {"周波数帯域(Mhz)", "10-55", "70-770", "1000-2150"});
    setColumn(t, 2, {"最大伝送容量(ch)", "TV 2  DATA", "TV 74  ﾃﾞｼﾞﾀﾙ", "TV 24"});
    setColumn(t, 3, {"標準入力レベル(db)", "75 以上", "69 以上", "65 以上"});
    setColumn(t, 4, {"基準利得(dbμ)", "30 以上", "38 以上", "35/40 以上"});
    setColumn(t, 5, {"定格出力(db)", "105", "107", "100/105"});
    setColumn(t, 6, {"利得調整範囲(db)", "0-10", "0-10", "10 以上"});
}

} // namespace miravel::catalog
