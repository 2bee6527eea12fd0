#pragma once
// The catalogue reference board: fourteen options, one per catalogue table,
// and a grid that the chosen option lays out and fills. The board only reads
// the catalogue.

#include "catalog/boardlayout.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QRadioButton;
class QTableWidget;

namespace miravel::widgets {
class FrozenHeadings;
} // namespace miravel::widgets

namespace Ui {
class Tv_Mt;
}

namespace miravel::catalog {

class Tv_Mt : public QMainWindow {
    Q_OBJECT
public:
    explicit Tv_Mt(QWidget* parent = nullptr);
    ~Tv_Mt() override;

    // The click of OptionN (1..14): shows that option's table.
    void Option_Click(int option);
    // 終　了: closes the board only.
    void Command1_Click();

    QRadioButton* option(int n) const;
    QTableWidget* grid() const;
    // What the grid shows.
    const BoardLayout& gridModel() const { return m_grid; }

private:
    void Form_Load();
    void showGrid();
    QList<int> rowHeightsInPixels(const BoardLayout& model) const;
    QSize preferredSize() const;

    std::unique_ptr<Ui::Tv_Mt> ui;
    std::array<QRadioButton*, BoardLayout::OptionCount> m_options;
    BoardLayout m_grid;
    widgets::FrozenHeadings* m_frozen;
};

} // namespace miravel::catalog
