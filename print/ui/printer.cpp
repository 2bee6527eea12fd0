#include "print/ui/printer.h"

#include <QPrinter>

namespace miravel::print {

QFont PrinterFont::font() const {
    QFont f(family);
    f.setPointSizeF(size);
    f.setBold(bold);
    return f;
}

QPrinter& currentPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

PrinterFont& printerFont() {
    static PrinterFont font;
    return font;
}

} // namespace miravel::print
