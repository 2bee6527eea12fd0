#pragma once
// The program's name, version and author lines, as the start menu and the
// version message show them.

#include <QString>

constexpr int VersionMajor = MIRAVEL_VERSION_MAJOR;
constexpr int VersionMinor = MIRAVEL_VERSION_MINOR;

QString programTitle();   // "Miravel", also the default message title
QString titleLabelText(); // "Miravel　Ver 2.0"
QString creditLine();     // one-line author credit
QString versionMessageText();
QString homePageAddress();

// The program's reverse-DNS id: the desktop file, the metainfo and the
// single-instance socket are named after it.
QString programId(); // "io.github.miravel.Miravel"
