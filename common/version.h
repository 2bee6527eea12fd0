#pragma once
// The program's name, version and author lines, as the start menu and the
// version message show them.

#include <QString>

namespace miravel::common {

constexpr int VersionMajor = MIRAVEL_VERSION_MAJOR;
constexpr int VersionMinor = MIRAVEL_VERSION_MINOR;

QString programTitle();   // "Miravel", also the default message title
QString titleLabelText(); // "Miravel　Ver 2.0"
QString creditLine();     // one-line author credit
QString versionMessageText();

// The organisation and application names (and version) that name the
// settings file, ~/.config/Miravel/Miravel.conf: set once, before the
// application object, by every way the program runs.
void setProgramIdentity();

// The program's reverse-DNS id: the desktop file, the metainfo and the
// single-instance socket are named after it.
QString programId(); // "io.github.miravel.miravel"

} // namespace miravel::common
