#include "catalog/catalog.h"

namespace miravel::catalog {

CatalogTable Douziyuku_Mt("Douziyuku_Mt", {10, 7});
CatalogTable Booster_Mt("Booster_Mt", {10, 16});
CatalogTable VAnt_Mt("VAnt_Mt", {10, 10});
CatalogTable UAnt_Mt("UAnt_Mt", {6, 10});
CatalogTable Bunpai_Mt("Bunpai_Mt", {6, 4, 3});
CatalogTable Kongou_Mt("Kongou_Mt", {2, 3, 3});
CatalogTable Bunki_Mt("Bunki_Mt", {4, 4, 5});
CatalogTable Yunit1_Mt("Yunit1_Mt", {2, 4, 5});
CatalogTable Yunit2_Mt("Yunit2_Mt", {2, 4, 6});
CatalogTable Yunit1B_Mt("Yunit1B_Mt", {2, 4, 8});
CatalogTable Tanshi_Mt("Tanshi_Mt", {4, 4, 3});
CatalogTable Yunit1CS_Mt("Yunit1CS_Mt", {2, 4, 5});
CatalogTable Yunit2CS_Mt("Yunit2CS_Mt", {2, 4, 5});
CatalogTable Catv_Mt("Catv_Mt", {6, 6});

// The fill routines are in catalogdata.cpp.

namespace {

bool loaded = false;

} // namespace

void loadCatalogue() {
    refillBoardTables();
    Set_Yunit1CS();
    Set_Yunit2CS();
    Set_Catv();
    loaded = true;
}

void ensureCatalogue() {
    if (!loaded) loadCatalogue();
}

void refillBoardTables() {
    Set_Douziyuku();
    Set_Booster();
    Set_VAnt();
    Set_UAnt();
    Set_Bunpai();
    Set_Kongou();
    Set_Bunki();
    Set_Yunit1();
    Set_Yunit2();
    Set_Yunit1B();
    Set_Tanshi();
}

const CatalogTable& seriesUnitTable(int type) {
    static const CatalogTable* const tables[] = {&Yunit1_Mt, &Yunit2_Mt, &Yunit1B_Mt, &Yunit1CS_Mt,
                                                 &Yunit2CS_Mt};
    return *tables[type - 1];
}

} // namespace miravel::catalog
