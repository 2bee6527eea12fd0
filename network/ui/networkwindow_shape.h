#pragma once
// The network screen's commands that shape whole parts of the building:
// 階を追加, 種類の変更 and the 部材集計表 window.

class QMenu;

namespace miravel::network {

class NetworkWindow;

// Adds 階を追加 and 種類の変更 to `editMenu` and 部材集計表 to `listMenu`.
void addShapeCommands(NetworkWindow* window, QMenu* editMenu, QMenu* listMenu);

// The commands themselves, for the actions and the tests.
void addFloorsUnderSelected(NetworkWindow* window);
void changeKindOfSelected(NetworkWindow* window);
void showPartsList(NetworkWindow* window);

} // namespace miravel::network
