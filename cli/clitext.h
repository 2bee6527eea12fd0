#pragma once
// The command line's own texts: written in Japanese, shown in English where
// the locale is not Japanese (the program installs the translation at start).
// The screens' texts are not translated.

#include <QCoreApplication>

namespace miravel::cli {

struct CliText {
    Q_DECLARE_TR_FUNCTIONS(CliText)
};

} // namespace miravel::cli
