#pragma once
// The command line's own texts: written in Japanese, shown in English where
// the locale is not Japanese (the program installs the translation at start).
// The screens' texts are not translated.

#include <QCoreApplication>

struct CliText {
    Q_DECLARE_TR_FUNCTIONS(CliText)
};
