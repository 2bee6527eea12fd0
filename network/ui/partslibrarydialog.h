#pragma once
// The parts library window of a network screen: the current network's own
// definitions beside the user's library. Definitions go into the library
// (ライブラリに追加) and from it into the network (使用, one undo step);
// prices are typed in the library's table; the library is imported, merged
// or replaced, and exported. Every change is saved at once.

#include "network/partslibrary.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace miravel::network {

class NetworkDocument;
class PartsLibraryModel;

class PartsLibraryDialog : public QDialog {
    Q_OBJECT
public:
    PartsLibraryDialog(NetworkDocument* document, QWidget* parent = nullptr);

    // The commands (the buttons call these). Refusals are shown; each
    // returns false when nothing was done.
    bool addSelectedToLibrary();
    bool useSelectedInNetwork();
    bool removeSelectedFromLibrary();
    bool importLibrary(bool replace);
    bool importLibraryFile(const QString& path, bool replace);
    bool exportLibrary();
    bool setPrice(const QString& name, const QString& text);

    const PartsLibrary& library() const { return m_store.library(); }
    // Reads the library file again and shows it.
    void refresh();

private:
    void buildForm();
    QWidget* buildNetworkSide();
    QWidget* buildLibrarySide();
    void showNetworkDefinitions();
    void showLibrary();
    // Saves `changed`; false (the refusal shown) when it was not saved.
    bool save(const PartsLibrary& changed);
    bool refuse(const QString& message);

    NetworkDocument* m_document;
    UserPartsLibrary m_store;
    PartsLibraryModel* m_model;
    QLabel* problemLabel;
    QListWidget* networkList;
    QTableView* libraryTable;
    QPushButton* addButton;
    QPushButton* useButton;
    QPushButton* removeButton;
    QPushButton* mergeButton;
    QPushButton* replaceButton;
    QPushButton* exportButton;
};

} // namespace miravel::network
