#include "catalog/catalogtable.h"

#include "common/errors.h"
#include "common/numval.h"

#include <cmath>
#include <limits>

using namespace miravel::common;

namespace miravel::catalog {

CatalogTable::CatalogTable(const char* name, std::vector<int> upperBounds)
    : m_name(name), m_upper(std::move(upperBounds)) {
    size_t size = 1;
    for (int upper : m_upper)
        size *= size_t(upper + 1);
    m_cells.resize(size);
    m_numbers.assign(size, std::numeric_limits<double>::quiet_NaN());
}

namespace {

// NaN stands for "no number": no text that reads as a number gives NaN.
double cellNumber(const QString& text) {
    return isNumberText(text) ? numberTextValue(text) : std::numeric_limits<double>::quiet_NaN();
}

std::optional<double> present(double number) {
    if (std::isnan(number)) return std::nullopt;
    return number;
}

} // namespace

std::optional<double> CatalogTable::number(int i, int j) const {
    return present(m_numbers[offset(i, j)]);
}

std::optional<double> CatalogTable::number(int i, int j, int k) const {
    return present(m_numbers[offset(i, j, k)]);
}

// The two- and three-index offsets without a loop: the calculations read
// cells by the hundred.
size_t CatalogTable::offset(int i, int j) const {
    if (m_upper.size() != 2 || !within(i, 0) || !within(j, 1))
        throw RunTimeError(RunTimeError::SubscriptOutOfRange);
    return size_t(i) * size_t(m_upper[1] + 1) + size_t(j);
}

size_t CatalogTable::offset(int i, int j, int k) const {
    if (m_upper.size() != 3 || !within(i, 0) || !within(j, 1) || !within(k, 2))
        throw RunTimeError(RunTimeError::SubscriptOutOfRange);
    return (size_t(i) * size_t(m_upper[1] + 1) + size_t(j)) * size_t(m_upper[2] + 1) + size_t(k);
}

const QString& CatalogTable::at(int i, int j) const {
    return m_cells[offset(i, j)];
}

const QString& CatalogTable::at(int i, int j, int k) const {
    return m_cells[offset(i, j, k)];
}

void CatalogTable::set(int i, int j, const QString& text) {
    const size_t at = offset(i, j);
    m_cells[at] = text;
    m_numbers[at] = cellNumber(text);
}

void CatalogTable::set(int i, int j, int k, const QString& text) {
    const size_t at = offset(i, j, k);
    m_cells[at] = text;
    m_numbers[at] = cellNumber(text);
}

void CatalogTable::setRow(int i, int j0, const QStringList& texts) {
    for (int n = 0; n < texts.size(); ++n)
        set(i, j0 + n, texts[n]);
}

void CatalogTable::setRow(int i, int j, int k0, const QStringList& texts) {
    for (int n = 0; n < texts.size(); ++n)
        set(i, j, k0 + n, texts[n]);
}

} // namespace miravel::catalog
