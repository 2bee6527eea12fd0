#pragma once
// The program's one current printer and the printer font the report uses.
// Both last for one run; the printer selection and font dialogs change them.

#include <QFont>
#include <QString>

class QPrinter;

namespace miravel::print {

struct PrinterFont {
    QString family = QStringLiteral("ＭＳ 明朝");
    float size = 8.9f;
    bool bold = false;

    QFont font() const; // the font at `size`, for painting and measuring on the printer
};

QPrinter& currentPrinter();
PrinterFont& printerFont();

} // namespace miravel::print
