#include "print/ui/printer.h"

#include <QPrinter>

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
