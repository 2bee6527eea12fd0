#pragma once
// The component catalogue: fixed tables of text cells, filled from constants
// at their first use and read by every other part of the program.

#include "catalog/catalogtable.h"

namespace miravel::catalog {

extern CatalogTable Douziyuku_Mt; // coax loss per 100 m          0..10, 0..7
extern CatalogTable Booster_Mt;   // booster sheet                 0..10, 0..16
extern CatalogTable VAnt_Mt;      // VHF antennas                  0..10, 0..10
extern CatalogTable UAnt_Mt;      // UHF antennas                  0..6, 0..10
extern CatalogTable Bunpai_Mt;    // distributors                  0..6, 0..4, 0..3
extern CatalogTable Kongou_Mt;    // mixers                        0..2, 0..3, 0..3
extern CatalogTable Bunki_Mt;     // branchers                     0..4, 0..4, 0..5
extern CatalogTable Yunit1_Mt;    // series unit, 1 terminal, BS   0..2, 0..4, 0..5
extern CatalogTable Yunit2_Mt;    // series unit, 2 terminals, BS  0..2, 0..4, 0..6
extern CatalogTable Yunit1B_Mt;   // series unit, branch type, BS  0..2, 0..4, 0..8
extern CatalogTable Tanshi_Mt;    // TV outlets                    0..4, 0..4, 0..3
extern CatalogTable Yunit1CS_Mt;  // series unit, 1 terminal, CS   0..2, 0..4, 0..5
extern CatalogTable Yunit2CS_Mt;  // series unit, 2 terminals, CS  0..2, 0..4, 0..5
extern CatalogTable Catv_Mt;      // CATV and CS/BS-IF booster     0..6, 0..6

// The series-unit table of type 1..5: Yunit1_Mt, Yunit2_Mt, Yunit1B_Mt,
// Yunit1CS_Mt, Yunit2CS_Mt.
const CatalogTable& seriesUnitTable(int type);

// Fill routines: each assigns its own table's cells and touches no other.
void Set_Douziyuku();
void Set_Booster();
void Set_VAnt();
void Set_UAnt();
void Set_Bunpai();
void Set_Kongou();
void Set_Bunki();
void Set_Yunit1();
void Set_Yunit2();
void Set_Yunit1B();
void Set_Tanshi();
void Set_Yunit1CS();
void Set_Yunit2CS();
void Set_Catv();

// All fourteen fill routines in their listed order.
void loadCatalogue();
// loadCatalogue, unless it ran already: the start menu shows nothing of the
// catalogue, so the screens and commands that read it load it at their first
// use.
void ensureCatalogue();
// The first eleven, Set_Douziyuku through Set_Tanshi (the board's load).
void refillBoardTables();

// Band column of Douziyuku_Mt for each band: 220, 770, 1,300, 1,770 MHz.
constexpr int CoaxLossColumn[4] = {3, 5, 6, 7};
constexpr int CoaxTypeCount = 7;

} // namespace miravel::catalog
