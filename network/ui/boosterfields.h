#pragma once
// The fields of a line booster on the details panel: gain, noise figure,
// rated maximum output and minimum input, per network band.

#include "network/networktypes.h"

#include <QGroupBox>
#include <array>

class QLineEdit;

namespace miravel::network {

class BoosterFields : public QGroupBox {
    Q_OBJECT
public:
    explicit BoosterFields(QWidget* parent = nullptr);

    void setSpec(const BoosterSpec& sheet);
    // The typed values; nothing, with `problem` set, when one is not a
    // number (an empty gain: the band does not pass).
    std::optional<BoosterSpec> sheet(QString* problem) const;

signals:
    void edited();

private:
    static constexpr int Columns = 4; // gain, NF, maximum output, minimum input
    std::array<std::array<QLineEdit*, Columns>, NetBandCount> m_edits{};
};

// A booster as a new node gets it.
BoosterSpec defaultBoosterSpec();

} // namespace miravel::network
