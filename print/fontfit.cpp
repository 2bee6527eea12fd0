#include "print/fontfit.h"

#include "print/printer.h"

#include <QFontMetricsF>
#include <QPrinter>

namespace {

constexpr float LargestSize = 20;

// Five kanji against ten half-width spaces, each between two heavy rules.
const QString FullWidthProbe = QStringLiteral("┃亜異鵜絵雄┃");
const QString HalfWidthProbe = QStringLiteral("┃          ┃");

} // namespace

float Font_Fit(QPaintDevice& device, float start) {
    for (float size = start; size <= LargestSize; size += 1) {
        printerFont().size = size;
        const QFontMetricsF metrics(printerFont().font(), &device);
        const float fullWidth = float(metrics.horizontalAdvance(FullWidthProbe));
        const float halfWidth = float(metrics.horizontalAdvance(HalfWidthProbe));
        if (fullWidth == halfWidth) return size;
    }
    return 0;
}

float Font_Fit(float start) {
    return Font_Fit(currentPrinter(), start);
}
