#pragma once
// プリンター　フォント: the font of the terminal-level report. It offers only
// what the report can print: families in which full-width characters measure
// on the printer exactly two half-width columns from every offered size, and
// bold only where bold does the same.

#include <QDialog>
#include <QFont>
#include <QList>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPaintDevice;
class QPushButton;

namespace miravel::print {

class PrinterFontDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on `initial` (a substituted name such as "ＭＳ 明朝" shows as the
    // family that stands in for it); its size is kept within 6 to 14.
    PrinterFontDialog(const QFont& initial, QPaintDevice& printer, QWidget* parent = nullptr);

    // The chosen family, size and bold setting.
    QFont selectedFont() const;

    // The sizes offered for a dialog opened at `initialSize`.
    static QList<float> offeredSizes(float initialSize);

private:
    void layOut(QWidget* buttons);
    void fillFamilies(const QString& initialFamily);
    void familyChanged();

    QPaintDevice& m_printer;
    QList<float> m_sizes;
    QListWidget* m_families;
    QComboBox* m_size;
    QCheckBox* m_bold;
    QPushButton* m_ok = nullptr;
};

} // namespace miravel::print
