#pragma once
// Frame items the work screens share: the version message and the link to
// the author's home page.

class QWidget;

namespace miravel::platform {

// The version message box, titled "バージョン情報".
void showVersionMessage(QWidget* parent);

// The author's home page: for now the user guide shipped with the program.
void openHomePage();

} // namespace miravel::platform
