#include "print/ui/fontfit.h"

#include "print/ui/printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPrinter>

namespace miravel::print {

namespace {

// Five kanji against ten half-width spaces, each between two heavy rules.
const QString FullWidthProbe = QStringLiteral("┃亜異鵜絵雄┃");
const QString HalfWidthProbe = QStringLiteral("┃          ┃");

} // namespace

bool fullWidthFits(const QFont& font, QPaintDevice& device) {
    const QFontMetricsF metrics(font, &device);
    const float fullWidth = float(metrics.horizontalAdvance(FullWidthProbe));
    const float halfWidth = float(metrics.horizontalAdvance(HalfWidthProbe));
    return fullWidth == halfWidth;
}

float fittingSize(const QFont& font, QPaintDevice& device, float start) {
    QFont sized = font;
    for (float size = start; size <= LargestFitSize; size += 1) {
        sized.setPointSizeF(size);
        if (fullWidthFits(sized, device)) return size;
    }
    return 0;
}

bool fitsFromEverySize(const QFont& font, QPaintDevice& device, const QList<float>& starts) {
    for (float start : starts)
        if (fittingSize(font, device, start) == 0) return false;
    return true;
}

float Font_Fit(QPaintDevice& device, float start) {
    for (float size = start; size <= LargestFitSize; size += 1) {
        printerFont().size = size;
        if (fullWidthFits(printerFont().font(), device)) return size;
    }
    return 0;
}

float Font_Fit(float start) {
    return Font_Fit(currentPrinter(), start);
}

} // namespace miravel::print
