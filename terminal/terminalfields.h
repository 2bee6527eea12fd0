#pragma once
// The texts of the terminal-level screen that the level calculation and the
// report read, as plain values, so that both can be computed without a
// screen.

#include <QString>
#include <array>

namespace miravel::terminal {

struct TerminalFields {
    // text[n] is the text of the field TextN, n = 1..43 (text[0] is unused).
    std::array<QString, 44> text;
    // Combo3: the series-unit or outlet type.
    QString combo3Text;
    int combo3Index = -1; // list position 0..8 of the chosen type, -1 when none is chosen

    const QString& operator[](int n) const { return text.at(size_t(n)); }
    QString& operator[](int n) { return text.at(size_t(n)); }
};

} // namespace miravel::terminal
