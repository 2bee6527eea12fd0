#pragma once
// How a verdict looks: its colour, and a label showing text and colour
// together (the text alone says the same, for whoever cannot tell the
// colours apart).

#include "standard/judgement.h"

#include <QColor>

class QLabel;

namespace miravel::standard {

QColor verdictColour(Verdict verdict);

// Writes the verdict's text into the label in its colour.
void showVerdict(QLabel* label, const Judgement& judgement);
void setTextColour(QLabel* label, const QColor& colour);
// An empty label: nothing to judge (no result yet).
void clearVerdict(QLabel* label);

} // namespace miravel::standard
