#pragma once
// Frame items the work screens share: the version message and the link to
// the author's home page.

class QWidget;

// The version message box, titled "バージョン情報".
void showVersionMessage(QWidget* parent);

// Opens the author's home page in the browser; failure is ignored.
void openHomePage();
