#include "catalog/catalog.h"

// Filled in with the catalogue data.
void Set_Douziyuku() {}
void Set_Booster() {}
void Set_VAnt() {}
void Set_UAnt() {}
void Set_Bunpai() {}
void Set_Kongou() {}
void Set_Bunki() {}
void Set_Yunit1() {}
void Set_Yunit2() {}
void Set_Yunit1B() {}
void Set_Tanshi() {}
void Set_Yunit1CS() {}
void Set_Yunit2CS() {}
void Set_Catv() {}
