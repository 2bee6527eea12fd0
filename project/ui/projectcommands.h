#pragma once
// The project commands: new, save and load, acting on both calculation
// screens whatever screen they are started from.

class QString;
class QWidget;

namespace miravel::project {

enum class CommandOrigin { Menu, FieldStrength, Terminal };

// Clears the whole project (both calculation screens, the captions and
// DataName), creating the screens invisibly where needed.
void Data_Cls();

// 新規作成 on any screen.
void newProjectCommand(QWidget* from);
// 書き込み / データ書き込み.
void saveProjectCommand(QWidget* from, CommandOrigin origin);
// 読み込み, start menu only.
void loadProjectCommand(QWidget* from);
// 読み込み of a file chosen elsewhere (the command line, the desktop, the
// recent files list): the same checks, messages and captions, no dialog.
// False when the file was refused (its message shown, nothing changed).
bool loadProjectFile(QWidget* from, const QString& path);

} // namespace miravel::project
