#pragma once
// Labels show their text as it is. A label left to guess would draw a loaded
// caption such as "<b>x</b>" or "a<br>b" as markup.

class QWidget;

namespace miravel::widgets {

// Every label on `screen` (its child labels, at any depth) shows plain text.
void makeLabelsPlainText(QWidget* screen);

} // namespace miravel::widgets
