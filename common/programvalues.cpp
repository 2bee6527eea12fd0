#include "common/programvalues.h"

namespace miravel::common {

QString DataName;
BandValues Kbl_Loss{};
BandValues Bst_Input{};
float Prt_FontSize = 8.0f;
std::optional<int> Prt_Indent;

void resetProgramValues() {
    DataName.clear();
    Kbl_Loss = {};
    Bst_Input = {};
    Prt_FontSize = 8.0f;
    Prt_Indent.reset();
}

} // namespace miravel::common
